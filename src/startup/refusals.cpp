#include "startup/refusals.h"

namespace vantrel {

namespace {

// The words around the entry: "turn off" X, "switch" X "off at log-on".
struct Phrase {
  const char* before;
  const char* after;
};

Phrase phraseOf(EntryAction action) {
  switch (action) {
    case EntryAction::TurnOff:
      return {"turn off ", ""};
    case EntryAction::Restore:
      return {"restore ", ""};
    case EntryAction::Delete:
      return {"delete ", ""};
    case EntryAction::SwitchOn:
      return {"switch ", " on at log-on"};
    case EntryAction::SwitchOff:
      return {"switch ", " off at log-on"};
    case EntryAction::Add:
      return {"add ", ""};
  }
  return {"change ", ""};
}

}  // namespace

void TRefusals::NoRights(const std::string& entry, const std::string& scope, bool forAllUsers) {
  Refused(entry, scope, forAllUsers ? kAdministratorsOnly : kReasonAccessDenied, forAllUsers);
}

void TRefusals::Refused(const std::string& entry, const std::string& scope, const std::string& reason,
                        bool administratorCould) {
  administrator_ = administrator_ || administratorCould;
  const Phrase phrase = phraseOf(action_);
  lines_.push_back("Could not " + std::string(phrase.before) + "\"" + entry + "\" (" + scope + ")" +
                   phrase.after + ": " + reason + ".");
}

std::string TRefusals::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += (text.empty() ? "" : "\n") + line;
  }
  if (administrator_) {
    text += std::string("\n\n") + kStartAsAdministrator;
  }
  return text;
}

bool ForAllUsers(const std::string& scope) {
  return scope.rfind("All users", 0) == 0;
}

}  // namespace vantrel
