#include "startup/startup_approved.h"

#include <algorithm>

#include "startup/startup_rows.h"

namespace vantrel {

namespace {

constexpr std::size_t kSwitchSize = 12;
constexpr std::uint8_t kSwitchedOff = 0x01;
// What Windows writes for an entry it switches off that had no value.
constexpr std::uint8_t kWindowsOff = 0x03;

bool wellFormed(const TRegValue& value) {
  return value.Type == platform::kRegBinary && value.Data.size() == kSwitchSize;
}

std::string pathOf(const std::string& subKey) {
  return std::string(kStartupApprovedKey) + "\\" + subKey;
}

std::optional<TRegValue> readSwitch(TRegistry& key, const std::string& name) {
  try {
    if (key.ValueExists(name)) {
      return key.ReadRawValue(name);
    }
  } catch (const ERegistryException&) {
    // Unreadable: Windows cannot read it either, and starts the entry.
  }
  return std::nullopt;
}

}  // namespace

std::optional<ApprovedPlace> ApprovedPlaceOf(const std::string& location, const std::string& scope,
                                             bool program32) {
  // Windows keeps the machine's switches, those of the 32-bit programs' Run key too, in the 64-bit view:
  // the Explorer key is redirected like the rest of HKLM\Software, so a 32-bit program must ask for that
  // view. The user's keys have one view.
  const std::uint32_t machineView = program32 ? platform::kKeyWow64_64Key : 0;
  struct Entry {
    const char* location;
    const char* scope;
    platform::HKey root;
    const char* subKey;
  };
  static const Entry kPlaces[] = {
      {kRunLocation, "All users", platform::kHKeyLocalMachine, kApprovedRun},
      {kRunLocation, "All users (32-bit)", platform::kHKeyLocalMachine, kApprovedRun32},
      {kRunLocation, "This user", platform::kHKeyCurrentUser, kApprovedRun},
      // The files of the Startup folders, each folder's under its own hive.
      {kFolderLocation, "This user (folder)", platform::kHKeyCurrentUser, kApprovedStartupFolder},
      {kFolderLocation, "All users (folder)", platform::kHKeyLocalMachine, kApprovedStartupFolder},
  };
  for (const Entry& entry : kPlaces) {
    if (location == entry.location && scope == entry.scope) {
      return ApprovedPlace{entry.root, entry.root == platform::kHKeyLocalMachine ? machineView : 0u,
                           entry.subKey};
    }
  }
  return std::nullopt;
}

bool StartsByValue(const std::optional<TRegValue>& value) {
  return !value || !wellFormed(*value) || (value->Data[0] & kSwitchedOff) == 0;
}

std::vector<bool> StartsAtLogOn(platform::Registry& registry, platform::HKey root, std::uint32_t view,
                                const std::string& subKey, const std::vector<std::string>& names) {
  std::vector<bool> starts(names.size(), true);
  TRegistry key(registry, root, view);
  if (!key.OpenKeyReadOnly(pathOf(subKey))) {
    return starts;
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    starts[i] = StartsByValue(readSwitch(key, names[i]));
  }
  return starts;
}

void SetStartsAtLogOn(platform::Registry& registry, platform::HKey root, std::uint32_t view,
                      const std::string& subKey, const std::string& name, bool starts, std::uint64_t now) {
  const std::string path = pathOf(subKey);
  TRegistry key(registry, root, view);
  std::optional<TRegValue> value;
  if (key.OpenKeyReadOnly(path)) {
    value = readSwitch(key, name);
  }
  if (StartsByValue(value) == starts) {
    return;
  }
  TRegValue written{platform::kRegBinary, std::vector<std::uint8_t>(kSwitchSize, 0)};
  if (value && wellFormed(*value)) {
    std::copy(value->Data.begin(), value->Data.begin() + 4, written.Data.begin());
  } else {
    // Reads as on: only switching off gets here.
    written.Data[0] = kWindowsOff;
  }
  if (starts) {
    written.Data[0] &= static_cast<std::uint8_t>(~kSwitchedOff);
  } else {
    written.Data[0] |= kSwitchedOff;
    for (std::size_t i = 0; i < 8; ++i) {
      written.Data[4 + i] = static_cast<std::uint8_t>(now >> (8 * i));
    }
  }
  if (!key.KeyExists(path)) {
    key.CreateKey(path);
  }
  // Opened for reading where it may not be changed, so that the refusal shows at the writing.
  if (!key.OpenKey(path, false)) {
    key.OpenKeyReadOnly(path);
  }
  key.WriteValue(name, written);
}

}  // namespace vantrel
