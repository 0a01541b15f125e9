// The entries of the startup manager: the values of the Run key and of its backup key, as the page lists,
// moves and deletes them. A row's name is trimmed wherever it names a value.
#pragma once

#include <optional>
#include <string>

#include "framework/comctrls.h"
#include "framework/registry.h"

namespace vantrel {

// The Program column of a value: a string up to its first NUL, a number as signed decimal, binary bytes as
// characters with every NUL as CR LF; none for empty binary data and for every other type.
std::optional<std::string> ProgramText(const TRegValue& value);

// Refills `list` from the values of `key`, this program's own entry left out. A key that cannot be opened
// for reading leaves the list as it is.
void FillList(TRegistry& registry, const std::string& key, TListView& list);

// Carries the value `name`, type and data unchanged, from key `from` to key `to`: written there before it is
// deleted here, so that a failure in between leaves it in both. Nothing happens when `from` has no such
// value.
void MoveValue(TRegistry& registry, const std::string& from, const std::string& to, const std::string& name);

// Moves the selected rows of `fromList` to `toList`, names and texts trimmed, then their values (and no
// others) from `fromKey` to `toKey`.
void MoveSelectedEntries(TRegistry& registry, TListView& fromList, const std::string& fromKey,
                         TListView& toList, const std::string& toKey);

// Deletes the selected rows of `list` and their values in `key`, without asking.
void DeleteSelectedEntries(TRegistry& registry, TListView& list, const std::string& key);

// An entry in both keys is kept as a backup only: its value in `liveKey` and its row in `liveList` go.
void ResolveDuplicates(TRegistry& registry, const TListView& backupList, TListView& liveList,
                       const std::string& liveKey);

}  // namespace vantrel
