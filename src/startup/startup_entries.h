// The entries of the startup manager: the values of the Run key and of its backup key in every scope, as the
// page lists, moves, adds, deletes and switches them. A row shows its scope in its first sub-item (then, in
// the live list with a Status column, its status), and every operation on a row acts in that scope only, on
// the value of exactly the row's name: its Key, which may hold a NUL that its Caption shows as "\0".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/comctrls.h"
#include "framework/registry_key.h"
#include "startup/refusals.h"
#include "startup/run_key.h"

namespace vantrel {

// The Program column of a value: a string (expandable too, as stored) up to its first NUL, a number as signed
// decimal, binary bytes as characters with every NUL as CR LF; none for empty binary data and for every other
// type.
std::optional<std::string> ProgramText(const TRegValue& value);

constexpr char kStatusColumn[] = "Status";
constexpr char kEnabled[] = "Enabled";
constexpr char kDisabled[] = "Disabled";

// The live list's Status column (Windows 8 and later): whether Windows starts each entry by its own switch in
// the row's scope (startup_approved.h), between the Scope and the Program column.
struct StatusColumn {
  platform::Registry& Registry;
  // This program runs as a 32-bit program on 64-bit Windows.
  bool Program32 = false;

  // The Status texts of these entries of a scope, in their order: "Enabled" or "Disabled".
  std::vector<std::string> Texts(const std::string& scope, const std::vector<std::string>& names) const;
};

// In every scope: refills the scope's rows of both lists from its keys (this program's own entry left out, a
// value of its name that starts another program listed; a
// key that is not there leaves no rows, one that cannot be read leaves its rows as they are; a value that
// cannot be read is listed without Program text), and keeps an entry found in both keys with the same type
// and data as a backup only. Creates nothing and reports nothing: a user who may not change the keys sees
// what they hold. With `status`, the live list's rows show their status.
void FillLists(platform::Registry& registry, const std::vector<RunScope>& scopes, const StatusColumn* status,
               TListView& liveList, TListView& backupList);

// Moves the values of the selected rows of `fromList` (and no others), type and data unchanged, from
// `fromKey` to `toKey` of their own scope, creating `toKey` where it is missing; then the rows whose values
// moved go to `toList` (with or without their status, as the live list has it; the switches stay as they
// are). A value of the same name in `toKey` is never replaced: with the same type and data, the move only
// deletes the source; otherwise the entry stays. An entry that cannot be moved stays where it was, whole in
// its own key, and `refusals` says why; the others still move. When an entry was no longer there, the lists
// are read again.
void MoveSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes,
                         const StatusColumn* status, TListView& fromList, const std::string& fromKey,
                         TListView& toList, const std::string& toKey, TRefusals& refusals);

// Deletes the selected rows of `list` and their values in `key` of their scope, without asking. A value that
// is already gone is no refusal: its row goes, and the lists are read again (`otherList` is the other one).
void DeleteSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes,
                           const StatusColumn* status, TListView& list, const std::string& key,
                           TListView& otherList, TRefusals& refusals);

// Adds the program at `path` to `liveList` and as a value named after its file to the Run key of `machine`,
// or of `user` where the machine's key may not be changed. A value of that name is left as it is, and
// `refusals` names it.
void AddEntry(platform::Registry& registry, const RunScope& machine, const RunScope& user,
              const StatusColumn* status, const std::string& path, TListView& liveList, TRefusals& refusals);

// Switches Windows' start of the entries of the selected rows of the live list on or off, each in its own
// scope, at the time `now` (a FILETIME), and shows their new status. A scope whose switches may not be
// changed keeps them, and `refusals` says so; the others are still switched. An entry of a Run key that is no
// longer there is not switched, and the lists are read again.
void SetSelectedStartsAtLogOn(const StatusColumn& status, const std::vector<RunScope>& scopes,
                              TListView& liveList, TListView& backupList, bool starts, std::uint64_t now,
                              TRefusals& refusals);

}  // namespace vantrel
