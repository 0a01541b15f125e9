// The free memory in the tray when its figure in whole megabytes is too wide for the icon: a short number
// over its unit, drawn in a built-in 3 × 5 pixel font, so that no digit is ever cut and megabytes, gigabytes
// and terabytes are told apart at a glance, whatever fonts the system has.
//
// At bigger icon sizes the font grows by whole factors only (each of its pixels a square of size / 16
// pixels), so that it stays crisp, and the number has as many characters as then fit: 4 at 16 and 32 pixels,
// 5 at 20, 6 at 24.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi.h"

namespace vantrel {

struct CompactFigure {
  std::string number;  // digits and a point, at most as many characters as asked for
  std::string unit;    // "MB", "GB" or "TB"

  bool operator==(const CompactFigure&) const = default;
};

// With four characters: 100 to 9999 MB in megabytes; then gigabytes with one decimal below 100 GB, whole
// gigabytes below 10000 GB, and terabytes beyond, with one decimal below 100 TB. With more characters the
// megabytes and whole gigabytes go on up to as many digits (99999 MB with five).
CompactFigure CompactMegabytes(std::int64_t megabytes, int characters = 4);

// Whether a one-line text of this width, placed as the text icon places it (centred on one pixel less than
// the image, then moved by the offset), keeps every column but its trailing spacing inside the image.
bool FitsTheIcon(std::int32_t width, std::int32_t offsetX, std::int32_t size = 16);

// The factor the built-in font is drawn at in an image of `size` pixels: size / 16, at least 1.
std::int32_t CompactScale(std::int32_t size);
// How many characters of the number fit an image of `size` pixels, each three font pixels wide and one apart,
// leaving one font column free as at 16 pixels.
int CompactCharacters(std::int32_t size);

// Width in pixels of a text in the built-in font at factor 1; characters it lacks count as nothing.
std::int32_t PixelTextWidth(const std::string& text);
// The number on the upper half and the unit on the lower half of a `size` × `size` image, each centred, in
// `ink`: the 16-pixel layout grown by CompactScale(size) and centred.
void DrawCompactFigure(platform::Gdi& gdi, platform::GdiObject dc, const CompactFigure& figure,
                       platform::ColorRef ink, std::int32_t size = 16);

}  // namespace vantrel
