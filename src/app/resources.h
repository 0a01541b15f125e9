// Numbers of the images compiled into the executable; resources/vantrel.rc gives each its file. Each glyph's
// enlargements follow it by kScaledBitmapStep (framework/graphics.h); the row icon holds every size itself.
#pragma once

namespace vantrel {

constexpr int kIconProgram = 1;
constexpr int kIconTrayBackground = 2;
constexpr int kIconReclaiming = 3;
constexpr int kIconStartupEntry = 4;
constexpr int kGlyphAdd = 10;
constexpr int kGlyphDown = 11;
constexpr int kGlyphUp = 12;
constexpr int kGlyphDelete = 13;

}  // namespace vantrel
