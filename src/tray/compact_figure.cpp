#include "tray/compact_figure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "tray/gdi_objects.h"

namespace vantrel {

namespace {

constexpr int kGlyphHeight = 5;
// The layout at 16 pixels, which bigger images grow by whole factors.
constexpr int kNumberTop = 2;
constexpr int kUnitTop = 8;
constexpr int kImage = 16;
// The forms need four characters ("99.9"), whatever the image.
constexpr int kFewestCharacters = 4;

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

// `top` is in image pixels; every font pixel is a square of `scale` image pixels. The text is centred on the
// font's grid, so that at twice the size the picture is the one of 16 pixels doubled.
void drawLine(platform::Gdi& gdi, platform::GdiObject dc, const std::string& text, int top, int size,
              int scale, platform::ColorRef ink) {
  const int columns = size / scale;
  int left = (size - columns * scale) / 2 + (columns - PixelTextWidth(text)) / 2 * scale;
  for (const char c : text) {
    const Glyph* glyph = glyphOf(c);
    if (!glyph) {
      continue;
    }
    for (int row = 0; row < kGlyphHeight; ++row) {
      for (int column = 0; column < glyphWidth(*glyph); ++column) {
        if (glyph->rows[static_cast<std::size_t>(row)][column] == '#') {
          const int x = left + column * scale;
          const int y = top + row * scale;
          Check(gdi.FillRect(dc, {x, y, x + scale, y + scale}, ink));
        }
      }
    }
    left += (glyphWidth(*glyph) + 1) * scale;
  }
}

}  // namespace

CompactFigure CompactMegabytes(std::int64_t megabytes, int characters) {
  // The first whole number with one digit too many.
  std::int64_t tooLong = 1;
  for (int i = 0; i < characters; ++i) {
    tooLong *= 10;
  }
  if (megabytes < tooLong) {
    return {std::to_string(megabytes), "MB"};
  }
  const double gigabytes = static_cast<double>(megabytes) / 1024;
  if (std::nearbyint(gigabytes) < static_cast<double>(tooLong)) {
    return scaled(gigabytes, "GB");
  }
  return scaled(gigabytes / 1024, "TB");
}

bool FitsTheIcon(std::int32_t width, std::int32_t offsetX, std::int32_t size) {
  const std::int32_t left = (size - 1 - width) / 2 + offsetX;
  return left >= 0 && left + width - 1 <= size;
}

std::int32_t CompactScale(std::int32_t size) {
  return std::max(size / kImage, 1);
}

int CompactCharacters(std::int32_t size) {
  // n characters take 4n - 1 font columns; one more stays free.
  return std::max(size / CompactScale(size) / 4, kFewestCharacters);
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
                       platform::ColorRef ink, std::int32_t size) {
  const int scale = CompactScale(size);
  // The grown 16-pixel layout, centred.
  const int margin = (size - kImage * scale) / 2;
  drawLine(gdi, dc, figure.number, margin + kNumberTop * scale, size, scale, ink);
  drawLine(gdi, dc, figure.unit, margin + kUnitTop * scale, size, scale, ink);
}

}  // namespace vantrel
