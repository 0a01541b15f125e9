// The Free Memory page's settings: section [FreeMemory] of the settings file, beside the [Vantrel] section,
// which they leave alone. A value out of its range, or not a number, stands for its default; so does a hotkey
// without Ctrl or Alt, and a hotkey turned on without a key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ini_file.h"
#include "memory/memory_regions.h"

namespace vantrel {

constexpr std::int32_t kBelowPercentOff = 0;
constexpr std::int32_t kBelowPercentMin = 1;
constexpr std::int32_t kBelowPercentMax = 90;
// What the page's edit offers while the rule is off.
constexpr std::int32_t kBelowPercentShown = 10;
constexpr std::int32_t kCooldownMin = 1;
constexpr std::int32_t kCooldownMax = 1440;
constexpr std::int32_t kCooldownDefault = 5;

struct FreeMemorySettings {
  RegionChoice regions = kDefaultRegions;
  // The automatic rule's share of the total memory in percent; kBelowPercentOff: no automatic rule.
  std::int32_t belowPercent = kBelowPercentOff;
  std::int32_t cooldownMinutes = kCooldownDefault;
  // The hotkey field's word (0 for none), and whether the combination runs Free All.
  std::uint16_t hotkey = 0;
  bool hotkeyOn = false;
  // The executables' file names whose working sets are never trimmed, exactly as typed.
  std::vector<std::string> keepPrograms;
};

FreeMemorySettings ReadFreeMemorySettings(TIniFile& ini);
// Raises EIniFileException as TIniFile::WriteInteger does; the keys before the failure stay written.
void WriteFreeMemorySettings(TIniFile& ini, const FreeMemorySettings& settings);
// The regions chosen, by their keys, joined by "+"; as the log file names them.
std::string RegionNames(const RegionChoice& choice);

}  // namespace vantrel
