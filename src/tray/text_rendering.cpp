#include "tray/text_rendering.h"

#include <cmath>

namespace vantrel {

namespace {

constexpr char kCarriageReturn = '\r';
constexpr std::uint32_t kImageListFlags = platform::kIlcColor32 | platform::kIlcMask;

}  // namespace

platform::LogFont LogFontOf(const TFont& font) {
  platform::LogFont result;
  result.height = font.Height;
  result.weight = (font.Style & fsBold) ? platform::kFwBold : platform::kFwNormal;
  result.italic = (font.Style & fsItalic) != 0;
  result.underline = (font.Style & fsUnderline) != 0;
  result.strikeOut = (font.Style & fsStrikeOut) != 0;
  result.charSet = platform::kAnsiCharset;
  // Smoothed edges would blend the text with the key colour, which then fringes it on the background. The
  // 16-pixel font is a bitmap one, never smoothed; bigger ones may be outlines.
  result.quality = platform::kNonAntialiasedQuality;
  result.faceName = font.Name;
  return result;
}

namespace {

GdiOwned imageList(platform::Gdi& gdi, std::int32_t size) {
  return Made(gdi, GdiOwned::Kind::ImageList, gdi.ImageList_Create(size, size, kImageListFlags, 1, 1));
}

GdiOwned squareBitmap(platform::Gdi& gdi, std::int32_t size) {
  return Made(gdi, GdiOwned::Kind::Object, gdi.CreateCompatibleBitmap(size, size));
}

platform::Rect wholeImage(std::int32_t size) {
  return {0, 0, size, size};
}

// Lines are centred on one pixel less than the image.
std::int32_t centre(const TextIconLook& look) {
  return look.Size - 1;
}

// A length given for a 16-pixel image at `size` pixels.
std::int32_t scaledToImage(std::int32_t length, std::int32_t size) {
  return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(length) * size / kTrayImageSize));
}

}  // namespace

TextIconLook ScaledLook(const TextIconLook& look, std::int32_t size) {
  TextIconLook scaled = look;
  scaled.Size = size;
  scaled.Font.Height = scaledToImage(look.Font.Height, size);
  scaled.OffsetX = scaledToImage(look.OffsetX, size);
  scaled.OffsetY = scaledToImage(look.OffsetY, size);
  scaled.LineDistance = scaledToImage(look.LineDistance, size);
  return scaled;
}

platform::ColorRef ColorToRGB(platform::Gdi& gdi, TColor color) {
  return (color & 0x80000000u) ? gdi.GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

TColor MaskColorFor(platform::Gdi& gdi, TColor color, TColor fontColor) {
  if (color == clNone || color == fontColor) {
    return ColorToRGB(gdi, fontColor) ^ 0xFFFFFF;
  }
  return color;
}

std::vector<std::string> SplitTextLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string rest = text;
  for (std::size_t at = rest.find(kCarriageReturn); at != std::string::npos;
       at = rest.find(kCarriageReturn)) {
    lines.push_back(rest.substr(0, at));
    rest.erase(0, at + 1);
  }
  lines.push_back(rest);
  return lines;
}

GdiOwned RenderOnKey(platform::Gdi& gdi, const TextIconLook& look, TColor& maskColor,
                     const TextPainter& paint) {
  GdiOwned bitmap = squareBitmap(gdi, look.Size);
  maskColor = MaskColorFor(gdi, look.Color, look.Font.Color);
  // Made before the context, so that it goes after the context has let it go.
  const GdiOwned font = Made(gdi, GdiOwned::Kind::Object, gdi.CreateFontIndirectA(LogFontOf(look.Font)));
  DrawingContext canvas(gdi, bitmap.get());
  const platform::GdiObject dc = canvas.get();
  Check(gdi.FillRect(dc, wholeImage(look.Size), ColorToRGB(gdi, maskColor)));
  canvas.SelectFont(font.get());
  gdi.SetTextColor(dc, ColorToRGB(gdi, look.Font.Color));
  gdi.SetBkColor(dc, ColorToRGB(gdi, maskColor));
  gdi.SetBkMode(dc, platform::kOpaque);
  paint(dc);
  if (look.Border) {
    Check(gdi.FrameRect(dc, wholeImage(look.Size), ColorToRGB(gdi, look.BorderColor)));
  }
  return bitmap;
}

