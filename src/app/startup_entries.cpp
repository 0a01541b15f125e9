#include "app/startup_entries.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <unordered_map>
#include <utility>

#include "app/startup_approved.h"
#include "app/startup_rows.h"
#include "framework/sysutils.h"
#include "framework/unicode.h"

namespace vantrel {

namespace {

// The sub-item of a row's status, in the live list with a Status column.
constexpr int kStatusItem = 1;

const char* statusText(bool starts) {
  return starts ? "Enabled" : "Disabled";
}

// Runs the parts of one operation one after another: a registry error ends the part it happens in, so that
// the user's own entries can still be changed where the machine's may not.
class ScopeErrors {
 public:
  template <typename Part>
  void Run(Part&& part) {
    try {
      part();
    } catch (const ERegistryException& error) {
      if (!first_) {
        first_ = error;
      }
    }
  }
  // Raises the first error, once every part had its turn.
  void Raise() const {
    if (first_) {
      throw *first_;
    }
  }

 private:
  std::optional<ERegistryException> first_;
};

// Opens the key for changes, or for reading where the user may not change it, so that a refused change shows
// as refused rather than as a value that is not there.
void openForChange(TRegistry& registry, const std::string& key) {
  if (!registry.OpenKey(key, false)) {
    registry.OpenKeyReadOnly(key);
  }
}

// Deletes a value of the open key; one that is not there is no error, a refusal is.
void deleteValue(TRegistry& registry, const std::string& name) {
  if (registry.ValueExists(name) && !registry.DeleteValue(name)) {
    throw ERegistryException("Failed to delete value '" + name + "'");
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

// Replaces the scope's rows of `list` with the values of `key`, with their status where `status` is given; a
// key that cannot be read leaves them.
Listed fillList(TRegistry& registry, const RunScope& scope, const std::string& key,
                const StatusColumn* status, TListView& list) {
  Listed listed;
  if (!registry.OpenKeyReadOnly(key)) {
    return listed;
  }
  for (int i = list.RowCount() - 1; i >= 0; --i) {
    if (ScopeOf(list.Rows()[i]) == scope.Name) {
      list.DeleteRow(i);
    }
  }
  for (const std::string& name : registry.GetValueNames()) {
    if (name == kAutoStartValue) {
      continue;
    }
    std::optional<TRegValue> value;
    try {
      value = registry.ReadValue(name);
    } catch (const ERegistryException&) {
      // Listed all the same, with no Program text: it can still be moved or deleted.
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
    list.AddRow(EntryRow(listed[i].first, scope.Name, status ? std::optional(texts[i]) : std::nullopt,
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
    if (ScopeOf(row) == scope.Name && deleted.count(row.Caption)) {
      liveList.DeleteRow(i);
    }
  }
}

// Carries the value `name`, type and data as the registry holds them, from the open key `from` to the open
// key `to`: written there before it is deleted here, so that a failure in between leaves it in both. Nothing
// happens when `from` has no such value.
void moveValue(TRegistry& from, TRegistry& to, const std::string& name) {
  if (from.ValueExists(name)) {
    to.WriteValue(name, from.ReadRawValue(name));
    deleteValue(from, name);
  }
}

}  // namespace

std::optional<std::string> ProgramText(const TRegValue& value) {
  const std::vector<std::uint8_t>& data = value.Data;
  switch (value.Type) {
    case platform::kRegSz:
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
                         TListView& toList, const std::string& toKey) {
  // The registry first, then the lists once: a row moves when its value did.
  std::vector<int> movedRows;
  ScopeErrors errors;
  for (const RunScope& scope : scopes) {
    const std::vector<int> rows = SelectedRows(fromList, scope.Name);
    if (rows.empty()) {
      continue;
    }
    errors.Run([&] {
      TRegistry to = scope.Keys(registry);
      // Created only now, when an entry is to go there, so that a user who may not create it hears of it
      // once.
      if (!to.KeyExists(toKey)) {
        to.CreateKey(toKey);
      }
      TRegistry from = scope.Keys(registry);
      openForChange(from, fromKey);
      to.OpenKey(toKey, false);
      for (const int row : rows) {
        // One entry that cannot be moved stays where it is; the others still move.
        errors.Run([&] {
          moveValue(from, to, fromList.Rows()[row].Caption);
          movedRows.push_back(row);
        });
      }
    });
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
                              *statusOf(status, ScopeOf(moved), moved.Caption));
      }
      fromList.DeleteRow(*row);
      toList.AddRow(moved);
    }
  }
  errors.Raise();
}

void DeleteSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes, TListView& list,
                           const std::string& key) {
  std::vector<int> deletedRows;
  ScopeErrors errors;
  for (const RunScope& scope : scopes) {
    const std::vector<int> rows = SelectedRows(list, scope.Name);
    if (rows.empty()) {
      continue;
    }
    errors.Run([&] {
      TRegistry keys = scope.Keys(registry);
      openForChange(keys, key);
      for (const int row : rows) {
        errors.Run([&] {
          deleteValue(keys, list.Rows()[row].Caption);
          deletedRows.push_back(row);
        });
      }
    });
  }
  TListViewUpdate update(list);
  std::sort(deletedRows.begin(), deletedRows.end());
  for (auto row = deletedRows.rbegin(); row != deletedRows.rend(); ++row) {
    list.DeleteRow(*row);
  }
  errors.Raise();
}

void AddEntry(platform::Registry& registry, const RunScope& machine, const RunScope& user,
              const StatusColumn* status, const std::string& path, TListView& liveList) {
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
  liveList.AddRow(EntryRow(name, scope, statusOf(status, scope, name), path));
  // A value of that name is someone's entry already: it stays as it is.
  if (!keys.ValueExists(name)) {
    keys.WriteString(name, path);
  }
  keys.CloseKey();
}

void SetSelectedStartsAtLogOn(const StatusColumn& status, TListView& liveList, bool starts,
                              std::uint64_t now) {
  std::vector<std::string> scopes;
  for (const TListRow& row : liveList.Rows()) {
    if (row.Selected && std::find(scopes.begin(), scopes.end(), ScopeOf(row)) == scopes.end()) {
      scopes.push_back(ScopeOf(row));
    }
  }
  ScopeErrors errors;
  for (const std::string& scope : scopes) {
    const std::optional<ApprovedPlace> place = ApprovedPlaceOf(scope, status.Program32);
    if (!place) {
      continue;
    }
    for (const int row : SelectedRows(liveList, scope)) {
      errors.Run([&] {
        // A Startup folder's file goes by its exact name, ".lnk" included, as Windows names its switch.
        const TListRow& entry = liveList.Rows()[row];
        SetStartsAtLogOn(status.Registry, place->Root, place->View, place->SubKey,
                         entry.Key.empty() ? entry.Caption : entry.Key, starts, now);
        liveList.SetSubItem(row, kStatusItem, statusText(starts));
      });
    }
  }
  errors.Raise();
}

}  // namespace vantrel
