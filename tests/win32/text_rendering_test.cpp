// The text tray icon's image drawn by the system: its real pixels, and no object left behind.
#include "tray/text_rendering.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_gdi.h"
#include "platform/win32/windows_api.h"

namespace vantrel {
namespace {

constexpr platform::ColorRef kPink = 0xC896FF;
constexpr platform::ColorRef kKey = 0xFF00FF;

class SystemTextRendering : public ::testing::Test {
 protected:
  // A pink 16×16 chip whose four corner pixels are transparent.
  GdiOwned chip() {
    GdiOwned bitmap(gdi, GdiOwned::Kind::Object, gdi.CreateCompatibleBitmap(16, 16));
    {
      DrawingContext canvas(gdi, bitmap.get());
      gdi.FillRect(canvas.get(), {0, 0, 16, 16}, kPink);
      for (const auto& [x, y] : {std::pair{0, 0}, {15, 0}, {0, 15}, {15, 15}}) {
        gdi.FillRect(canvas.get(), {x, y, x + 1, y + 1}, kKey);
      }
    }
    return BitmapToIcon(gdi, bitmap.get(), kKey);
  }
  // The icon drawn over a backdrop of one colour, read back pixel by pixel.
  std::vector<platform::ColorRef> pixelsOver(platform::GdiObject icon, platform::ColorRef backdrop) {
    const GdiOwned list(gdi, GdiOwned::Kind::ImageList,
                        gdi.ImageList_Create(16, 16, platform::kIlcColor32 | platform::kIlcMask, 1, 1));
    gdi.ImageList_ReplaceIcon(list.get(), -1, icon);
    const GdiOwned bitmap(gdi, GdiOwned::Kind::Object, gdi.CreateCompatibleBitmap(16, 16));
    const DrawingContext canvas(gdi, bitmap.get());
    gdi.FillRect(canvas.get(), {0, 0, 16, 16}, backdrop);
    gdi.ImageList_Draw(list.get(), 0, canvas.get(), 0, 0, platform::kIldTransparent);
    std::vector<platform::ColorRef> pixels;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        pixels.push_back(GetPixel(reinterpret_cast<HDC>(canvas.get()), x, y));
      }
    }
    return pixels;
  }
  GdiOwned rebuild(platform::GdiObject background, const TextIconLook& look) {
    TColor mask = 0;
    const GdiOwned text = RenderText(gdi, look, mask);
    Backdrop backdrop(gdi);
    return MergeWithBackground(gdi, text.get(), background, look.Color, look.Font.Color, mask, backdrop);
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
