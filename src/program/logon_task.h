// Vantrel's start with administrator rights at log-on, without the system's prompt: a task of the Task
// Scheduler, named "Vantrel" in its root folder, that runs this executable with "/logon" when this user logs
// on. Whether the task is there is the only record of it: no setting keeps it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/scheduled_tasks.h"

namespace vantrel {

constexpr char16_t kLogonTaskName[] = u"Vantrel";
// HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS): the task of that name runs another program.
constexpr std::int32_t kForeignTask = static_cast<std::int32_t>(0x800700B7);

// The task's definition in the Task Scheduler's XML: a log-on trigger of `account` ("DOMAIN\name") only;
// the highest run level on the user's desktop (the interactive token); no time limit; it starts and keeps
// running on batteries, without an idle condition; the action runs `program`, quoted, with "/logon".
std::string LogonTaskXml(const std::string& account, const std::string& program);
// The program that a task's first Exec action runs, its quotes taken off; none where it has no such action.
std::optional<std::string> TaskProgram(const std::string& xml);

// Whether the task of that full path, whose first action runs `command` (as its definition writes it), is
// ours: \Vantrel (in any case) and a Vantrel executable, `self` (this executable's full path) or any named
// Vantrel.exe, in any case.
bool IsOwnTask(const std::string& path, const std::string& command, const std::string& self);

struct LogonTask {
  std::int32_t result = platform::kSOk;  // of the look-up; kTaskNotFound where there is none
  bool ours = false;                     // its action runs a Vantrel executable
  bool enabled = true;                   // its switch: a disabled task starts nothing
  std::string program;                   // the program its action runs
};

// The task of that name, whatever it runs.
LogonTask FindLogonTask(platform::ScheduledTasks& tasks, const std::string& self);

// Registers the task for `self`, replacing a task of ours, and reads it back: an HRESULT. A task of that name
// that runs another program is left alone (kForeignTask); one that is not there with `self` after the
// registration said it was done answers kTaskNotFound.
std::int32_t RegisterLogonTask(platform::ScheduledTasks& tasks, const std::string& account,
                               const std::string& self);
// Deletes a task of ours; none there counts as done, and one that runs another program is left alone
// (kForeignTask).
std::int32_t DeleteLogonTask(platform::ScheduledTasks& tasks, const std::string& self);

// What an HRESULT of these calls means, as the end of a sentence.
std::string TaskFailure(std::int32_t result);

}  // namespace vantrel
