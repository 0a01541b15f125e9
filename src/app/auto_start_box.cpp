// The Auto Start box: this program's own entry among the programs that start at log-on.
#include "app/main_window.h"
#include "platform/unicode.h"
#include "program/auto_start.h"
#include "startup/startup_page.h"
#include "startup/visible_text.h"

namespace vantrel {

namespace {

constexpr char kNotAdded[] =
    "Vantrel could not be set to start with Windows: Windows does not let this user add it to the programs "
    "that start at log-on.";
constexpr char kNotRemoved[] =
    "Vantrel could not be kept from starting with Windows: Windows does not let this user remove it from the "
    "programs that start at log-on.";

// What the user hears of values named as this program's entry that start another program.
std::string takenText(const std::vector<TakenEntry>& taken, bool done) {
  std::string text;
  for (const TakenEntry& entry : taken) {
    text += std::string(text.empty() ? "" : "\n") + "The name \"" + kAutoStartValue +
            "\" is taken in the programs that start at log-on (" + entry.Scope + "): it starts " +
            (entry.Command.empty() ? std::string("what cannot be read") : VisibleText(entry.Command)) +
            ". Vantrel left it as it is.";
  }
  return done ? text : text + "\nVantrel could not be set to start with Windows.";
}

}  // namespace

std::vector<RunScope> TfrmVantrel::runScopes() const {
  return SystemRunScopes(services_);
}

std::optional<StatusColumn> TfrmVantrel::statusColumn() const {
  return SystemStatusColumn(services_);
}

std::vector<RunScope> TfrmVantrel::autoStartPlaces() const {
  const std::vector<RunScope> scopes = runScopes();
  return {scopes.front(), scopes.back()};
}

void TfrmVantrel::CheckBox2Click(TObject*) {
  applyAutoStart(CheckBox2->ClickedByUser());
}

void TfrmVantrel::applyAutoStart(bool byUser) {
  // The Run value depends on the task: while a call on it goes, the change waits for its answer.
  if (taskCall_->Running()) {
    autoStartWaits_ = autoStartWaits_.value_or(false) || byUser;
    return;
  }
  // Unticked, the program starts neither by its Run value nor by its task.
  if (!CheckBox2->Checked() && logonTask_) {
    deleteLogonTask();
  }
  // While the task starts the program, a Run value would start a second copy.
  const bool wanted = CheckBox2->Checked() && !logonTask_;
  std::vector<TakenEntry> taken;
  bool done =
      wanted ? EnsureAutoStart(*services_.registry, *services_.fileSystem, autoStartPlaces(), executable(),
                               &taken)
             : RemoveAutoStart(*services_.registry, *services_.fileSystem, autoStartPlaces(), executable());
  // A user who ticks the box means that Windows starts the program, also where its own switch (Windows 8 and
  // later, as the Status column) says off. Only the user's tick changes that switch.
  const std::optional<StatusColumn> status = statusColumn();
  if (done && wanted && byUser && status) {
    done = SwitchOnAutoStart(*services_.registry, *services_.fileSystem, autoStartPlaces(), executable(),
                             status->Program32);
  }
  // Each told once a run: another program's entry of that name (which also says why none was written), a
  // refusal.
  if (!taken.empty()) {
    if (!autoStartTakenShown_) {
      autoStartTakenShown_ = true;
      Application()->ShowException(takenText(taken, done));
    }
  } else if (!done && !autoStartRefusalShown_) {
    autoStartRefusalShown_ = true;
    Application()->ShowException(wanted ? kNotAdded : kNotRemoved);
  }
}

std::string TfrmVantrel::executable() const {
  return Utf16ToUtf8(services_.process->GetModuleFileNameW());
}

}  // namespace vantrel
