// The tasks of the Task Scheduler that start a program at log-on or at boot, as rows of the upper list:
// switched on and off in the Task Scheduler itself, never moved to the backup list and never deleted here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/comctrls.h"
#include "platform/scheduled_tasks.h"
#include "startup/refusals.h"

namespace vantrel {

struct TaskEntry {
  std::string Path;  // UTF-8, the task's full path as the Task Scheduler names it
  bool Enabled = true;
  // "All users" for a log-on trigger of anyone and for a boot trigger, "This user" for this user's own
  // account, otherwise the account as the trigger names it.
  std::string Scope;
  // The first Exec action's command as written (environment variables unexpanded), and the whole line with
  // its arguments; none for a task without an Exec action.
  std::optional<std::string> Command;
  std::optional<std::string> Program;
};

// The tasks that start at log-on or at boot (a log-on or a boot trigger, whether or not the trigger is on),
// in the order given. `account` is this user's, as DOMAIN\name.
std::vector<TaskEntry> StartupTasks(const std::vector<platform::RegisteredTask>& tasks,
                                    const std::string& account);

// The row of a task: its path as its name, its scope, its status where the list shows a Status column.
TListRow TaskRow(const TaskEntry& task, bool status);
// Whether Windows starts the task of that row: its switch.
bool TaskRowEnabled(const TListRow& row);

// Replaces the task rows of the live list with these.
void FillTaskRows(const std::vector<TaskEntry>& tasks, bool status, TListView& liveList);

// Switches the tasks of the selected rows of the live list on or off in the Task Scheduler, and shows their
// new status; each switched task goes to `switched`, as it now is. A task that may not be switched stays as
// it was and `refusals` says why; a task that is no longer there too, and then the answer is true: the tasks
// are to be listed again.
bool SetSelectedTasksEnabled(platform::ScheduledTasks& scheduler, TListView& liveList, bool enabled,
                             TRefusals& refusals, std::vector<TaskEntry>& switched);

// Tells `refusals` of each selected task row that tasks are not deleted here.
void RefuseTaskDeletion(const TListView& liveList, TRefusals& refusals);

}  // namespace vantrel
