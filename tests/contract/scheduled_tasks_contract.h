// What the program relies on from the Task Scheduler, real or fake: run against the fake natively and against
// the system under Wine.
#pragma once

#include <string>

#include "platform/scheduled_tasks.h"

namespace vantrel::contract {

// `account`: the user's, as the task's trigger names it. `wine`: the system is Wine, whose version 8 keeps
// neither an action nor a trigger (its reader of both is a stub) but answers the registration as done; a task
// read back without its action is accepted there alone.
void checkScheduledTasks(platform::ScheduledTasks& tasks, const std::string& account, bool wine);

}  // namespace vantrel::contract
