// The image of a text tray icon: a short text drawn into a square bitmap (16 × 16 at 96 DPI, the system's
// small-icon size at others), made an icon by itself or laid over a background icon. Every object goes back
// to the drawing service, also when a call fails on the way (the drawing layer's error then reaches the
// caller).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/graphics.h"
#include "platform/gdi.h"
#include "tray/gdi_objects.h"

namespace vantrel {

// The size every look is first given for; at another size it is scaled by size / 16.
constexpr int kTrayImageSize = 16;

// What the text looks like and where it goes, in an image of Size × Size pixels.
struct TextIconLook {
  std::string Text;
  TFont Font;
  TColor Color = clBtnFace;
  bool Border = false;
  TColor BorderColor = clBlack;
  std::int32_t OffsetX = 0;
  std::int32_t OffsetY = 0;
  std::int32_t LineDistance = 0;
  std::int32_t Size = kTrayImageSize;

  bool operator==(const TextIconLook&) const = default;
};

// The look of a 16-pixel image at `size` pixels: the font's height, the offsets and the line distance
// scaled by size / 16, each to the nearest pixel (ties to even). At 16 it is the look itself.
TextIconLook ScaledLook(const TextIconLook& look, std::int32_t size);
// The description of the font the text is drawn in.
platform::LogFont LogFontOf(const TFont& font);
// A system colour resolved through the system; any other colour as it is.
platform::ColorRef ColorToRGB(platform::Gdi& gdi, TColor color);
// The background key: the complement of the font colour when `color` is none or the font colour itself (as
// stored, not as resolved), so that the text always stands out; else `color`.
TColor MaskColorFor(platform::Gdi& gdi, TColor color, TColor fontColor);
// The lines between carriage returns; a line feed after one stays at the start of the next line.
std::vector<std::string> SplitTextLines(const std::string& text);

// Draws on a context whose font and text colours are those of the look.
using TextPainter = std::function<void(platform::GdiObject dc)>;
// A square of the look's size in the mask colour, `paint` run on it, then the border ring when asked.
// `maskColor` receives the key it was drawn on.
GdiOwned RenderOnKey(platform::Gdi& gdi, const TextIconLook& look, TColor& maskColor,
                     const TextPainter& paint);
// The text's lines, each centred on one pixel less than the image (15 of 16), then moved by the offsets.
void DrawTextLines(platform::Gdi& gdi, platform::GdiObject dc, const TextIconLook& look);
// The text's width and height in the context's font.
platform::Size TextExtent(platform::Gdi& gdi, platform::GdiObject dc, const std::string& text);
// RenderOnKey with the text's lines.
GdiOwned RenderText(platform::Gdi& gdi, const TextIconLook& look, TColor& maskColor);
// The bitmap (`size` pixels square) as an icon; pixels of the mask colour become transparent, none for
// clNone.
GdiOwned BitmapToIcon(platform::Gdi& gdi, platform::GdiObject bitmap, TColor maskColor,
                      std::int32_t size = kTrayImageSize);
// The background icon drawn over a fill colour at a size, kept between merges: drawing it is most of a
// merge's cost, and it changes only with the background, the colours or the size.
struct Backdrop {
  explicit Backdrop(platform::Gdi& gdi) : bitmap(gdi, GdiOwned::Kind::Object, 0) {}

  GdiOwned bitmap;
  platform::GdiObject background = 0;
  platform::ColorRef fill = 0;
  std::int32_t size = 0;
};
// The text's pixels (all but those of `maskColor`) over the background icon, whose transparent pixels stay
// transparent. The text bitmap is `size` pixels square; the background is scaled to it when it is not.
// `backdrop` is drawn anew when it holds another background, fill or size.
GdiOwned MergeWithBackground(platform::Gdi& gdi, platform::GdiObject textBitmap,
                             platform::GdiObject background, TColor color, TColor fontColor, TColor maskColor,
                             Backdrop& backdrop, std::int32_t size = kTrayImageSize);

}  // namespace vantrel
