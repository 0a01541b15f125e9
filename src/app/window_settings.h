// The window's size and how its Startup Manager shows, kept in section [Window] of the settings file beside
// the other sections, which it leaves alone. The size is in the layout's units (pixels at 96 dpi), so that it
// means the same size on a screen of other dots per inch.
#pragma once

#include <cstdint>

#include "framework/ini_file.h"

namespace vantrel {

// The client size the window was made for: the smallest it may be.
constexpr std::int32_t kWindowWidth = 452;
constexpr std::int32_t kWindowHeight = 311;
// Larger than any desktop; a side beyond it comes from a damaged file.
constexpr std::int32_t kWindowSideMax = 16384;

struct WindowSize {
  std::int32_t width = kWindowWidth;
  std::int32_t height = kWindowHeight;
};

// A side that is missing, not a number, below the smallest size or beyond kWindowSideMax stands for the
// smallest size's.
WindowSize ReadWindowSize(TIniFile& ini);
// Raises EIniFileException as TIniFile::WriteInteger does.
void WriteWindowSize(TIniFile& ini, const WindowSize& size);

// The Startup Manager's box "Hide Windows' own entries": on unless the file says 0.
bool ReadHideWindowsEntries(TIniFile& ini);
void WriteHideWindowsEntries(TIniFile& ini, bool hide);

}  // namespace vantrel
