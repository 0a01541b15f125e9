// The start with administrator rights: the restart button, and the box of the task that starts this program
// elevated at log-on, which only administrators may change.
#include <exception>
#include <utility>

#include "app/main_window.h"
#include "program/logon_task.h"
#include "program/product.h"

namespace vantrel {

namespace {

constexpr char kRestartFailed[] = "Vantrel could not start with administrator rights (error ";
constexpr char kTaskNotRegistered[] = "Vantrel could not set itself to start as administrator at log-on: ";
constexpr char kTaskNotDeleted[] = "Vantrel could not remove its task from the Task Scheduler: ";
constexpr char kChangeable[] = "programs without administrator rights may change ";
constexpr char kMoveAdvice[] = ". Move Vantrel into Program Files, then tick the box again.";
constexpr char kTaskWithdrawn[] = "Vantrel removed its task that started it as administrator at log-on: ";
constexpr char kStartsWithoutRights[] = ". It starts with Windows without administrator rights now";
constexpr char kTaskStays[] = "It still starts as administrator at log-on, although ";

}  // namespace

void TfrmVantrel::btnRestartElevatedClick(TObject*) {
  // The system's prompt holds the call while it is open: the tray answers meanwhile, and a second click
  // starts nothing. The new copy asks this one to close (saving its settings) and takes its place.
  elevationCall_->Start([&services = services_, owner = Handle(),
                         file = services_.process->GetModuleFileNameW(), this]() -> TBackgroundCall::TAnswer {
    const std::intptr_t answer =
        services.shellExecution->ShellExecuteW(owner, u"runas", file, u"", u"", platform::kSwShowNormal);
    return [answer, this] {
      // A "No" at the system's prompt needs no word from us.
      if (answer <= 32 && answer != platform::kSeErrAccessDenied) {
        Application()->MessageBox(kRestartFailed + std::to_string(answer) + ").", kProductLine,
                                  platform::kMbOk | platform::kMbIconStop);
      }
    };
  });
}

void TfrmVantrel::chkLogonTaskClick(TObject*) {
  const bool wanted = FreeMemoryPage->chkLogonTask->Checked();
  // Also the box's own return to what the task is, after a failure.
  if (wanted == logonTask_) {
    return;
  }
  // One call on the task at a time: the box shows the task as it is until the call going has answered.
  if (taskCall_->Running()) {
    showLogonTaskBox();
    return;
  }
  if (!wanted) {
    deleteLogonTask([this] { followTask(false); });
    return;
  }
  callOnTask([&services = services_, self = executable(), this] {
    const TaskRegistration registration = RegisterOwnTask(services, self);
    return [registration, this] {
      logonTask_ = registered(registration);
      showLogonTaskBox();
      followTask(true);
    };
  });
}

void TfrmVantrel::taskSwitchedOnPage(const TaskEntry& task) {
  // Another program's task of our name is not the box's.
  if (!task.Command || !IsOwnTask(task.Path, *task.Command, executable())) {
    return;
  }
  logonTask_ = task.Enabled;
  showLogonTaskBox();
  followTask(task.Enabled);
}

void TfrmVantrel::followTask(bool wanted) {
  // Failed: the Run value stays as it was.
  if (logonTask_ != wanted) {
    return;
  }
  // The task starts the program at log-on: the Auto Start box shows it, and the Run value goes, or comes back
  // once the task has gone.
  if (logonTask_ && !CheckBox2->Checked()) {
    CheckBox2->SetChecked(true);
  } else if (CheckBox2->Checked()) {
    applyAutoStart();
  }
}

bool TfrmVantrel::callOnTask(std::function<TBackgroundCall::TAnswer()> call) {
  return taskCall_->Start([call = std::move(call), this]() -> TBackgroundCall::TAnswer {
    const TBackgroundCall::TAnswer answer = call();
    return [answer, this] {
      answer();
      // A change of the Auto Start box that waited for the task's answer.
      if (const std::optional<bool> byUser = std::exchange(autoStartWaits_, std::nullopt)) {
        applyAutoStart(*byUser);
      }
    };
  });
}

bool TfrmVantrel::taskDone(const char* failure, std::int32_t result) {
  if (result < 0) {
    Application()->MessageBox(failure + TaskFailure(result), kProductLine,
                              platform::kMbOk | platform::kMbIconStop);
  }
  return result >= 0;
}

bool TfrmVantrel::registered(const TaskRegistration& registration) {
  if (registration.changeable) {
    Application()->MessageBox(kTaskNotRegistered + (kChangeable + *registration.changeable) + kMoveAdvice,
                              kProductLine, platform::kMbOk | platform::kMbIconStop);
    return false;
  }
  return taskDone(kTaskNotRegistered, registration.result);
}

void TfrmVantrel::deleteLogonTask(std::function<void()> then) {
  callOnTask([&services = services_, self = executable(), then = std::move(then), this] {
    const std::int32_t result = DeleteLogonTask(*services.scheduledTasks, self);
    return [result, then, this] {
      if (taskDone(kTaskNotDeleted, result)) {
        logonTask_ = false;
      }
      showLogonTaskBox();
      if (then) {
        then();
      }
    };
  });
}

bool TfrmVantrel::showLogonTask(std::function<void(bool withdrawn)> then) {
  // Before Vista there is no Task Scheduler to ask. Few users ever register the task: where its file is
  // plainly not there, the answer is known at once, and no worker, no COM and no service connection are
  // started for it.
  if (!platform::VistaOrLater(osVersion()) || services_.scheduledTasks->TaskFileMissing(kLogonTaskName)) {
    return false;
  }
  return callOnTask([&services = services_, self = executable(), mayRegister = logonTaskChangeable(),
                     then = std::move(then), this]() -> TBackgroundCall::TAnswer {
    // A look that fails knows nothing of the task: the Run value stands as the settings say.
    TaskAtStart found;
    try {
      found = LookAtOwnTask(services, self, mayRegister);
    } catch (const std::exception&) {
    }
    return [found, then, this] {
      bool withdrawn = false;
      try {
        withdrawn = showTaskAtStart(found);
      } catch (const std::exception&) {
      }
      then(withdrawn);
    };
  });
}

bool TfrmVantrel::showTaskAtStart(const TaskAtStart& found) {
  // A task of ours that is switched off starts nothing: the box is unticked, and the Run value may stand in.
  logonTask_ = found.ours && found.enabled;
  bool withdrawn = false;
  if (found.registration) {
    logonTask_ = registered(*found.registration);
  } else if (found.changeable) {
    const bool deleted = found.deletion >= 0;
    logonTask_ = logonTask_ && !deleted;
    withdrawn = deleted && found.enabled;
    const std::string why = kChangeable + *found.changeable;
    Application()->MessageBox(
        found.deletion < 0 ? kTaskNotDeleted + TaskFailure(found.deletion) + " " + kTaskStays + why + "."
                           : kTaskWithdrawn + why + kStartsWithoutRights + kMoveAdvice,
        kProductLine, platform::kMbOk | platform::kMbIconWarning);
  }
  showLogonTaskBox();
  return withdrawn;
}

}  // namespace vantrel
