// The text tray icon's image drawn by the system: its real pixels, and no object left behind.
#include "tray/text_rendering.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/win32_gdi.h"
#include "platform/win32/windows_api.h"

namespace vantrel {
namespace {

constexpr platform::ColorRef kPink = 0xC896FF;
constexpr platform::ColorRef kKey = 0xFF00FF;

class SystemTextRendering : public ::testing::Test {
 protected:
  // A pink square chip (16×16 unless asked otherwise) whose four corner pixels are transparent.
  GdiOwned chip(int size = 16) {
    GdiOwned bitmap(gdi, GdiOwned::Kind::Object, gdi.CreateCompatibleBitmap(size, size));
    {
      DrawingContext canvas(gdi, bitmap.get());
      gdi.FillRect(canvas.get(), {0, 0, size, size}, kPink);
      const int last = size - 1;
      for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
        gdi.FillRect(canvas.get(), {x, y, x + 1, y + 1}, kKey);
      }
    }
    return BitmapToIcon(gdi, bitmap.get(), kKey, size);
  }
  // The icon drawn over a backdrop of one colour at its size, read back pixel by pixel.
  std::vector<platform::ColorRef> pixelsOver(platform::GdiObject icon, platform::ColorRef backdrop,
                                             int size = 16) {
    const GdiOwned list(gdi, GdiOwned::Kind::ImageList,
                        gdi.ImageList_Create(size, size, platform::kIlcColor32 | platform::kIlcMask, 1, 1));
    gdi.ImageList_ReplaceIcon(list.get(), -1, icon);
    const GdiOwned bitmap(gdi, GdiOwned::Kind::Object, gdi.CreateCompatibleBitmap(size, size));
    const DrawingContext canvas(gdi, bitmap.get());
    gdi.FillRect(canvas.get(), {0, 0, size, size}, backdrop);
    gdi.ImageList_Draw(list.get(), 0, canvas.get(), 0, 0, platform::kIldTransparent);
    std::vector<platform::ColorRef> pixels;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        pixels.push_back(GetPixel(reinterpret_cast<HDC>(canvas.get()), x, y));
      }
    }
    return pixels;
  }
  GdiOwned rebuild(platform::GdiObject background, const TextIconLook& look) {
    TColor mask = 0;
    const GdiOwned text = RenderText(gdi, look, mask);
    Backdrop backdrop(gdi);
    return MergeWithBackground(gdi, text.get(), background, look.Color, look.Font.Color, mask, backdrop,
                               look.Size);
  }

  platform::win32::Win32Gdi gdi;
};

TEST_F(SystemTextRendering, TheFigureOverTheChipWithItsCornersClear) {
  const GdiOwned background = chip();
  TextIconLook look;
  look.Text = "512";
  look.OffsetX = -1;
  look.OffsetY = -2;
  const GdiOwned icon = rebuild(background.get(), look);
  const platform::ColorRef ink = ColorToRGB(gdi, clWindowText);
  for (const platform::ColorRef backdrop : {0xFFFFFFu, 0x00C000u}) {
    SCOPED_TRACE(backdrop);
    const auto pixels = pixelsOver(icon.get(), backdrop);
    EXPECT_EQ(pixels[0], backdrop);
    EXPECT_EQ(pixels[255], backdrop);
    EXPECT_EQ(pixels[16 * 14 + 1], kPink);  // below the text
    int inked = 0;
    for (const platform::ColorRef pixel : pixels) {
      inked += pixel == ink;
      EXPECT_TRUE(pixel == ink || pixel == kPink || pixel == backdrop) << std::hex << pixel;
    }
    EXPECT_GT(inked, 12);
  }
}

TEST_F(SystemTextRendering, At32PixelsTheIconIs32PixelsWithTheFigureOverTheChip) {
  const GdiOwned background = chip(32);
  TextIconLook look;
  look.Text = "57";
  look.OffsetX = -1;
  look.OffsetY = -2;
  const GdiOwned small = rebuild(chip().get(), look);
  const GdiOwned icon = rebuild(background.get(), ScaledLook(look, 32));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(icon.get()), &info));
  BITMAP colour{};
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(colour.bmWidth, 32);
  EXPECT_EQ(colour.bmHeight, 32);
  const auto pixels = pixelsOver(icon.get(), 0xFFFFFF, 32);
  EXPECT_EQ(pixels[0], 0xFFFFFFu);
  EXPECT_EQ(pixels[32 * 32 - 1], 0xFFFFFFu);
  const platform::ColorRef ink = ColorToRGB(gdi, clWindowText);
  // Every pixel ink, chip or backdrop: no smoothed edge fringes the figure.
  for (const platform::ColorRef pixel : pixels) {
    EXPECT_TRUE(pixel == ink || pixel == kPink || pixel == 0xFFFFFF) << std::hex << pixel;
  }
  EXPECT_GT(std::count(pixels.begin(), pixels.end(), kPink), 600);
  // The digits in a font twice as high.
  const auto inkedRows = [&](const std::vector<platform::ColorRef>& drawn, int size) {
    int rows = 0;
    for (int y = 0; y < size; ++y) {
      rows += std::find(drawn.begin() + y * size, drawn.begin() + (y + 1) * size, ink) !=
              drawn.begin() + (y + 1) * size;
    }
    return rows;
  };
  EXPECT_GT(inkedRows(pixels, 32), inkedRows(pixelsOver(small.get(), 0xFFFFFF), 16) * 3 / 2);
}

TEST_F(SystemTextRendering, AThousandRebuildsLeaveNoObjectBehind) {
  const GdiOwned background = chip();
  TextIconLook look;
  look.Text = "23483";
  rebuild(background.get(), look);
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 1000; ++i) {
    look.Text = std::to_string(i);
    rebuild(background.get(), look);
  }
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

}  // namespace
}  // namespace vantrel
