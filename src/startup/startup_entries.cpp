#include "startup/startup_entries.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <unordered_map>
#include <utility>

#include "framework/sysutils.h"
#include "platform/unicode.h"
#include "startup/startup_approved.h"
#include "startup/startup_rows.h"
#include "startup/visible_text.h"

namespace vantrel {

namespace {

// The sub-item of a row's status, in the live list with a Status column.
constexpr int kStatusItem = 1;

const char* statusText(bool starts) {
  return starts ? kEnabled : kDisabled;
}

// The user's words for the two keys.
std::string placeOf(const std::string& key) {
  return key == kRunKey ? "the entries that start at log-on" : "the turned-off entries";
}

// The exact name of a row of these lists: a value's, or a Startup folder's file's.
const std::string& nameOf(const TListRow& row) {
  return row.Key;
}

// Why Windows refused a change, by its answer, in the user's words.
std::string whyRefused(long error, const std::string& scope) {
  if (error == platform::kErrorAccessDenied) {
    return ForAllUsers(scope) ? kAdministratorsOnly : kReasonAccessDenied;
  }
  if (error == platform::kErrorFileNotFound) {
    return kReasonGone;
  }
  return "Windows refused it (error " + IntToStr(error) + ")";
}

// Whether Windows' answer means that an administrator could do what this user may not.
bool administratorCould(long error, const std::string& scope) {
  return error == platform::kErrorAccessDenied && ForAllUsers(scope);
}

// Tells `refusals` that an entry could not be changed, by Windows' answer.
void refuse(TRefusals& refusals, const TListRow& row, long error) {
  const std::string& scope = ScopeOf(row);
  refusals.Refused(row.Caption, scope, whyRefused(error, scope), administratorCould(error, scope));
}

// Opens the key for changes, or for reading where the user may not change it, so that a refused change shows
// as refused rather than as a value that is not there.
void openForChange(TRegistry& registry, const std::string& key) {
  if (!registry.OpenKey(key, false)) {
    registry.OpenKeyReadOnly(key);
  }
}

// The values of a key as listed: each name with its value, none where it could not be read.
using Listed = std::vector<std::pair<std::string, std::optional<TRegValue>>>;

// The status text of one entry, none without a Status column.
std::optional<std::string> statusOf(const StatusColumn* status, const std::string& scope,
                                    const std::string& name) {
  if (!status) {
    return std::nullopt;
  }
  return status->Texts(scope, {name}).front();
}

TListRow registryRow(const std::string& name, const std::string& scope,
                     const std::optional<std::string>& status, const std::optional<std::string>& program) {
  TListRow row = EntryRow(name, scope, status, program);
  row.Key = name;
  return row;
}

// Replaces the scope's rows of `list` with the values of `key`, with their status where `status` is given; a
// key that cannot be read leaves them.
Listed fillList(TRegistry& registry, const RunScope& scope, const std::string& key,
                const StatusColumn* status, TListView& list) {
  Listed listed;
  // A key that is not there holds no entries; one that cannot be read may still hold those shown.
  if (!registry.OpenKeyReadOnly(key) && registry.LastError() != platform::kErrorFileNotFound) {
    return listed;
  }
  for (int i = list.RowCount() - 1; i >= 0; --i) {
    if (ScopeOf(list.Rows()[i]) == scope.Name && !IsTaskRow(list.Rows()[i])) {
      list.DeleteRow(i);
    }
  }
  for (const std::string& name : registry.GetValueNames()) {
    std::optional<TRegValue> value;
    try {
      value = registry.ReadValue(name);
    } catch (const ERegistryException&) {
      // Listed all the same, with no Program text: it can still be moved or deleted.
    }
    if (name == kAutoStartValue && value &&
        (value->Type == platform::kRegSz || value->Type == platform::kRegExpandSz) &&
        StartsVantrel(StringData(value->Data), std::string())) {
      continue;
    }
    listed.emplace_back(name, std::move(value));
  }
  registry.CloseKey();
  std::vector<std::string> names;
  for (const auto& entry : listed) {
    names.push_back(entry.first);
  }
  const std::vector<std::string> texts =
      status ? status->Texts(scope.Name, names) : std::vector<std::string>();
  for (std::size_t i = 0; i < listed.size(); ++i) {
    const std::optional<TRegValue>& value = listed[i].second;
    list.AddRow(registryRow(listed[i].first, scope.Name, status ? std::optional(texts[i]) : std::nullopt,
                            value ? ProgramText(*value) : std::nullopt));
  }
  return listed;
}

// An entry in both keys under the same name with the same type and data is a backup only: its live value is
// deleted. Where the data differ, both stay, as the program's updater may have meant the live one.
void resolveDuplicates(TRegistry& registry, const RunScope& scope, const Listed& live, const Listed& backups,
                       TListView& liveList) {
  std::unordered_map<std::string, const TRegValue*> backupValues;
  for (const auto& [name, value] : backups) {
    if (value) {
      backupValues.emplace(name, &*value);
    }
  }
  std::set<std::string> same;
  for (const auto& [name, value] : live) {
    const auto backup = backupValues.find(name);
    if (value && backup != backupValues.end() && backup->second->Type == value->Type &&
        backup->second->Data == value->Data) {
      same.insert(name);
    }
  }
  // A user who may not change the key keeps seeing such an entry in both lists.
  if (same.empty() || !registry.OpenKey(kRunKey, false)) {
    return;
  }
  std::set<std::string> deleted;
  for (const std::string& name : same) {
    if (registry.DeleteValue(name)) {
      deleted.insert(name);
    }
  }
  registry.CloseKey();
  for (int i = liveList.RowCount() - 1; i >= 0; --i) {
    const TListRow& row = liveList.Rows()[i];
    if (ScopeOf(row) == scope.Name && !IsTaskRow(row) && deleted.count(nameOf(row))) {
      liveList.DeleteRow(i);
    }
  }
}

// Carries the value of a row, type and data as the registry holds them, from the open key `from` to the open
// key `to`: written there before it is deleted here, and deleted there again when it may not be deleted here,
// so that it ends whole in one key. Tells `refusals` why it could not, and `gone` when it was not there.
bool moveValue(TRegistry& from, TRegistry& to, const TListRow& row, const std::string& fromKey,
               const std::string& toKey, TRefusals& refusals, bool& gone) {
  const std::string& name = nameOf(row);
  const std::string& scope = ScopeOf(row);
  TRegValue value;
  try {
    value = from.ReadRawValue(name);
  } catch (const ERegistryException&) {
    const long error = from.LastError();
    gone = gone || error == platform::kErrorFileNotFound;
    if (error == platform::kErrorFileNotFound || error == platform::kErrorAccessDenied) {
      refuse(refusals, row, error);
    } else {
      refusals.Refused(row.Caption, scope, "it could not be read");
    }
    return false;
  }
  // A value of that name is another program's entry (an updater may have written it again): kept as it is.
  bool copied = false;
  if (to.ValueExists(name)) {
    std::optional<TRegValue> there;
    try {
      there = to.ReadRawValue(name);
    } catch (const ERegistryException&) {
    }
    if (!there || there->Type != value.Type || there->Data != value.Data) {
      refusals.Refused(row.Caption, scope,
                       placeOf(toKey) + " already hold \"" + row.Caption + "\" with another command line");
      return false;
    }
  } else {
    try {
      to.WriteValue(name, value);
    } catch (const ERegistryException&) {
      refuse(refusals, row, to.LastError());
      return false;
    }
    copied = true;
  }
  // Removed meanwhile by another program: the entry is where it was to go.
  if (from.DeleteValue(name) || from.LastError() == platform::kErrorFileNotFound) {
    return true;
  }
  const std::string why = whyRefused(from.LastError(), scope);
  const bool administrator = administratorCould(from.LastError(), scope);
  if (copied && !to.DeleteValue(name)) {
    refusals.Refused(row.Caption, scope,
                     "it could not be removed from " + placeOf(fromKey) + ": " + why + "; its copy in " +
                         placeOf(toKey) + " could not be removed either",
                     administrator);
    return false;
  }
  refusals.Refused(
      row.Caption, scope,
      "it could not be removed from " + placeOf(fromKey) + ": " + why + ", so it was left where it was",
      administrator);
  return false;
}

// Reads both lists again after an operation found an entry gone.
void refill(platform::Registry& registry, const std::vector<RunScope>& scopes, const StatusColumn* status,
            TListView& list, const std::string& key, TListView& otherList) {
  const bool live = key == kRunKey;
  FillLists(registry, scopes, status, live ? list : otherList, live ? otherList : list);
}

}  // namespace

std::optional<std::string> ProgramText(const TRegValue& value) {
  const std::vector<std::uint8_t>& data = value.Data;
  switch (value.Type) {
    case platform::kRegSz:
    case platform::kRegExpandSz:
      return StringData(data);
    case platform::kRegDword: {
      // Little-endian; bytes missing from a short value count as 0.
      std::uint32_t number = 0;
      for (std::size_t i = 0; i < 4 && i < data.size(); ++i) {
        number |= static_cast<std::uint32_t>(data[i]) << (8 * i);
      }
      return IntToStr(static_cast<std::int32_t>(number));
    }
    case platform::kRegBinary: {
      if (data.empty()) {
        return std::nullopt;
      }
      // Each byte as the character of that code (Latin-1), so that the text stays valid UTF-8.
      std::u16string text;
      for (const std::uint8_t byte : data) {
        text += byte == 0 ? std::u16string(u"\r\n") : std::u16string(1, static_cast<char16_t>(byte));
      }
      return Utf16ToUtf8(text);
    }
    default:
      return std::nullopt;
  }
}

std::vector<std::string> StatusColumn::Texts(const std::string& scope,
                                             const std::vector<std::string>& names) const {
  std::vector<bool> starts(names.size(), true);
  if (const std::optional<ApprovedPlace> place = ApprovedPlaceOf(scope, Program32)) {
    starts = StartsAtLogOn(Registry, place->Root, place->View, place->SubKey, names);
  }
  std::vector<std::string> texts;
  for (const bool on : starts) {
    texts.emplace_back(statusText(on));
  }
  return texts;
}

void FillLists(platform::Registry& registry, const std::vector<RunScope>& scopes, const StatusColumn* status,
               TListView& liveList, TListView& backupList) {
  TListViewUpdate liveUpdate(liveList);
  TListViewUpdate backupUpdate(backupList);
  for (const RunScope& scope : scopes) {
    TRegistry keys = scope.Keys(registry);
    const Listed live = fillList(keys, scope, kRunKey, status, liveList);
    const Listed backups = fillList(keys, scope, kBackupKey, nullptr, backupList);
    resolveDuplicates(keys, scope, live, backups, liveList);
  }
}

void MoveSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes,
                         const StatusColumn* status, TListView& fromList, const std::string& fromKey,
                         TListView& toList, const std::string& toKey, TRefusals& refusals) {
  // The registry first, then the lists once: a row moves when its value did.
  std::vector<int> movedRows;
  bool gone = false;
  for (const RunScope& scope : scopes) {
    const std::vector<int> rows = SelectedRows(fromList, scope.Name);
    if (rows.empty()) {
      continue;
    }
    TRegistry to = scope.Keys(registry);
    // Created only now, when an entry is to go there, so that a user who may not create it hears of it once
    // per entry.
    if (!to.KeyExists(toKey)) {
      try {
        to.CreateKey(toKey);
      } catch (const ERegistryException&) {
        for (const int row : rows) {
          refuse(refusals, fromList.Rows()[row], to.LastError());
        }
        continue;
      }
    }
    TRegistry from = scope.Keys(registry);
    openForChange(from, fromKey);
    to.OpenKey(toKey, false);
    for (const int row : rows) {
      // One entry that cannot be moved stays where it is; the others still move.
      if (moveValue(from, to, fromList.Rows()[row], fromKey, toKey, refusals, gone)) {
        movedRows.push_back(row);
      }
    }
  }
  if (!movedRows.empty()) {
    TListViewUpdate fromUpdate(fromList);
    TListViewUpdate toUpdate(toList);
    std::sort(movedRows.begin(), movedRows.end());
    for (auto row = movedRows.rbegin(); row != movedRows.rend(); ++row) {
      TListRow moved = fromList.Rows()[*row];
      moved.Selected = false;
      // The live list is the Run key's; only it shows a status.
      if (status && fromKey == kRunKey) {
        moved.SubItems.erase(moved.SubItems.begin() + kStatusItem);
      }
      if (status && toKey == kRunKey) {
        moved.SubItems.insert(moved.SubItems.begin() + kStatusItem,
                              *statusOf(status, ScopeOf(moved), nameOf(moved)));
      }
      fromList.DeleteRow(*row);
      toList.AddRow(moved);
    }
  }
  if (gone) {
    refill(registry, scopes, status, fromList, fromKey, toList);
  }
}

void DeleteSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes,
                           const StatusColumn* status, TListView& list, const std::string& key,
                           TListView& otherList, TRefusals& refusals) {
  std::vector<int> deletedRows;
  bool gone = false;
  for (const RunScope& scope : scopes) {
    const std::vector<int> rows = SelectedRows(list, scope.Name);
    if (rows.empty()) {
      continue;
    }
    TRegistry keys = scope.Keys(registry);
    openForChange(keys, key);
    for (const int row : rows) {
      if (keys.DeleteValue(nameOf(list.Rows()[row]))) {
        deletedRows.push_back(row);
      } else if (keys.LastError() == platform::kErrorFileNotFound) {
        // Another program removed it, as the user wanted.
        gone = true;
      } else {
        refuse(refusals, list.Rows()[row], keys.LastError());
      }
    }
  }
  if (gone) {
    refill(registry, scopes, status, list, key, otherList);
    return;
  }
  TListViewUpdate update(list);
  std::sort(deletedRows.begin(), deletedRows.end());
  for (auto row = deletedRows.rbegin(); row != deletedRows.rend(); ++row) {
    list.DeleteRow(*row);
  }
}

void AddEntry(platform::Registry& registry, const RunScope& machine, const RunScope& user,
              const StatusColumn* status, const std::string& path, TListView& liveList, TRefusals& refusals) {
  const std::string name = ExtractFileName(path);
  TRegistry machineKeys = machine.Keys(registry);
  TRegistry userKeys = user.Keys(registry);
  // Without administrator rights a person can still start a program at their own log-on.
  const bool forAll = machineKeys.OpenKey(kRunKey, true);
  TRegistry& keys = forAll ? machineKeys : userKeys;
  if (!forAll) {
    keys.OpenKey(kRunKey, true);
  }
  const std::string& scope = (forAll ? machine : user).Name;
  // A value of that name is someone's entry already: it stays as it is.
  if (keys.ValueExists(name)) {
    std::optional<std::string> program;
    try {
      program = ProgramText(keys.ReadRawValue(name));
    } catch (const ERegistryException&) {
    }
    refusals.Refused(VisibleText(name), scope,
                     placeOf(kRunKey) + " already hold \"" + VisibleText(name) + "\"" +
                         (program ? ", which starts " + VisibleText(*program) : ""));
    return;
  }
  try {
    keys.WriteString(name, path);
  } catch (const ERegistryException&) {
    refuse(refusals, registryRow(name, scope, std::nullopt, path), keys.LastError());
    return;
  }
  liveList.AddRow(registryRow(name, scope, statusOf(status, scope, name), path));
}

