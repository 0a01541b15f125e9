// The free memory in the tray when its figure in whole megabytes is too wide for the 16-pixel icon: a short
// number over its unit, drawn in a built-in 3 × 5 pixel font, so that no digit is ever cut and megabytes,
// gigabytes and terabytes are told apart at a glance, whatever fonts the system has.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi.h"

namespace vantrel {

struct CompactFigure {
  std::string number;  // at most four characters, digits and a point
  std::string unit;    // "MB", "GB" or "TB"

  bool operator==(const CompactFigure&) const = default;
};

// 100 to 9999 MB in megabytes; then gigabytes with one decimal below 100 GB, whole gigabytes below 10000 GB,
// and terabytes beyond, with one decimal below 100 TB.
CompactFigure CompactMegabytes(std::int64_t megabytes);

// Whether a one-line text of this width, placed as the text icon places it (centred on 15 pixels, then moved
// by the offset), keeps every column but its trailing spacing inside the image.
bool FitsTheIcon(std::int32_t width, std::int32_t offsetX);

// Width in pixels of a text in the built-in font; characters it lacks count as nothing.
std::int32_t PixelTextWidth(const std::string& text);
// The number on the upper half and the unit on the lower half of a 16 × 16 image, each centred, in `ink`.
void DrawCompactFigure(platform::Gdi& gdi, platform::GdiObject dc, const CompactFigure& figure,
                       platform::ColorRef ink);

}  // namespace vantrel
