// The free memory in a form that fits the tray icon.
#include "app/compact_figure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_gdi.h"
#include "tray/gdi_objects.h"

namespace vantrel {
namespace {

// Advance widths of the tray font ("MS Sans Serif", height -11), measured once under Wine, where it is drawn
// by Liberation Sans: every digit 6 pixels, the point 3.
constexpr std::int32_t kDigitAdvance = 6;
constexpr std::int32_t kTrayOffsetX = -1;

TEST(CompactFigure, OnlyFiguresBelowAHundredFitAsTheyAreDrawn) {
  EXPECT_TRUE(FitsTheIcon(1 * kDigitAdvance, kTrayOffsetX));
  EXPECT_TRUE(FitsTheIcon(2 * kDigitAdvance, kTrayOffsetX));
  EXPECT_FALSE(FitsTheIcon(3 * kDigitAdvance, kTrayOffsetX));  // drawn from -2: the first digit is cut
  EXPECT_FALSE(FitsTheIcon(5 * kDigitAdvance, kTrayOffsetX));
  EXPECT_TRUE(FitsTheIcon(0, kTrayOffsetX));
}

TEST(CompactFigure, UnitsStepUpWhereTheFigureWouldGrowTooLong) {
  struct Case {
    std::int64_t megabytes;
    CompactFigure figure;
  };
  const std::vector<Case> cases = {
      {100, {"100", "MB"}},      {9999, {"9999", "MB"}},     {10000, {"9.8", "GB"}},
      {23483, {"22.9", "GB"}},   {102348, {"99.9", "GB"}},   {102349, {"100", "GB"}},
      {1048576, {"1024", "GB"}}, {10239487, {"9999", "GB"}}, {10239488, {"9.8", "TB"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.megabytes);
    EXPECT_EQ(CompactMegabytes(c.megabytes), c.figure);
  }
}

TEST(CompactFigure, EveryFormUpToATerabyteFitsSixteenPixels) {
  // Every figure while megabytes and tenths of gigabytes show; then every whole gigabyte.
  for (std::int64_t megabytes = 100; megabytes <= 1048576; megabytes += megabytes < 110000 ? 1 : 256) {
    const CompactFigure figure = CompactMegabytes(megabytes);
    if (PixelTextWidth(figure.number) > 15 || PixelTextWidth(figure.unit) > 15) {
      FAIL() << megabytes << " MB shows as " << figure.number << " " << figure.unit;
    }
  }
}

TEST(CompactFigure, DrawsTheNumberOverItsUnit) {
  fakes::FakeGdi gdi;
  const GdiOwned bitmap(gdi, GdiOwned::Kind::Object, gdi.CreateCompatibleBitmap(16, 16));
  {
    const DrawingContext canvas(gdi, bitmap.get());
    gdi.FillRect(canvas.get(), {0, 0, 16, 16}, 0xFFFFFF);
    DrawCompactFigure(gdi, canvas.get(), {"1.5", "GB"}, 0);
  }
  std::string picture;
  const fakes::FakeGdi::Image& image = *gdi.image(bitmap.get());
  for (int y = 1; y < 14; ++y) {
    for (int x = 0; x < 16; ++x) {
      picture += image.at(x, y) == 0 ? '#' : '.';
    }
    picture += '\n';
  }
  EXPECT_EQ(picture,
            "................\n"
            "....#....###....\n"
            "...##....#......\n"
            "....#....###....\n"
            "....#......#....\n"
            "...###.#.###....\n"
            "................\n"
            "....###.##......\n"
            "....#...#.#.....\n"
            "....#.#.##......\n"
            "....#.#.#.#.....\n"
            "....###.##......\n"
            "................\n");
}

}  // namespace
}  // namespace vantrel
