// The free memory in a form that fits the tray icon.
#include "tray/compact_figure.h"

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

TEST(CompactFigure, BiggerIconsShowMoreDigitsWhereTheyFit) {
  struct Case {
    int size;
    int characters;
    std::int64_t megabytes;
    CompactFigure figure;
  };
  const std::vector<Case> cases = {
      {20, 5, 99999, {"99999", "MB"}},   {20, 5, 100000, {"97.7", "GB"}},    {20, 5, 102349, {"100", "GB"}},
      {24, 6, 999999, {"999999", "MB"}}, {24, 6, 1000000, {"977", "GB"}},    {32, 4, 23483, {"22.9", "GB"}},
      {16, 4, 102349, {"100", "GB"}},    {20, 5, 102399488, {"97.7", "TB"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + " px, " + std::to_string(c.megabytes) + " MB");
    EXPECT_EQ(CompactCharacters(c.size), c.characters);
    EXPECT_EQ(CompactMegabytes(c.megabytes, c.characters), c.figure);
  }
}

TEST(CompactFigure, EveryFigureFitsEverySmallIconSize) {
  // Every figure where megabytes and tenths of gigabytes end (below 110000, and around a million for six
  // characters); elsewhere steps of a two-thousandth, up to the largest figure the tray text holds.
  constexpr std::int64_t kLargest = 2147483647;
  const auto next = [](std::int64_t megabytes) {
    const bool edge = megabytes < 110000 || (megabytes > 990000 && megabytes < 1010000);
    return megabytes + (edge ? 1 : megabytes / 2000);
  };
  for (const std::int32_t size : {16, 20, 24, 32}) {
    const std::int32_t room = size / CompactScale(size) - 1;  // font pixels, one column left free
    const int characters = CompactCharacters(size);
    for (std::int64_t megabytes = 100; megabytes <= kLargest; megabytes = next(megabytes)) {
      const CompactFigure figure = CompactMegabytes(megabytes, characters);
      if (PixelTextWidth(figure.number) > room || PixelTextWidth(figure.unit) > room) {
        FAIL() << megabytes << " MB shows as " << figure.number << " " << figure.unit << " at " << size;
      }
    }
  }
}

TEST(CompactFigure, At32PixelsEveryFontPixelIsASquareOfFour) {
  fakes::FakeGdi gdi;
  const auto draw = [&](std::int32_t size) {
    GdiOwned bitmap(gdi, GdiOwned::Kind::Object, gdi.CreateCompatibleBitmap(size, size));
    const DrawingContext canvas(gdi, bitmap.get());
    gdi.FillRect(canvas.get(), {0, 0, size, size}, 0xFFFFFF);
    DrawCompactFigure(gdi, canvas.get(), {"1.5", "GB"}, 0, size);
    return *gdi.image(bitmap.get());
  };
  const fakes::FakeGdi::Image small = draw(16);
  const fakes::FakeGdi::Image big = draw(32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      ASSERT_EQ(big.at(x, y), small.at(x / 2, y / 2)) << x << ", " << y;
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
