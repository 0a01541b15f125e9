#include "app/tray_settings.h"

#include <cstdio>
#include <optional>
#include <string>

#include "framework/sysutils.h"

namespace vantrel {

namespace {

constexpr char kSection[] = "Tray";
constexpr char kLowPercent[] = "LowPercent";
constexpr char kCriticalPercent[] = "CriticalPercent";
constexpr char kLowColor[] = "LowColor";
constexpr char kCriticalColor[] = "CriticalColor";
// ReadInteger's answer for a missing key or one that is no number: no percentage can be it.
constexpr std::int32_t kMissing = INT32_MIN;

std::int32_t percent(TIniFile& ini, const char* key, std::int32_t fallback) {
  const std::int32_t value = ini.ReadInteger(kSection, key, kMissing);
  return value >= 0 && value <= 100 ? value : fallback;
}

// "RRGGBB" as a colour (0x00BBGGRR).
std::optional<TColor> colourOf(const std::string& text) {
  constexpr std::size_t kDigits = 6;
  if (text.size() != kDigits) {
    return std::nullopt;
  }
  std::uint32_t rgb = 0;
  for (const char c : text) {
    const std::optional<int> digit = HexDigit(c);
    if (!digit) {
      return std::nullopt;
    }
    rgb = rgb << 4 | static_cast<std::uint32_t>(*digit);
  }
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

TColor colour(TIniFile& ini, const char* key, TColor fallback) {
  return colourOf(ini.ReadString(kSection, key, "")).value_or(fallback);
}

std::string text(TColor colour) {
  char digits[7];
  std::snprintf(digits, sizeof digits, "%02X%02X%02X", colour & 0xFF, colour >> 8 & 0xFF,
                colour >> 16 & 0xFF);
  return digits;
}

}  // namespace

TraySettings ReadTraySettings(TIniFile& ini) {
  TraySettings settings;
  settings.levels.lowPercent = percent(ini, kLowPercent, settings.levels.lowPercent);
  settings.levels.criticalPercent = percent(ini, kCriticalPercent, settings.levels.criticalPercent);
  settings.lowColor = colour(ini, kLowColor, settings.lowColor);
  settings.criticalColor = colour(ini, kCriticalColor, settings.criticalColor);
  return settings;
}

void WriteTraySettings(TIniFile& ini, const TraySettings& settings) {
  ini.WriteInteger(kSection, kLowPercent, settings.levels.lowPercent);
  ini.WriteInteger(kSection, kCriticalPercent, settings.levels.criticalPercent);
  ini.WriteString(kSection, kLowColor, text(settings.lowColor));
  ini.WriteString(kSection, kCriticalColor, text(settings.criticalColor));
}

TColor TrayFigureColor(const TraySettings& settings, TrayLevel level, TColor normal) {
  switch (level) {
    case TrayLevel::Low:
      return settings.lowColor;
    case TrayLevel::Critical:
      return settings.criticalColor;
    case TrayLevel::Normal:
      break;
  }
  return normal;
}

}  // namespace vantrel
