// Drawing into small bitmaps and building icons from them: device contexts, bitmaps, fonts, text, image lists
// and icons, with the Windows calls' names and results. Every object is a number that the caller owns and
// gives back with DeleteDC, DeleteObject, ImageList_Destroy or DestroyIcon.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::platform {

// HDC, HBITMAP, HFONT, HICON or HIMAGELIST; 0 for none or failure.
using GdiObject = std::uintptr_t;
// 0x00BBGGRR.
using ColorRef = std::uint32_t;

// The image-list colour that stands for no colour (CLR_NONE).
constexpr ColorRef kClrNone = 0xFFFFFFFF;
constexpr int kTransparent = 1;
constexpr int kOpaque = 2;
constexpr std::uint32_t kIlcColor32 = 0x20;
constexpr std::uint32_t kIlcMask = 0x1;
constexpr std::uint32_t kIldNormal = 0;
constexpr std::uint32_t kIldTransparent = 1;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr int kColorBtnFace = 15;
constexpr int kColorWindowText = 8;
constexpr std::int32_t kFwNormal = 400;
constexpr std::int32_t kFwBold = 700;
constexpr std::uint8_t kAnsiCharset = 0;
constexpr std::uint8_t kDefaultCharset = 1;
constexpr std::uint8_t kDefaultQuality = 0;
constexpr std::uint8_t kNonAntialiasedQuality = 3;

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

struct Size {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
};

// The fields of LOGFONTA that the program sets; the others are 0.
struct LogFont {
  std::int32_t height = 0;
  std::int32_t weight = kFwNormal;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charSet = kDefaultCharset;
  std::uint8_t quality = kDefaultQuality;
  std::string faceName;
};

class Gdi {
 public:
  virtual ~Gdi() = default;

  virtual ColorRef GetSysColor(int index) = 0;

  // A memory device context compatible with the screen; it starts with a 1×1 monochrome bitmap selected.
  virtual GdiObject CreateCompatibleDC() = 0;
  virtual bool DeleteDC(GdiObject dc) = 0;
  // A colour bitmap of the screen's format.
  virtual GdiObject CreateCompatibleBitmap(std::int32_t width, std::int32_t height) = 0;
  virtual GdiObject CreateFontIndirectA(const LogFont& font) = 0;
  // Puts a bitmap or font into the context and returns the one it replaces; 0 on failure.
  virtual GdiObject SelectObject(GdiObject dc, GdiObject object) = 0;
  // An object must be out of every context before it is deleted: Windows refuses it and leaks it otherwise.
  virtual bool DeleteObject(GdiObject object) = 0;

  // FillRect and FrameRect with a solid brush of the colour, made and deleted inside the call.
  virtual bool FillRect(GdiObject dc, const Rect& rect, ColorRef color) = 0;
  virtual bool FrameRect(GdiObject dc, const Rect& rect, ColorRef color) = 0;
  virtual ColorRef SetTextColor(GdiObject dc, ColorRef color) = 0;
  virtual ColorRef SetBkColor(GdiObject dc, ColorRef color) = 0;
  virtual int SetBkMode(GdiObject dc, int mode) = 0;
  virtual bool GetTextExtentPoint32A(GdiObject dc, const std::string& text, Size& size) = 0;
  // The text with its top-left corner at (x, y), in the selected font, clipped to the bitmap.
  virtual bool ExtTextOutA(GdiObject dc, std::int32_t x, std::int32_t y, const std::string& text) = 0;
  // Copies the source rectangle onto the destination's with the raster operation (kSrcCopy: as it is).
  virtual bool BitBlt(GdiObject destination, std::int32_t x, std::int32_t y, std::int32_t width,
                      std::int32_t height, GdiObject source, std::int32_t sourceX, std::int32_t sourceY,
                      std::uint32_t rop) = 0;
  // Copies the source rectangle onto the destination's, leaving out the pixels of the key colour.
  virtual bool GdiTransparentBlt(GdiObject destination, std::int32_t x, std::int32_t y, std::int32_t width,
                                 std::int32_t height, GdiObject source, std::int32_t sourceX,
                                 std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight,
                                 ColorRef key) = 0;

  virtual GdiObject ImageList_Create(std::int32_t width, std::int32_t height, std::uint32_t flags,
                                     std::int32_t initial, std::int32_t grow) = 0;
  virtual bool ImageList_Destroy(GdiObject list) = 0;
  // Appends the icon (index -1), scaled to the list's size; the index of the new image, -1 on failure.
  virtual int ImageList_ReplaceIcon(GdiObject list, int index, GdiObject icon) = 0;
  // Appends the bitmap; its pixels of the mask colour become transparent (none for kClrNone).
  virtual int ImageList_AddMasked(GdiObject list, GdiObject bitmap, ColorRef mask) = 0;
  // Draws an image with its transparent pixels left out (kIldTransparent).
  virtual bool ImageList_Draw(GdiObject list, int index, GdiObject dc, std::int32_t x, std::int32_t y,
                              std::uint32_t style) = 0;
  // A new icon made of the image and its mask.
  virtual GdiObject ImageList_GetIcon(GdiObject list, int index, std::uint32_t flags) = 0;

  // An icon resource of the executable, at the given size; 0 when there is none.
  virtual GdiObject LoadImageA(int resourceId, std::int32_t width, std::int32_t height) = 0;
  virtual bool DestroyIcon(GdiObject icon) = 0;
};

}  // namespace vantrel::platform
