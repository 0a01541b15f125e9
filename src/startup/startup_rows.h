// The rows of the startup manager's lists, whether they come from a Run key or a Startup folder: the name
// first, then the scope, the status where the list shows one, the publisher (empty until it is looked up) and
// the program. The name and the program show as VisibleText makes them; the row's Value keeps the program's
// text as it is.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/comctrls.h"

namespace vantrel {

TListRow EntryRow(const std::string& name, const std::string& scope, const std::optional<std::string>& status,
                  const std::optional<std::string>& program);

// The tags of a task's row (startup_tasks.h), by its switch: the rows of the Run keys and the Startup folders
// never act on them.
constexpr int kEnabledTaskRow = 1;
constexpr int kDisabledTaskRow = 2;
bool IsTaskRow(const TListRow& row);

// The row's scope, as its Scope column shows it.
const std::string& ScopeOf(const TListRow& row);

// The selected rows of that scope, in list order, other than task rows.
std::vector<int> SelectedRows(const TListView& list, const std::string& scope);

}  // namespace vantrel
