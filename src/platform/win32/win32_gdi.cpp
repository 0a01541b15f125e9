// Win32 only: drawing with the system's graphics device interface and the common controls' image lists.
#include "platform/win32/win32_gdi.h"

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

namespace {

template <typename Handle>
Handle native(GdiObject object) {
  return reinterpret_cast<Handle>(object);
}

template <typename Handle>
GdiObject number(Handle handle) {
  return reinterpret_cast<GdiObject>(handle);
}

RECT rect(const Rect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

// A solid brush for one call.
class Brush {
 public:
  explicit Brush(ColorRef color) : brush_(CreateSolidBrush(color)) {}
  ~Brush() { ::DeleteObject(brush_); }
  Brush(const Brush&) = delete;
  Brush& operator=(const Brush&) = delete;
  HBRUSH get() const { return brush_; }

 private:
  HBRUSH brush_;
};

}  // namespace

ColorRef Win32Gdi::GetSysColor(int index) {
  return ::GetSysColor(index);
}

GdiObject Win32Gdi::CreateCompatibleDC() {
  return number(::CreateCompatibleDC(nullptr));
}

bool Win32Gdi::DeleteDC(GdiObject dc) {
  return ::DeleteDC(native<HDC>(dc)) != FALSE;
}

GdiObject Win32Gdi::CreateCompatibleBitmap(std::int32_t width, std::int32_t height) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  return number(bitmap);
}

GdiObject Win32Gdi::CreateFontIndirectA(const LogFont& font) {
  LOGFONTA native{};
  native.lfHeight = font.height;
  native.lfWeight = font.weight;
  native.lfItalic = font.italic;
  native.lfUnderline = font.underline;
  native.lfStrikeOut = font.strikeOut;
  native.lfCharSet = font.charSet;
  native.lfQuality = font.quality;
  lstrcpynA(native.lfFaceName, font.faceName.c_str(), LF_FACESIZE);
  return number(::CreateFontIndirectA(&native));
}

GdiObject Win32Gdi::SelectObject(GdiObject dc, GdiObject object) {
  return number(::SelectObject(native<HDC>(dc), native<HGDIOBJ>(object)));
}

bool Win32Gdi::DeleteObject(GdiObject object) {
  return ::DeleteObject(native<HGDIOBJ>(object)) != FALSE;
}

bool Win32Gdi::FillRect(GdiObject dc, const Rect& r, ColorRef color) {
  const Brush brush(color);
  const RECT area = rect(r);
  return ::FillRect(native<HDC>(dc), &area, brush.get()) != 0;
}

bool Win32Gdi::FrameRect(GdiObject dc, const Rect& r, ColorRef color) {
  const Brush brush(color);
  const RECT area = rect(r);
  return ::FrameRect(native<HDC>(dc), &area, brush.get()) != 0;
}

ColorRef Win32Gdi::SetTextColor(GdiObject dc, ColorRef color) {
  return ::SetTextColor(native<HDC>(dc), color);
}

ColorRef Win32Gdi::SetBkColor(GdiObject dc, ColorRef color) {
  return ::SetBkColor(native<HDC>(dc), color);
}

int Win32Gdi::SetBkMode(GdiObject dc, int mode) {
  return ::SetBkMode(native<HDC>(dc), mode);
}

bool Win32Gdi::GetTextExtentPoint32A(GdiObject dc, const std::string& text, Size& size) {
  SIZE extent{};
  const bool ok =
      ::GetTextExtentPoint32A(native<HDC>(dc), text.data(), static_cast<int>(text.size()), &extent) != FALSE;
  size = {extent.cx, extent.cy};
  return ok;
}

bool Win32Gdi::ExtTextOutA(GdiObject dc, std::int32_t x, std::int32_t y, const std::string& text) {
  return ::ExtTextOutA(native<HDC>(dc), x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()),
                       nullptr) != FALSE;
}

bool Win32Gdi::BitBlt(GdiObject destination, std::int32_t x, std::int32_t y, std::int32_t width,
                      std::int32_t height, GdiObject source, std::int32_t sourceX, std::int32_t sourceY,
                      std::uint32_t rop) {
  return ::BitBlt(native<HDC>(destination), x, y, width, height, native<HDC>(source), sourceX, sourceY,
                  rop) != FALSE;
}

bool Win32Gdi::GdiTransparentBlt(GdiObject destination, std::int32_t x, std::int32_t y, std::int32_t width,
                                 std::int32_t height, GdiObject source, std::int32_t sourceX,
                                 std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight,
                                 ColorRef key) {
  return ::GdiTransparentBlt(native<HDC>(destination), x, y, width, height, native<HDC>(source), sourceX,
                             sourceY, sourceWidth, sourceHeight, key) != FALSE;
}

GdiObject Win32Gdi::ImageList_Create(std::int32_t width, std::int32_t height, std::uint32_t flags,
                                     std::int32_t initial, std::int32_t grow) {
  return number(::ImageList_Create(width, height, flags, initial, grow));
}

bool Win32Gdi::ImageList_Destroy(GdiObject list) {
  return ::ImageList_Destroy(native<HIMAGELIST>(list)) != FALSE;
}

int Win32Gdi::ImageList_ReplaceIcon(GdiObject list, int index, GdiObject icon) {
  return ::ImageList_ReplaceIcon(native<HIMAGELIST>(list), index, native<HICON>(icon));
}

int Win32Gdi::ImageList_AddMasked(GdiObject list, GdiObject bitmap, ColorRef mask) {
  if (mask == kClrNone) {
    // A mask colour of none would still key out black; without a mask bitmap every pixel is opaque.
    return ::ImageList_Add(native<HIMAGELIST>(list), native<HBITMAP>(bitmap), nullptr);
  }
  return ::ImageList_AddMasked(native<HIMAGELIST>(list), native<HBITMAP>(bitmap), mask);
}

bool Win32Gdi::ImageList_Draw(GdiObject list, int index, GdiObject dc, std::int32_t x, std::int32_t y,
                              std::uint32_t style) {
  return ::ImageList_Draw(native<HIMAGELIST>(list), index, native<HDC>(dc), x, y, style) != FALSE;
}

GdiObject Win32Gdi::ImageList_GetIcon(GdiObject list, int index, std::uint32_t flags) {
  return number(::ImageList_GetIcon(native<HIMAGELIST>(list), index, flags));
}

GdiObject Win32Gdi::LoadImageA(int resourceId, std::int32_t width, std::int32_t height) {
  return number(::LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_ICON, width,
                             height, LR_DEFAULTCOLOR));
}

bool Win32Gdi::DestroyIcon(GdiObject icon) {
  return ::DestroyIcon(native<HICON>(icon)) != FALSE;
}

}  // namespace vantrel::platform::win32
