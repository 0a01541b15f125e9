#include "gdi_contract.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel::contract {

namespace {

using platform::ColorRef;
using platform::GdiObject;

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00C000;
constexpr ColorRef kBlue = 0xFF0000;
constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kKey = 0xFF00FF;

// A context with a fresh 16×16 bitmap in it, filled with one colour; gives both back at the end.
class Canvas {
 public:
  Canvas(platform::Gdi& gdi, ColorRef fill)
      : gdi_(gdi), dc_(gdi.CreateCompatibleDC()), bitmap_(gdi.CreateCompatibleBitmap(16, 16)) {
    EXPECT_NE(dc_, 0u);
    EXPECT_NE(bitmap_, 0u);
    old_ = gdi.SelectObject(dc_, bitmap_);
    EXPECT_NE(old_, 0u);
    EXPECT_TRUE(gdi.FillRect(dc_, {0, 0, 16, 16}, fill));
  }
  ~Canvas() {
    if (old_) {
      gdi_.SelectObject(dc_, old_);
    }
    EXPECT_TRUE(gdi_.DeleteObject(bitmap_));
    EXPECT_TRUE(gdi_.DeleteDC(dc_));
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  // Takes the bitmap out of the context, as an image list needs it.
  GdiObject release() {
    gdi_.SelectObject(dc_, old_);
    old_ = 0;
    return bitmap_;
  }
  GdiObject dc() const { return dc_; }

 private:
  platform::Gdi& gdi_;
  GdiObject dc_;
  GdiObject bitmap_;
  GdiObject old_ = 0;
};

void checkShapesAndText(platform::Gdi& gdi, const PixelReader& pixel) {
  Canvas canvas(gdi, kRed);
  EXPECT_TRUE(gdi.FrameRect(canvas.dc(), {0, 0, 16, 16}, kBlue));
  EXPECT_EQ(pixel(canvas.dc(), 0, 0), kBlue);
  EXPECT_EQ(pixel(canvas.dc(), 15, 15), kBlue);
  EXPECT_EQ(pixel(canvas.dc(), 1, 1), kRed);

  EXPECT_TRUE(gdi.FillRect(canvas.dc(), {0, 0, 16, 16}, kWhite));
  platform::LogFont logFont;
  logFont.height = -11;
  logFont.charSet = platform::kAnsiCharset;
  logFont.faceName = "MS Sans Serif";
  const GdiObject font = gdi.CreateFontIndirectA(logFont);
  ASSERT_NE(font, 0u);
  const GdiObject oldFont = gdi.SelectObject(canvas.dc(), font);
  platform::Size one;
  platform::Size two;
  ASSERT_TRUE(gdi.GetTextExtentPoint32A(canvas.dc(), "5", one));
  ASSERT_TRUE(gdi.GetTextExtentPoint32A(canvas.dc(), "55", two));
  EXPECT_GT(one.cx, 0);
  EXPECT_GT(one.cy, 0);
  EXPECT_EQ(two.cx, 2 * one.cx);
  gdi.SetTextColor(canvas.dc(), 0);
  gdi.SetBkMode(canvas.dc(), platform::kTransparent);
  EXPECT_TRUE(gdi.ExtTextOutA(canvas.dc(), 2, 1, "5"));
  int dark = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      if (pixel(canvas.dc(), x, y) == 0) {
        ++dark;
        EXPECT_TRUE(x >= 2 && x < 2 + one.cx && y >= 1 && y < 1 + one.cy) << x << "," << y;
      }
    }
  }
  EXPECT_GT(dark, 2);
  gdi.SelectObject(canvas.dc(), oldFont);
  EXPECT_TRUE(gdi.DeleteObject(font));
}

