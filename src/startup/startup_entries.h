// The entries of the startup manager in the registry: the values of the Run, RunOnce and Policy Run keys and
// of each one's backup key in every scope, as the page lists, moves, adds, deletes and switches them. A row
// shows its location and scope in its first sub-items (startup_rows.h), and every operation on a row acts in
// that place only (RunScope), on the value of exactly the row's name: its Key, which may hold a NUL that its
// Caption shows as "\0".
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
// the row's place (startup_approved.h), between the Scope and the Publisher column; an entry of a place
// without switches is always "Enabled".
struct StatusColumn {
  platform::Registry& Registry;
  // This program runs as a 32-bit program on 64-bit Windows.
  bool Program32 = false;

  // The Status texts of these entries of a place, in their order: "Enabled" or "Disabled".
  std::vector<std::string> Texts(const std::string& location, const std::string& scope,
                                 const std::vector<std::string>& names) const;
};

// In every place: refills the place's rows of both lists from its two keys (this program's own entry in a Run
// key left out, a value of its name that starts another program, or in another place, listed; a
// key that is not there leaves no rows, one that cannot be read leaves its rows as they are; a value that
// cannot be read is listed without Program text), and keeps an entry found in both keys with the same type
// and data as a backup only. Creates nothing and reports nothing: a user who may not change the keys sees
// what they hold. With `status`, the live list's rows show their status.
void FillLists(platform::Registry& registry, const std::vector<RunScope>& scopes, const StatusColumn* status,
               TListView& liveList, TListView& backupList);

// Moves the values of the selected rows of `fromList` (and no others), type and data unchanged, from their
// place's live key to its backup key (`toBackup`) or back, creating the target key where it is missing; then
// the rows whose values moved go to `toList` (with or without their status, as the live list has it; the
// switches stay as they are). A value of the same name in the target is never replaced: with the same type
// and data, the move only
// deletes the source; otherwise the entry stays. An entry that cannot be moved stays where it was, whole in
// its own key, and `refusals` says why; the others still move. When an entry was no longer there, the lists
// are read again.
void MoveSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes,
                         const StatusColumn* status, TListView& fromList, bool toBackup, TListView& toList,
                         TRefusals& refusals);

// Deletes the selected rows of `list` and their values in their place's live key (or its backup key, with
// `backup`), without asking. A value that is already gone is no refusal: its row goes, and the lists are read
// again (`otherList` is the other one).
void DeleteSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes,
                           const StatusColumn* status, TListView& list, bool backup, TListView& otherList,
                           TRefusals& refusals);

// Adds the program at `path` to `liveList` and as a value named after its file to the live key of `machine`
// (a Run scope), or of `user` where the machine's key may not be changed. A value of that name is left as it
// is, and `refusals` names it.
void AddEntry(platform::Registry& registry, const RunScope& machine, const RunScope& user,
              const StatusColumn* status, const std::string& path, TListView& liveList, TRefusals& refusals);

// Switches Windows' start of the entries of the selected rows of the live list on or off, each in its own
// place, at the time `now` (a FILETIME), and shows their new status; rows of places without switches
// (RunOnce, Policy Run) are left alone. A place whose switches may not be changed keeps them, and `refusals`
// says so; the others are still switched. An entry of a Run key that is no longer there is not switched,
// and the lists are read again.
void SetSelectedStartsAtLogOn(const StatusColumn& status, const std::vector<RunScope>& scopes,
                              TListView& liveList, TListView& backupList, bool starts, std::uint64_t now,
                              TRefusals& refusals);

}  // namespace vantrel
