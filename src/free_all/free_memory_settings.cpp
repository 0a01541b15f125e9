#include "free_all/free_memory_settings.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "framework/sysutils.h"
#include "free_all/free_all_hotkey.h"
#include "platform/file_name_case.h"

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
constexpr char kKeepPrograms[] = "KeepPrograms";
constexpr char kNameSeparator = '|';
// ReadInteger's answer for a missing key or one that is no number: no value of range can be it.
constexpr std::int32_t kMissing = INT32_MIN;

std::int32_t within(std::int32_t value, std::int32_t lower, std::int32_t upper, std::int32_t fallback) {
  return value >= lower && value <= upper ? value : fallback;
}

// The system keeps a settings file without a byte-order mark in the ANSI code page, where a name in another
// script would come back as "?"; and turning the user's file into UTF-16 would change what earlier versions
// wrote. So the names are kept in ASCII: each byte of their UTF-8 outside printable ASCII, and the
// characters the value's syntax uses ('%', '|', '"'), as "%XX". An ASCII name reads as typed.
std::string escaped(const std::string& name) {
  std::string text;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '%' || c == kNameSeparator || c == '"') {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", byte);
      text += hex;
    } else {
      text += c;
    }
  }
  return text;
}

// A '%' without two hexadecimal digits after it is a '%' of a name typed into the file by hand.
std::string unescaped(const std::string& text) {
  std::string name;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const int high = at + 2 < text.size() && text[at] == '%' ? HexDigit(text[at + 1]).value_or(-1) : -1;
    const int low = high >= 0 ? HexDigit(text[at + 2]).value_or(-1) : -1;
    if (low >= 0) {
      name += static_cast<char>(high * 16 + low);
      at += 2;
    } else {
      name += text[at];
    }
  }
  return name;
}

// Without empty names, and each name once, the first as written.
std::vector<std::string> distinctNames(const std::vector<std::string>& names) {
  std::vector<std::string> distinct;
  for (const std::string& name : names) {
    bool seen = name.empty();
    for (const std::string& kept : distinct) {
      seen = seen || SameFileName(kept, name);
    }
    if (!seen) {
      distinct.push_back(name);
    }
  }
  return distinct;
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
  const std::string kept = ini.ReadString(kSection, kKeepPrograms, "");
  std::vector<std::string> names;
  for (std::size_t begin = 0; begin <= kept.size();) {
    const std::size_t end = std::min(kept.find(kNameSeparator, begin), kept.size());
    names.push_back(unescaped(kept.substr(begin, end - begin)));
    begin = end + 1;
  }
  settings.keepPrograms = distinctNames(names);
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
  std::string kept;
  for (const std::string& name : distinctNames(settings.keepPrograms)) {
    kept += (kept.empty() ? "" : std::string(1, kNameSeparator)) + escaped(name);
  }
  // A list never made leaves the file without the key; one emptied is written empty.
  if (!kept.empty() || !ini.ReadString(kSection, kKeepPrograms, "").empty()) {
    ini.WriteString(kSection, kKeepPrograms, kept);
  }
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
