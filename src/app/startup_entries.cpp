#include "app/startup_entries.h"

#include <cstdint>
#include <vector>

#include "app/run_key.h"
#include "framework/sysutils.h"

namespace vantrel {

namespace {

TListRow entryRow(const std::string& name, const std::optional<std::string>& program) {
  TListRow row;
  row.Caption = name;
  if (program) {
    row.SubItems.push_back(*program);
  }
  row.ImageIndex = 0;
  return row;
}

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

}  // namespace

std::optional<std::string> ProgramText(const TRegValue& value) {
  const std::vector<std::uint8_t>& data = value.Data;
  switch (value.Type) {
    case platform::kRegSz: {
      const std::string text(data.begin(), data.end());
      return text.substr(0, text.find('\0'));
    }
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
      std::string text;
      for (const std::uint8_t byte : data) {
        text += byte == 0 ? std::string("\r\n") : std::string(1, static_cast<char>(byte));
      }
      return text;
    }
    default:
      return std::nullopt;
  }
}

void FillList(TRegistry& registry, const std::string& key, TListView& list) {
  if (!registry.OpenKeyReadOnly(key)) {
    return;
  }
  list.Clear();
  for (const std::string& name : registry.GetValueNames()) {
    if (name != kAutoStartValue) {
      list.AddRow(entryRow(name, ProgramText(registry.ReadValue(name))));
    }
  }
  registry.CloseKey();
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

void MoveSelectedEntries(TRegistry& registry, TListView& fromList, const std::string& fromKey,
                         TListView& toList, const std::string& toKey) {
  std::vector<std::string> moved;
  for (int n = fromList.SelCount(); n > 0; --n) {
    const int index = fromList.Selected();
    const TListRow& row = fromList.Rows()[index];
    const std::string name = Trim(row.Caption);
    const std::string program = Trim(row.SubItems.empty() ? std::string() : row.SubItems.front());
    toList.AddRow(entryRow(name, program));
    fromList.DeleteRow(index);
    moved.push_back(name);
  }
  if (moved.empty()) {
    return;
  }
  if (!registry.KeyExists(toKey)) {
    registry.CreateKey(toKey);
  }
  for (const std::string& name : moved) {
    MoveValue(registry, fromKey, toKey, name);
  }
}

void DeleteSelectedEntries(TRegistry& registry, TListView& list, const std::string& key) {
  if (list.SelCount() == 0) {
    return;
  }
  openForChange(registry, key);
  for (int n = list.SelCount(); n > 0; --n) {
    const int index = list.Selected();
    deleteValue(registry, Trim(list.Rows()[index].Caption));
    list.DeleteRow(index);
  }
  registry.CloseKey();
}

void ResolveDuplicates(TRegistry& registry, const TListView& backupList, TListView& liveList,
                       const std::string& liveKey) {
  for (const TListRow& backup : backupList.Rows()) {
    const std::string name = Trim(backup.Caption);
    // A user who may not change the key keeps seeing the entry in both lists.
    if (!registry.OpenKey(liveKey, true)) {
      continue;
    }
    for (int i = liveList.RowCount() - 1; i >= 0; --i) {
      if (liveList.Rows()[i].Caption == name && (!registry.ValueExists(name) || registry.DeleteValue(name))) {
        liveList.DeleteRow(i);
      }
    }
    registry.CloseKey();
  }
}

}  // namespace vantrel
