#include "free_all/free_memory_settings.h"

#include <array>

#include "free_all/free_all_hotkey.h"

namespace vantrel {

namespace {

constexpr char kSection[] = "FreeMemory";
// By Region.
constexpr std::array<const char*, kRegionCount> kRegionKeys = {
    "WorkingSets",  "FileCache",     "StandbyLowPriority", "Standby",
    "ModifiedList", "CombinedPages", "RegistryCache"};
constexpr char kBelowPercent[] = "BelowPercent";
constexpr char kCooldownMinutes[] = "CooldownMinutes";
constexpr char kHotkey[] = "Hotkey";
constexpr char kHotkeyOn[] = "HotkeyOn";
// ReadInteger's answer for a missing key or one that is no number: no value of range can be it.
constexpr std::int32_t kMissing = INT32_MIN;

std::int32_t within(std::int32_t value, std::int32_t lower, std::int32_t upper, std::int32_t fallback) {
  return value >= lower && value <= upper ? value : fallback;
}

}  // namespace

FreeMemorySettings ReadFreeMemorySettings(TIniFile& ini) {
  FreeMemorySettings settings;
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    const std::int32_t value = ini.ReadInteger(kSection, kRegionKeys[index], kMissing);
    if (value == 0 || value == 1) {
      settings.regions[index] = value == 1;
    }
  }
  const std::int32_t below = ini.ReadInteger(kSection, kBelowPercent, kMissing);
  settings.belowPercent =
      below == kBelowPercentOff ? below : within(below, kBelowPercentMin, kBelowPercentMax, kBelowPercentOff);
  settings.cooldownMinutes = within(ini.ReadInteger(kSection, kCooldownMinutes, kMissing), kCooldownMin,
                                    kCooldownMax, kCooldownDefault);
  const std::int32_t hotkey = ini.ReadInteger(kSection, kHotkey, kMissing);
  if (hotkey > 0 && hotkey <= 0xFFFF && HotkeyUsable(static_cast<std::uint16_t>(hotkey))) {
    settings.hotkey = static_cast<std::uint16_t>(hotkey);
  }
  settings.hotkeyOn = settings.hotkey != 0 && ini.ReadInteger(kSection, kHotkeyOn, kMissing) == 1;
  return settings;
}

void WriteFreeMemorySettings(TIniFile& ini, const FreeMemorySettings& settings) {
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    ini.WriteInteger(kSection, kRegionKeys[index], settings.regions[index] ? 1 : 0);
  }
  ini.WriteInteger(kSection, kBelowPercent, settings.belowPercent);
  ini.WriteInteger(kSection, kCooldownMinutes, settings.cooldownMinutes);
  ini.WriteInteger(kSection, kHotkey, settings.hotkey);
  ini.WriteInteger(kSection, kHotkeyOn, settings.hotkeyOn ? 1 : 0);
}

std::string RegionNames(const RegionChoice& choice) {
  std::string names;
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    if (choice[index]) {
      (names += names.empty() ? "" : "+") += kRegionKeys[index];
    }
  }
  return names;
}

}  // namespace vantrel
