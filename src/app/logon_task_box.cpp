// The start with administrator rights: the restart button, and the box of the task that starts this program
// elevated at log-on, which only administrators may change.
#include "app/main_window.h"
#include "platform/unicode.h"
#include "program/auto_start.h"
#include "program/logon_task.h"
#include "program/product.h"
#include "program/program_trust.h"

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
  // The new copy asks this one to close (saving its settings) and takes its place.
  const std::intptr_t answer = services_.shellExecution->ShellExecuteW(
      Handle(), u"runas", services_.process->GetModuleFileNameW(), u"", u"", platform::kSwShowNormal);
  // A "No" at the system's prompt needs no word from us.
  if (answer <= 32 && answer != platform::kSeErrAccessDenied) {
    Application()->MessageBox(kRestartFailed + std::to_string(answer) + ").", kProductLine,
                              platform::kMbOk | platform::kMbIconStop);
  }
}

void TfrmVantrel::chkLogonTaskClick(TObject*) {
  const bool wanted = chkLogonTask->Checked();
  // Also the box's own return to what the task is, after a failure.
  if (wanted == logonTask_) {
    return;
  }
  if (wanted) {
    logonTask_ = registerLogonTask();
    chkLogonTask->SetChecked(logonTask_);
  } else {
    deleteLogonTask();
  }
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

bool TfrmVantrel::taskDone(const char* failure, std::int32_t result) {
  if (result < 0) {
    Application()->MessageBox(failure + TaskFailure(result), kProductLine,
                              platform::kMbOk | platform::kMbIconStop);
  }
  return result >= 0;
}

bool TfrmVantrel::registerLogonTask() {
  // Started with administrator rights and no prompt, a program that others may change would be theirs to run.
  if (const std::optional<std::string> changeable =
          ChangeableByOthers(*services_.fileSecurity, executable())) {
    Application()->MessageBox(kTaskNotRegistered + (kChangeable + *changeable) + kMoveAdvice, kProductLine,
                              platform::kMbOk | platform::kMbIconStop);
    return false;
  }
  return taskDone(kTaskNotRegistered,
                  RegisterLogonTask(*services_.scheduledTasks,
                                    Utf16ToUtf8(services_.process->LookupAccountSidW()), executable()));
}

void TfrmVantrel::deleteLogonTask() {
  if (taskDone(kTaskNotDeleted, DeleteLogonTask(*services_.scheduledTasks, executable()))) {
    logonTask_ = false;
  }
  chkLogonTask->SetChecked(logonTask_);
}

bool TfrmVantrel::showLogonTask() {
  const platform::OsVersionInfo version = osVersion();
  // Before Vista there is no Task Scheduler to ask.
  if (!platform::VistaOrLater(version)) {
    return false;
  }
  const LogonTask task = FindLogonTask(*services_.scheduledTasks, executable());
  logonTask_ = task.result >= 0 && task.ours;
  bool withdrawn = false;
  // As a Run value is. A copy that may not register it lets the Run value stand in for it meanwhile.
  if (logonTask_ && NamesMissingProgram(*services_.fileSystem, task.program)) {
    logonTask_ = chkLogonTask->Enabled() && registerLogonTask();
  } else if (logonTask_) {
    withdrawn = withdrawChangeableTask(task.program);
  }
  chkLogonTask->SetChecked(logonTask_);
  return withdrawn;
}

bool TfrmVantrel::withdrawChangeableTask(const std::string& program) {
  const std::optional<std::string> changeable = ChangeableByOthers(*services_.fileSecurity, program);
  if (!changeable) {
    return false;
  }
  const std::int32_t result = DeleteLogonTask(*services_.scheduledTasks, executable());
  logonTask_ = result < 0;
  const std::string why = kChangeable + *changeable;
  Application()->MessageBox(result < 0 ? kTaskNotDeleted + TaskFailure(result) + " " + kTaskStays + why + "."
                                       : kTaskWithdrawn + why + kStartsWithoutRights + kMoveAdvice,
                            kProductLine, platform::kMbOk | platform::kMbIconWarning);
  return !logonTask_;
}

}  // namespace vantrel
