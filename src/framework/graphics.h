// Colours, fonts, cursors and the images the program ships as resources.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// 0x00BBGGRR; with the top bit set, a system colour whose low byte is its index; clNone for no colour.
using TColor = std::uint32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clBtnFace = 0xFF00000F;

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

struct TFont {
  std::string Name = "MS Sans Serif";
  // Character height in pixels, negative as a system font height is (-12 is 9 point on a 96 dpi screen).
  int Height = -11;
  TFontStyles Style = 0;
  TColor Color = clWindowText;

  bool operator==(const TFont&) const = default;
};

enum class TCursor { crDefault, crHandPoint };

// An image compiled into the executable, named by its resource number; 0 for none.
struct TIcon {
  int ResourceId = 0;
  bool Empty() const { return ResourceId == 0; }
};

struct TBitmap {
  int ResourceId = 0;
  bool Empty() const { return ResourceId == 0; }
};

}  // namespace vantrel