void checkTransparentCopy(platform::Gdi& gdi, const PixelReader& pixel) {
  Canvas target(gdi, kWhite);
  Canvas source(gdi, kKey);
  EXPECT_TRUE(gdi.FillRect(source.dc(), {0, 0, 8, 16}, kGreen));
  EXPECT_TRUE(gdi.GdiTransparentBlt(target.dc(), 0, 0, 16, 16, source.dc(), 0, 0, 16, 16, kKey));
  EXPECT_EQ(pixel(target.dc(), 3, 3), kGreen);
  EXPECT_EQ(pixel(target.dc(), 12, 3), kWhite);
  EXPECT_TRUE(gdi.BitBlt(target.dc(), 4, 0, 12, 16, source.dc(), 0, 0, platform::kSrcCopy));
  EXPECT_EQ(pixel(target.dc(), 3, 3), kGreen);
  EXPECT_EQ(pixel(target.dc(), 13, 3), kKey);
}

// A 16×16 picture: green on the left half, the key colour on the right.
GdiObject halfKeyed(platform::Gdi& gdi, Canvas& canvas) {
  EXPECT_TRUE(gdi.FillRect(canvas.dc(), {0, 0, 8, 16}, kGreen));
  return canvas.release();
}

void checkImageLists(platform::Gdi& gdi, const PixelReader& pixel) {
  const GdiObject list = gdi.ImageList_Create(16, 16, platform::kIlcColor32 | platform::kIlcMask, 1, 1);
  ASSERT_NE(list, 0u);
  {
    Canvas picture(gdi, kKey);
    EXPECT_EQ(gdi.ImageList_AddMasked(list, halfKeyed(gdi, picture), kKey), 0);
  }
  {
    Canvas picture(gdi, kKey);
    EXPECT_EQ(gdi.ImageList_AddMasked(list, halfKeyed(gdi, picture), platform::kClrNone), 1);
  }
  const GdiObject keyed = gdi.ImageList_GetIcon(list, 0, platform::kIldNormal);
  const GdiObject solid = gdi.ImageList_GetIcon(list, 1, platform::kIldNormal);
  ASSERT_NE(keyed, 0u);
  ASSERT_NE(solid, 0u);
  EXPECT_EQ(gdi.ImageList_GetIcon(list, 5, platform::kIldNormal), 0u);
  EXPECT_TRUE(gdi.ImageList_Destroy(list));

  // The icons go into a list of their own and are drawn over white: the key colour was transparent only
  // where a mask colour was given.
  const GdiObject icons = gdi.ImageList_Create(16, 16, platform::kIlcColor32 | platform::kIlcMask, 2, 1);
  EXPECT_EQ(gdi.ImageList_ReplaceIcon(icons, -1, keyed), 0);
  EXPECT_EQ(gdi.ImageList_ReplaceIcon(icons, -1, solid), 1);
  Canvas canvas(gdi, kWhite);
  EXPECT_TRUE(gdi.ImageList_Draw(icons, 0, canvas.dc(), 0, 0, platform::kIldTransparent));
  EXPECT_EQ(pixel(canvas.dc(), 3, 3), kGreen);
  EXPECT_EQ(pixel(canvas.dc(), 12, 3), kWhite);
  EXPECT_TRUE(gdi.ImageList_Draw(icons, 1, canvas.dc(), 0, 0, platform::kIldTransparent));
  EXPECT_EQ(pixel(canvas.dc(), 12, 3), kKey);
  EXPECT_TRUE(gdi.ImageList_Destroy(icons));
  EXPECT_TRUE(gdi.DestroyIcon(keyed));
  EXPECT_TRUE(gdi.DestroyIcon(solid));
}

}  // namespace

void checkGdi(platform::Gdi& gdi, const PixelReader& pixel) {
  {
    SCOPED_TRACE("shapes and text");
    checkShapesAndText(gdi, pixel);
  }
  {
    SCOPED_TRACE("transparent copy");
    checkTransparentCopy(gdi, pixel);
  }
  {
    SCOPED_TRACE("image lists");
    checkImageLists(gdi, pixel);
  }
  EXPECT_EQ(gdi.LoadImageA(999, 16, 16), 0u);
}

}  // namespace vantrel::contract
