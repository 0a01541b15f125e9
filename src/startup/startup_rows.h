// The rows of the startup manager's lists, whatever place Windows starts them from: the name first, then the
// location, the scope, the status where the list shows one, the publisher (empty until it is looked up) and
// the program. A row is told from another of the same name by its location and scope together: a Run and a
// RunOnce value of "This user" are two entries. The name and the program show as VisibleText makes them; the
// row's Value keeps the program's text as it is.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/comctrls.h"

namespace vantrel {

constexpr char kLocationColumn[] = "Location";
// The Location column's texts: the kind of place Windows starts the entry from.
constexpr char kRunLocation[] = "Run";
constexpr char kRunOnceLocation[] = "RunOnce";
constexpr char kPolicyRunLocation[] = "Policy Run";
constexpr char kFolderLocation[] = "Startup folder";
constexpr char kTaskLocation[] = "Task";

// The sub-item of a row's status, in the live list with a Status column: after the location and the scope.
constexpr int kStatusItem = 2;

TListRow EntryRow(const std::string& name, const std::string& location, const std::string& scope,
                  const std::optional<std::string>& status, const std::optional<std::string>& program);

// The row's location and scope, as its Location and Scope columns show them.
const std::string& LocationOf(const TListRow& row);
const std::string& ScopeOf(const TListRow& row);

// The selected rows of that location and scope, in list order.
std::vector<int> SelectedRows(const TListView& list, const std::string& location, const std::string& scope);

// The place of a row for the user's messages, as "RunOnce, This user"; a Run key's and a Startup folder's by
// the scope alone ("This user", "This user (folder)").
std::string PlaceText(const std::string& location, const std::string& scope);

// The tags of a task's row (startup_tasks.h), by its switch, which shows also where the list has no Status
// column.
constexpr int kEnabledTaskRow = 1;
constexpr int kDisabledTaskRow = 2;
bool IsTaskRow(const TListRow& row);

}  // namespace vantrel
