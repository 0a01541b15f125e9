// Colours, fonts, cursors and the images the program ships as resources.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

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

// An icon the program drew at run time; the system handle lives as long as the image.
class TIconImage {
 public:
  virtual ~TIconImage() = default;
  virtual std::uintptr_t Handle() const = 0;
};

// An image compiled into the executable, named by its resource number (0 for none), or one drawn at run time,
// shared by every copy of the TIcon that holds it.
struct TIcon {
  TIcon() = default;
  explicit TIcon(int resourceId) : ResourceId(resourceId) {}
  explicit TIcon(std::shared_ptr<const TIconImage> image) : Image(std::move(image)) {}

  int ResourceId = 0;
  std::shared_ptr<const TIconImage> Image;
  bool Empty() const { return ResourceId == 0 && !Image; }
};

// A bitmap compiled into the executable. Its pixel art enlarged 2, 3 and 4 times, for screens of more dots
// per inch, is in the resources that follow it by kScaledBitmapStep each.
constexpr int kScaledBitmapStep = 100;

struct TBitmap {
  int ResourceId = 0;
  bool Empty() const { return ResourceId == 0; }
  // The resource of the image enlarged `factor` times (1 for the image itself).
  int ScaledResourceId(int factor) const { return ResourceId + kScaledBitmapStep * (factor - 1); }
};

}  // namespace vantrel
