#include "startup/refusals.h"

#include <cstdint>

#include "framework/sysutils.h"

namespace vantrel {

namespace {

// The entries a box names; the others are counted, so that the box fits the screen.
constexpr std::size_t kLinesShown = 15;
// A name may be 16,383 characters long; a longer one is cut, so that its line stays a line or two.
constexpr std::size_t kEntryShown = 120;

// `entry` cut after kEntryShown characters, never inside one, with an ellipsis where it was cut.
std::string shortened(const std::string& entry) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    const bool starts = (static_cast<unsigned char>(entry[i]) & 0xC0) != 0x80;
    if (starts && characters++ == kEntryShown) {
      return entry.substr(0, i) + "\xE2\x80\xA6";
    }
  }
  return entry;
}

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
  lines_.push_back("Could not " + std::string(phrase.before) + "\"" + shortened(entry) + "\" (" + scope +
                   ")" + phrase.after + ": " + reason + ".");
}

std::string TRefusals::Text() const {
  std::string text = administrator_ ? std::string(kStartAsAdministrator) + "\n" : "";
  for (std::size_t i = 0; i < lines_.size() && i < kLinesShown; ++i) {
    text += "\n" + lines_[i];
  }
  if (lines_.size() > kLinesShown) {
    text += "\nand " + IntToStr(static_cast<std::int64_t>(lines_.size() - kLinesShown)) + " more";
  }
  // The break before the first line is the blank line after the advice.
  if (!administrator_) {
    text.erase(0, 1);
  }
  return text;
}

bool ForAllUsers(const std::string& scope) {
  return scope.rfind("All users", 0) == 0;
}

}  // namespace vantrel
