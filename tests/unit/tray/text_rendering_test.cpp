// The text tray icon's image on the fake drawing service: where the text goes, its colours, and that every
// object goes back whatever fails.
#include "tray/text_rendering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_gdi.h"
#include "framework/exception.h"

namespace vantrel {
namespace {

constexpr platform::ColorRef kWindowText = 0x101010;
constexpr platform::ColorRef kBtnFace = 0xC8D0D4;
constexpr TColor kPink = 0xC896FF;

class TextRendering : public ::testing::Test {
 protected:
  TextRendering() {
    gdi.sysColors = {{platform::kColorWindowText, kWindowText}, {platform::kColorBtnFace, kBtnFace}};
    look.Font.Color = clWindowText;
  }
  GdiOwned render() {
    TColor mask = 0;
    return RenderText(gdi, look, mask);
  }
  // Where each line of the last rendering was drawn.
  std::vector<std::pair<int, int>> positions() const {
    std::vector<std::pair<int, int>> result;
    for (const auto& text : gdi.texts) {
      result.emplace_back(text.x, text.y);
    }
    return result;
  }

  fakes::FakeGdi gdi;
  TextIconLook look;
};

TEST_F(TextRendering, LinesAreCentredOnFifteenPixelsWithTruncatingDivision) {
  struct Case {
    std::string text;
    std::int32_t offsetX;
    std::int32_t offsetY;
    std::int32_t lineDistance;
    std::vector<std::pair<int, int>> at;
  };
  gdi.extents = {{"13", {12, 13}}, {"wide", {18, 13}}, {"\rB", {6, 13}}, {"\r", {0, 13}}, {"\r\rC", {6, 13}}};
  const std::vector<Case> cases = {
      {"13", 0, -2, 0, {{1, -1}}},
      {"wide", -1, 0, 0, {{-2, 1}}},  // (15 - 18) / 2 is -1, not -2
      {"A\rB", 0, 0, 0, {{4, -5}, {4, 8}}},
      {"A\rB", 1, -2, 2, {{5, -9}, {5, 6}}},
      {"13\r", 0, 0, 0, {{1, -5}, {7, 8}}},  // a trailing return is one more, empty line
      {"A\r\rC", 0, 0, 0, {{4, -12}, {7, 1}, {4, 14}}},
      {"", 0, 0, 0, {{7, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    look.Text = c.text;
    look.OffsetX = c.offsetX;
    look.OffsetY = c.offsetY;
    look.LineDistance = c.lineDistance;
    gdi.texts.clear();
    render();
    EXPECT_EQ(positions(), c.at);
  }
}

TEST_F(TextRendering, AtTwiceTheSizeTheLookScalesAndTheTextCentresOnTheBiggerImage) {
  gdi.extents = {{"13", {12, 13}}};
  look.Text = "13";
  look.OffsetX = -1;
  look.OffsetY = -2;
  look.Border = true;
  look.BorderColor = 0x0000FF;
  const TextIconLook scaled = ScaledLook(look, 32);
  EXPECT_EQ(scaled.Font.Height, -22);
  TColor mask = 0;
  const GdiOwned bitmap = RenderText(gdi, scaled, mask);
  // (31 - 12) / 2 - 2 and (31 - 13) / 2 - 4.
  EXPECT_EQ(positions(), (std::vector<std::pair<int, int>>{{7, 5}}));
  const fakes::FakeGdi::Image& image = *gdi.image(bitmap.get());
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.at(31, 20), 0x0000FFu);
  EXPECT_EQ(ScaledLook(look, 24).Font.Height, -16);  // -16.5, to even
}

TEST_F(TextRendering, SplittingKeepsEmptyLinesAndLineFeeds) {
  EXPECT_EQ(SplitTextLines("A\rB"), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(SplitTextLines("A\r"), (std::vector<std::string>{"A", ""}));
  EXPECT_EQ(SplitTextLines("A\r\nB"), (std::vector<std::string>{"A", "\nB"}));
  EXPECT_EQ(SplitTextLines(""), (std::vector<std::string>{""}));
}

TEST_F(TextRendering, TheKeyIsTheColourUnlessTheTextWouldVanish) {
  struct Case {
    TColor color;
    TColor fontColor;
    TColor mask;
  };
  const std::vector<Case> cases = {
      {clNone, clWindowText, kWindowText ^ 0xFFFFFF},
      {clWindowText, clWindowText, kWindowText ^ 0xFFFFFF},
      {kWindowText, clWindowText, kWindowText},  // equal only once resolved: kept
      {clBtnFace, clWindowText, clBtnFace},
      {kPink, 0x0000FF, kPink},
      {0x0000FF, 0x0000FF, 0xFFFF00},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.color);
    EXPECT_EQ(MaskColorFor(gdi, c.color, c.fontColor), c.mask);
  }
}

TEST_F(TextRendering, TheTextAndTheBorderOnTheKey) {
  look.Text = "7";
  look.Color = kPink;
  look.Border = true;
  look.BorderColor = 0x0000FF;
  const GdiOwned bitmap = render();
  const fakes::FakeGdi::Image& image = *gdi.image(bitmap.get());
  EXPECT_EQ(image.at(0, 0), 0x0000FFu);
  EXPECT_EQ(image.at(15, 8), 0x0000FFu);
  EXPECT_EQ(image.at(1, 1), kPink);
  // The fake draws a character as a box inside its 6 × 13 cell at (4, 1).
  EXPECT_EQ(image.at(6, 6), kWindowText);
  EXPECT_EQ(gdi.texts.back().font, "MS Sans Serif -11");
}

TEST_F(TextRendering, AnIconFromTheBitmapIsSolidUnlessAKeyIsGiven) {
  look.Text = "7";
  look.Color = clNone;
  TColor mask = 0;
  const GdiOwned bitmap = RenderText(gdi, look, mask);
  const GdiOwned transparent = BitmapToIcon(gdi, bitmap.get(), mask);
  const GdiOwned solid = BitmapToIcon(gdi, bitmap.get(), clNone);
  EXPECT_FALSE(gdi.image(transparent.get())->opaqueAt(1, 1));
  EXPECT_TRUE(gdi.image(transparent.get())->opaqueAt(6, 6));
  EXPECT_TRUE(gdi.image(solid.get())->opaqueAt(1, 1));
}

TEST_F(TextRendering, OverTheBackgroundItsTransparentCornersStayTransparent) {
  fakes::FakeGdi::Image chip(32, 32, kPink);
  chip.opaque[0] = false;  // the top-left corner, 2 × 2 once scaled to 16
  chip.opaque[1] = false;
  chip.opaque[32] = false;
  chip.opaque[33] = false;
  gdi.resources[2] = chip;
  const GdiOwned background(gdi, GdiOwned::Kind::Icon, gdi.LoadImageA(2, 16, 16));
  // One backdrop for all: each colour has a fill of its own.
  Backdrop backdrop(gdi);
  for (const TColor color : {clBtnFace, clNone, clWindowText}) {
    SCOPED_TRACE(color);
    look.Text = "7";
    look.Color = color;
    TColor mask = 0;
    const GdiOwned text = RenderText(gdi, look, mask);
    const GdiOwned icon =
        MergeWithBackground(gdi, text.get(), background.get(), look.Color, look.Font.Color, mask, backdrop);
    const fakes::FakeGdi::Image& image = *gdi.image(icon.get());
    EXPECT_FALSE(image.opaqueAt(0, 0));
    EXPECT_EQ(image.at(1, 1), kPink);
    EXPECT_TRUE(image.opaqueAt(1, 1));
    EXPECT_EQ(image.at(6, 6), kWindowText);
  }
}

TEST_F(TextRendering, EveryObjectGoesBackWhateverFails) {
  gdi.resources[2] = fakes::FakeGdi::Image(16, 16, kPink);
  const GdiOwned background(gdi, GdiOwned::Kind::Icon, gdi.LoadImageA(2, 16, 16));
  const int before = gdi.liveObjects();
  const auto rebuild = [&] {
    TColor mask = 0;
    const GdiOwned text = RenderText(gdi, look, mask);
    Backdrop backdrop(gdi);
    MergeWithBackground(gdi, text.get(), background.get(), look.Color, look.Font.Color, mask, backdrop);
    BitmapToIcon(gdi, text.get(), clNone);
  };
  look.Text = "1\r2";
  for (int i = 0; i < 1000; ++i) {
    rebuild();
  }
  EXPECT_EQ(gdi.liveObjects(), before);
  for (const char* call : {"CreateCompatibleDC", "CreateCompatibleBitmap", "CreateFontIndirectA",
                           "SelectObject", "FillRect", "FrameRect", "GetTextExtentPoint32A", "ExtTextOutA",
                           "BitBlt", "GdiTransparentBlt", "ImageList_Create", "ImageList_ReplaceIcon",
                           "ImageList_AddMasked", "ImageList_Draw", "ImageList_GetIcon"}) {
    for (const int n : {1, 2, 3}) {
      SCOPED_TRACE(std::string(call) + " #" + std::to_string(n));
      look.Border = true;
      gdi.faults = {};
      gdi.faults.failOn(call, n);
      bool raised = false;
      try {
        rebuild();
      } catch (const Exception& error) {
        raised = true;
        EXPECT_EQ(error.Message(), "Out of system resources");
      }
      // Each call is made at least once, and its failure reaches the caller.
      EXPECT_TRUE(raised || n > 1);
      EXPECT_EQ(gdi.liveObjects(), before);
    }
  }
}

}  // namespace
}  // namespace vantrel
