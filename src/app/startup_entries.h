// The entries of the startup manager: the values of the Run key and of its backup key in every scope, as the
// page lists, moves, adds and deletes them. A row shows its scope in its first sub-item, and every operation
// on a row acts in that scope only. A row's name is trimmed wherever it names a value.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/run_key.h"
#include "framework/comctrls.h"
#include "framework/registry.h"

namespace vantrel {

// The Program column of a value: a string up to its first NUL, a number as signed decimal, binary bytes as
// characters with every NUL as CR LF; none for empty binary data and for every other type.
std::optional<std::string> ProgramText(const TRegValue& value);

// In every scope: creates the keys that are missing, refills the scope's rows of both lists from its keys
// (this program's own entry left out; a key that cannot be read leaves its rows as they are), and keeps an
// entry found in both keys as a backup only. A registry error ends that scope's part; the first one is raised
// once every scope had its turn.
void FillLists(platform::Registry& registry, const std::vector<RunScope>& scopes, TListView& liveList,
               TListView& backupList);

// Carries the value `name`, type and data unchanged, from key `from` to key `to`: written there before it is
// deleted here, so that a failure in between leaves it in both. Nothing happens when `from` has no such
// value.
void MoveValue(TRegistry& registry, const std::string& from, const std::string& to, const std::string& name);

// Moves the selected rows of `fromList` to `toList`, names and texts trimmed, then their values (and no
// others) from `fromKey` to `toKey` of their own scope. Errors as for FillLists.
void MoveSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes,
                         TListView& fromList, const std::string& fromKey, TListView& toList,
                         const std::string& toKey);

// Deletes the selected rows of `list` and their values in `key` of their scope, without asking. Errors as
// for FillLists.
void DeleteSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes, TListView& list,
                           const std::string& key);

// Adds the program at `path` to `liveList` and as a value named after its file to the Run key of `machine`,
// or of `user` where the machine's key may not be changed. A value of that name is left as it is.
void AddEntry(platform::Registry& registry, const RunScope& machine, const RunScope& user,
              const std::string& path, TListView& liveList);

}  // namespace vantrel
