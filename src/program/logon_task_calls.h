// What the window does to the log-on task (logon_task.h), as calls that return what came of them: each may
// wait for seconds (the Task Scheduler's service, an account looked up at a domain controller), so the window
// makes them off its own thread and tells their outcome on it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/scheduled_tasks.h"
#include "platform/services.h"

namespace vantrel {

struct TaskRegistration {
  // What others may change of the program, which keeps it from being registered; none where it was tried.
  std::optional<std::string> changeable;
  std::int32_t result = platform::kSOk;  // of RegisterLogonTask
};

// Registers the task for `self`, where only administrators may change it: started with administrator
// rights and no prompt, a program that others may change would be theirs to run.
TaskRegistration RegisterOwnTask(platform::Services& services, const std::string& self);

struct TaskAtStart {
  bool ours = false;    // the task is there and starts Vantrel
  bool enabled = true;  // its switch: off, it starts nothing
  // Of a task of ours whose program is gone, registered again for `self`, as a Run value is.
  std::optional<TaskRegistration> registration;
  // Of a task of ours whose program others may change: what they may change. It was deleted then, with
  // `deletion`'s result.
  std::optional<std::string> changeable;
  std::int32_t deletion = platform::kSOk;
};

// The task as the start finds it, and what the start does to it: one of ours for a program that is gone is
// registered again where this copy `mayRegister` and the task is on (registered, it would be on again;
// otherwise it is not counted as ours, so that the Run value
// stands in meanwhile); one whose program others may change is deleted.
TaskAtStart LookAtOwnTask(platform::Services& services, const std::string& self, bool mayRegister);

}  // namespace vantrel
