#include "program/logon_task_calls.h"

#include "platform/unicode.h"
#include "program/auto_start.h"
#include "program/logon_task.h"
#include "program/program_trust.h"

namespace vantrel {

TaskRegistration RegisterOwnTask(platform::Services& services, const std::string& self) {
  if (std::optional<std::string> changeable = ChangeableByOthers(*services.fileSecurity, self)) {
    return {std::move(changeable)};
  }
  return {std::nullopt, RegisterLogonTask(*services.scheduledTasks,
                                          Utf16ToUtf8(services.process->LookupAccountSidW()), self)};
}

TaskAtStart LookAtOwnTask(platform::Services& services, const std::string& self, bool mayRegister) {
  const LogonTask task = FindLogonTask(*services.scheduledTasks, self);
  TaskAtStart found;
  found.ours = task.result >= 0 && task.ours;
  found.enabled = task.enabled;
  if (!found.ours) {
    return found;
  }
  if (NamesMissingProgram(*services.fileSystem, task.program)) {
    found.ours = mayRegister && task.enabled;
    if (found.ours) {
      found.registration = RegisterOwnTask(services, self);
    }
  } else if ((found.changeable = ChangeableByOthers(*services.fileSecurity, task.program))) {
    found.deletion = DeleteLogonTask(*services.scheduledTasks, self);
  }
  return found;
}

}  // namespace vantrel
