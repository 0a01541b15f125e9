// The image of a text tray icon: a short text drawn into a 16×16 bitmap, made an icon by itself or laid over
// a background icon. Every object goes back to the drawing service, also when a call fails on the way (the
// drawing layer's error then reaches the caller).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/graphics.h"
#include "platform/gdi.h"
#include "tray/gdi_objects.h"

namespace vantrel {

constexpr int kTrayImageSize = 16;

// What the text looks like and where it goes.
struct TextIconLook {
  std::string Text;
  TFont Font;
  TColor Color = clBtnFace;
  bool Border = false;
  TColor BorderColor = clBlack;
  std::int32_t OffsetX = 0;
  std::int32_t OffsetY = 0;
  std::int32_t LineDistance = 0;

  bool operator==(const TextIconLook&) const = default;
};

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
// A square of the mask colour, `paint` run on it, then the border ring when asked. `maskColor` receives the
// key it was drawn on.
GdiOwned RenderOnKey(platform::Gdi& gdi, const TextIconLook& look, TColor& maskColor,
                     const TextPainter& paint);
// The text's lines, each centred on 15 (not 16) pixels, then moved by the offsets.
void DrawTextLines(platform::Gdi& gdi, platform::GdiObject dc, const TextIconLook& look);
// The text's width and height in the context's font.
platform::Size TextExtent(platform::Gdi& gdi, platform::GdiObject dc, const std::string& text);
// RenderOnKey with the text's lines.
GdiOwned RenderText(platform::Gdi& gdi, const TextIconLook& look, TColor& maskColor);
// The bitmap as an icon; pixels of the mask colour become transparent, none for clNone.
GdiOwned BitmapToIcon(platform::Gdi& gdi, platform::GdiObject bitmap, TColor maskColor);
// The background icon drawn over a fill colour, kept between merges: drawing it is most of a merge's cost,
// and it changes only with the background or the colours.
struct Backdrop {
  explicit Backdrop(platform::Gdi& gdi) : bitmap(gdi, GdiOwned::Kind::Object, 0) {}

  GdiOwned bitmap;
  platform::GdiObject background = 0;
  platform::ColorRef fill = 0;
};
// The text's pixels (all but those of `maskColor`) over the background icon, whose transparent pixels stay
// transparent. `backdrop` is drawn anew when it holds another background or fill.
GdiOwned MergeWithBackground(platform::Gdi& gdi, platform::GdiObject textBitmap,
                             platform::GdiObject background, TColor color, TColor fontColor, TColor maskColor,
                             Backdrop& backdrop);

}  // namespace vantrel