void SetSelectedStartsAtLogOn(const StatusColumn& status, const std::vector<RunScope>& scopes,
                              TListView& liveList, TListView& backupList, bool starts, std::uint64_t now,
                              TRefusals& refusals) {
  std::vector<std::string> names;
  for (const TListRow& row : liveList.Rows()) {
    if (row.Selected && std::find(names.begin(), names.end(), ScopeOf(row)) == names.end()) {
      names.push_back(ScopeOf(row));
    }
  }
  bool gone = false;
  for (const std::string& scope : names) {
    const std::optional<ApprovedPlace> place = ApprovedPlaceOf(scope, status.Program32);
    if (!place) {
      continue;
    }
    const auto run =
        std::find_if(scopes.begin(), scopes.end(), [&](const RunScope& s) { return s.Name == scope; });
    std::optional<TRegistry> keys;
    if (run != scopes.end()) {
      keys.emplace(status.Registry, run->Root, run->View);
      keys->OpenKeyReadOnly(kRunKey);
    }
    for (const int row : SelectedRows(liveList, scope)) {
      const TListRow& entry = liveList.Rows()[row];
      // A Startup folder's file goes by its exact name, ".lnk" included, as Windows names its switch.
      const std::string& name = nameOf(entry);
      if (keys && !keys->ValueExists(name) && keys->LastError() == platform::kErrorFileNotFound) {
        gone = true;
        refusals.Refused(entry.Caption, scope, kReasonGone);
        continue;
      }
      try {
        SetStartsAtLogOn(status.Registry, place->Root, place->View, place->SubKey, name, starts, now);
        liveList.SetSubItem(row, kStatusItem, statusText(starts));
      } catch (const ERegistryException&) {
        refusals.NoRights(entry.Caption, scope, ForAllUsers(scope));
      }
    }
  }
  if (gone) {
    FillLists(status.Registry, scopes, &status, liveList, backupList);
  }
}

}  // namespace vantrel
