#include "app/startup_entries.h"

#include <cstdint>

#include "framework/sysutils.h"
#include "framework/unicode.h"

namespace vantrel {

namespace {

TListRow entryRow(const std::string& name, const std::string& scope,
                  const std::optional<std::string>& program) {
  TListRow row;
  row.Caption = name;
  row.SubItems.push_back(scope);
  if (program) {
    row.SubItems.push_back(*program);
  }
  row.ImageIndex = 0;
  return row;
}

const std::string& scopeOf(const TListRow& row) {
  static const std::string none;
  return row.SubItems.empty() ? none : row.SubItems.front();
}

// The first selected row of that scope, -1 when none.
int firstSelected(const TListView& list, const RunScope& scope) {
  for (int i = 0; i < list.RowCount(); ++i) {
    if (list.Rows()[i].Selected && scopeOf(list.Rows()[i]) == scope.Name) {
      return i;
    }
  }
  return -1;
}

// Runs the scopes' parts of one operation one after another: a registry error ends the part it happens in, so
// that the user's own entries can still be changed where the machine's may not.
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
  if (!registry.OpenKey(key, true)) {
    registry.OpenKeyReadOnly(key);
  }
}

// Deletes a value of the open key; one that is not there is no error, a refusal is.
void deleteValue(TRegistry& registry, const std::string& name) {
  if (registry.ValueExists(name) && !registry.DeleteValue(name)) {
    throw ERegistryException("Failed to delete value '" + name + "'");
  }
}

void fillList(TRegistry& registry, const RunScope& scope, const std::string& key, TListView& list) {
  if (!registry.OpenKeyReadOnly(key)) {
    return;
  }
  for (int i = list.RowCount() - 1; i >= 0; --i) {
    if (scopeOf(list.Rows()[i]) == scope.Name) {
      list.DeleteRow(i);
    }
  }
  for (const std::string& name : registry.GetValueNames()) {
    if (name != kAutoStartValue) {
      list.AddRow(entryRow(name, scope.Name, ProgramText(registry.ReadValue(name))));
    }
  }
  registry.CloseKey();
}

void resolveDuplicates(TRegistry& registry, const RunScope& scope, const TListView& backupList,
                       TListView& liveList) {
  for (const TListRow& backup : backupList.Rows()) {
    // A user who may not change the key keeps seeing the entry in both lists.
    if (scopeOf(backup) != scope.Name || !registry.OpenKey(kRunKey, true)) {
      continue;
    }
    const std::string name = Trim(backup.Caption);
    for (int i = liveList.RowCount() - 1; i >= 0; --i) {
      const TListRow& live = liveList.Rows()[i];
      if (live.Caption == name && scopeOf(live) == scope.Name &&
          (!registry.ValueExists(name) || registry.DeleteValue(name))) {
        liveList.DeleteRow(i);
      }
    }
    registry.CloseKey();
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

void FillLists(platform::Registry& registry, const std::vector<RunScope>& scopes, TListView& liveList,
               TListView& backupList) {
  ScopeErrors errors;
  for (const RunScope& scope : scopes) {
    errors.Run([&] {
      TRegistry keys = scope.Keys(registry);
      // A user who may not create the keys still sees what the existing ones hold; the refusal is told after.
      for (const char* key : {kRunKey, kBackupKey}) {
        if (!keys.KeyExists(key)) {
          errors.Run([&] { keys.CreateKey(key); });
        }
      }
      fillList(keys, scope, kRunKey, liveList);
      fillList(keys, scope, kBackupKey, backupList);
      resolveDuplicates(keys, scope, backupList, liveList);
    });
  }
  errors.Raise();
}

void MoveValue(TRegistry& registry, const std::string& from, const std::string& to, const std::string& name) {
  if (!registry.OpenKeyReadOnly(from) || !registry.ValueExists(name)) {
    registry.CloseKey();
    return;
  }
  const TRegValue value = registry.ReadValue(name);
  registry.OpenKey(to, true);
  registry.WriteValue(name, value);
  openForChange(registry, from);
  deleteValue(registry, name);
  registry.CloseKey();
}

void MoveSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes,
                         TListView& fromList, const std::string& fromKey, TListView& toList,
                         const std::string& toKey) {
  // The names moved, by scope.
  std::vector<std::vector<std::string>> moved(scopes.size());
  bool any = false;
  for (std::size_t s = 0; s < scopes.size(); ++s) {
    for (int index; (index = firstSelected(fromList, scopes[s])) >= 0;) {
      const TListRow& row = fromList.Rows()[index];
      const std::string name = Trim(row.Caption);
      const std::string program = Trim(row.SubItems.size() > 1 ? row.SubItems[1] : std::string());
      toList.AddRow(entryRow(name, scopes[s].Name, program));
      fromList.DeleteRow(index);
      moved[s].push_back(name);
      any = true;
    }
  }
  if (!any) {
    return;
  }
  ScopeErrors errors;
  for (std::size_t s = 0; s < scopes.size(); ++s) {
    if (moved[s].empty()) {
      continue;
    }
    errors.Run([&] {
      TRegistry keys = scopes[s].Keys(registry);
      if (!keys.KeyExists(toKey)) {
        keys.CreateKey(toKey);
      }
      for (const std::string& name : moved[s]) {
        MoveValue(keys, fromKey, toKey, name);
      }
    });
  }
  errors.Raise();
}

void DeleteSelectedEntries(platform::Registry& registry, const std::vector<RunScope>& scopes, TListView& list,
                           const std::string& key) {
  ScopeErrors errors;
  for (const RunScope& scope : scopes) {
    if (firstSelected(list, scope) < 0) {
      continue;
    }
    errors.Run([&] {
      TRegistry keys = scope.Keys(registry);
      openForChange(keys, key);
      for (int index; (index = firstSelected(list, scope)) >= 0;) {
        deleteValue(keys, Trim(list.Rows()[index].Caption));
        list.DeleteRow(index);
      }
      keys.CloseKey();
    });
  }
  errors.Raise();
}

void AddEntry(platform::Registry& registry, const RunScope& machine, const RunScope& user,
              const std::string& path, TListView& liveList) {
  const std::string name = ExtractFileName(path);
  TRegistry machineKeys = machine.Keys(registry);
  TRegistry userKeys = user.Keys(registry);
  // Without administrator rights a person can still start a program at their own log-on.
  const bool forAll = machineKeys.OpenKey(kRunKey, true);
  TRegistry& keys = forAll ? machineKeys : userKeys;
  if (!forAll) {
    keys.OpenKey(kRunKey, true);
  }
  liveList.AddRow(entryRow(name, (forAll ? machine : user).Name, path));
  // A value of that name is someone's entry already: it stays as it is.
  if (!keys.ValueExists(name)) {
    keys.WriteString(name, path);
  }
  keys.CloseKey();
}

}  // namespace vantrel
