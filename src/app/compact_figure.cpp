#include "app/compact_figure.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "tray/gdi_objects.h"

namespace vantrel {

namespace {

constexpr int kGlyphHeight = 5;
constexpr int kNumberTop = 2;
constexpr int kUnitTop = 8;
constexpr int kImage = 16;

struct Glyph {
  char character;
  std::array<const char*, kGlyphHeight> rows;  // '#' is ink; all rows of a glyph are equally wide
};

constexpr std::array<Glyph, 15> kGlyphs = {{
    {'0', {"###", "#.#", "#.#", "#.#", "###"}},
    {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}},
    {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}},
    {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}},
    {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}},
    {'9', {"###", "#.#", "###", "..#", "###"}},
    {'.', {".", ".", ".", ".", "#"}},
    {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
    {'G', {"###", "#..", "#.#", "#.#", "###"}},
    {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    {'B', {"##.", "#.#", "##.", "#.#", "##."}},
}};

const Glyph* glyphOf(char c) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.character == c) {
      return &glyph;
    }
  }
  return nullptr;
}

int glyphWidth(const Glyph& glyph) {
  return static_cast<int>(std::char_traits<char>::length(glyph.rows[0]));
}

// One decimal below ten units of the next size, whole units below 10000, and the next size beyond.
CompactFigure scaled(double amount, const char* unit) {
  char text[32];
  if (std::nearbyint(amount * 10) < 1000) {
    std::snprintf(text, sizeof text, "%.1f", amount);
  } else {
    std::snprintf(text, sizeof text, "%.0f", amount);
  }
  return {text, unit};
}

void drawLine(platform::Gdi& gdi, platform::GdiObject dc, const std::string& text, int top,
              platform::ColorRef ink) {
  int left = (kImage - PixelTextWidth(text)) / 2;
  for (const char c : text) {
    const Glyph* glyph = glyphOf(c);
    if (!glyph) {
      continue;
    }
    for (int row = 0; row < kGlyphHeight; ++row) {
      for (int column = 0; column < glyphWidth(*glyph); ++column) {
        if (glyph->rows[static_cast<std::size_t>(row)][column] == '#') {
          Check(gdi.FillRect(dc, {left + column, top + row, left + column + 1, top + row + 1}, ink));
        }
      }
    }
    left += glyphWidth(*glyph) + 1;
  }
}

}  // namespace

CompactFigure CompactMegabytes(std::int64_t megabytes) {
  if (megabytes < 10000) {
    return {std::to_string(megabytes), "MB"};
  }
  const double gigabytes = static_cast<double>(megabytes) / 1024;
  if (std::nearbyint(gigabytes) < 10000) {
    return scaled(gigabytes, "GB");
  }
  return scaled(gigabytes / 1024, "TB");
}

bool FitsTheIcon(std::int32_t width, std::int32_t offsetX) {
  const std::int32_t left = (15 - width) / 2 + offsetX;
  return left >= 0 && left + width - 1 <= kImage;
}

std::int32_t PixelTextWidth(const std::string& text) {
  std::int32_t width = 0;
  for (const char c : text) {
    if (const Glyph* glyph = glyphOf(c)) {
      width += glyphWidth(*glyph) + 1;
    }
  }
  return width > 0 ? width - 1 : 0;
}

void DrawCompactFigure(platform::Gdi& gdi, platform::GdiObject dc, const CompactFigure& figure,
                       platform::ColorRef ink) {
  drawLine(gdi, dc, figure.number, kNumberTop, ink);
  drawLine(gdi, dc, figure.unit, kUnitTop, ink);
}

}  // namespace vantrel