platform::Size TextExtent(platform::Gdi& gdi, platform::GdiObject dc, const std::string& text) {
  platform::Size size;
  Check(gdi.GetTextExtentPoint32A(dc, text, size));
  return size;
}

void DrawTextLines(platform::Gdi& gdi, platform::GdiObject dc, const TextIconLook& look) {
  const std::int32_t middle = centre(look);
  const std::size_t firstReturn = look.Text.find(kCarriageReturn);
  if (firstReturn == std::string::npos) {
    const platform::Size size = TextExtent(gdi, dc, look.Text);
    Check(gdi.ExtTextOutA(dc, (middle - size.cx) / 2 + look.OffsetX, (middle - size.cy) / 2 + look.OffsetY,
                          look.Text));
    return;
  }
  const std::vector<std::string> lines = SplitTextLines(look.Text);
  const std::int32_t lineHeight = TextExtent(gdi, dc, look.Text.substr(firstReturn)).cy + look.LineDistance;
  const std::int32_t top = (middle - static_cast<std::int32_t>(lines.size()) * lineHeight) / 2 + look.OffsetY;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const platform::Size size = TextExtent(gdi, dc, lines[i]);
    Check(gdi.ExtTextOutA(dc, (middle - size.cx) / 2 + look.OffsetX,
                          top + static_cast<std::int32_t>(i) * lineHeight, lines[i]));
  }
}

GdiOwned RenderText(platform::Gdi& gdi, const TextIconLook& look, TColor& maskColor) {
  return RenderOnKey(gdi, look, maskColor, [&](platform::GdiObject dc) { DrawTextLines(gdi, dc, look); });
}

GdiOwned BitmapToIcon(platform::Gdi& gdi, platform::GdiObject bitmap, TColor maskColor, std::int32_t size) {
  const GdiOwned list = imageList(gdi, size);
  const platform::ColorRef mask = maskColor == clNone ? platform::kClrNone : ColorToRGB(gdi, maskColor);
  Check(gdi.ImageList_AddMasked(list.get(), bitmap, mask) >= 0);
  return Made(gdi, GdiOwned::Kind::Icon, gdi.ImageList_GetIcon(list.get(), 0, platform::kIldNormal));
}

GdiOwned MergeWithBackground(platform::Gdi& gdi, platform::GdiObject textBitmap,
                             platform::GdiObject background, TColor color, TColor fontColor, TColor maskColor,
                             Backdrop& backdrop, std::int32_t size) {
  const platform::ColorRef fill = ColorToRGB(gdi, MaskColorFor(gdi, color, fontColor));
  if (!backdrop.bitmap.get() || backdrop.background != background || backdrop.fill != fill ||
      backdrop.size != size) {
    backdrop.bitmap.reset();
    const GdiOwned list = imageList(gdi, size);
    Check(gdi.ImageList_ReplaceIcon(list.get(), -1, background) >= 0);
    GdiOwned drawn = squareBitmap(gdi, size);
    {
      const DrawingContext canvas(gdi, drawn.get());
      Check(gdi.FillRect(canvas.get(), wholeImage(size), fill));
      Check(gdi.ImageList_Draw(list.get(), 0, canvas.get(), 0, 0, platform::kIldTransparent));
    }
    backdrop.bitmap = std::move(drawn);
    backdrop.background = background;
    backdrop.fill = fill;
    backdrop.size = size;
  }
  const GdiOwned working = squareBitmap(gdi, size);
  {
    const DrawingContext canvas(gdi, working.get());
    const DrawingContext under(gdi, backdrop.bitmap.get());
    Check(gdi.BitBlt(canvas.get(), 0, 0, size, size, under.get(), 0, 0, platform::kSrcCopy));
    const DrawingContext text(gdi, textBitmap);
    Check(gdi.GdiTransparentBlt(canvas.get(), 0, 0, size, size, text.get(), 0, 0, size, size,
                                ColorToRGB(gdi, maskColor)));
  }
  const GdiOwned list = imageList(gdi, size);
  const int added = gdi.ImageList_AddMasked(list.get(), working.get(), fill);
  Check(added >= 0);
  return Made(gdi, GdiOwned::Kind::Icon, gdi.ImageList_GetIcon(list.get(), added, platform::kIldNormal));
}

}  // namespace vantrel
