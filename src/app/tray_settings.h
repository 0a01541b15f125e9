// The tray figure's colours by level, kept in section [Tray] of the settings file beside the other sections,
// which it leaves alone.
#pragma once

#include <cstdint>

#include "figures/tray_level.h"
#include "framework/graphics.h"
#include "framework/ini_file.h"

namespace vantrel {

// Both readable on the tray background's pink chip, where the figure is drawn, and on a light or dark task
// bar beside its pins, where the unit of a compact figure reaches.
constexpr TColor kLowColorDefault = 0x004AB0;       // orange, RRGGBB B04A00
constexpr TColor kCriticalColorDefault = 0x0000C0;  // red, RRGGBB C00000

struct TraySettings {
  TrayLevels levels;
  TColor lowColor = kLowColorDefault;
  TColor criticalColor = kCriticalColorDefault;
};

// A level that is missing, not a number or outside 0 to 100, and a colour that is not six hexadecimal digits
// RRGGBB, stand for their defaults.
TraySettings ReadTraySettings(TIniFile& ini);
// Raises EIniFileException as TIniFile::WriteString does.
void WriteTraySettings(TIniFile& ini, const TraySettings& settings);

// The figure's colour at a level: `normal` while memory is not low.
TColor TrayFigureColor(const TraySettings& settings, TrayLevel level, TColor normal);

}  // namespace vantrel
