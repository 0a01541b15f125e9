// Win32 only: drawing with the system's graphics device interface and the common controls' image lists.
#pragma once

#include "platform/gdi.h"

namespace vantrel::platform::win32 {

class Win32Gdi final : public Gdi {
 public:
  ColorRef GetSysColor(int index) override;
  GdiObject CreateCompatibleDC() override;
  bool DeleteDC(GdiObject dc) override;
  GdiObject CreateCompatibleBitmap(std::int32_t width, std::int32_t height) override;
  GdiObject CreateFontIndirectA(const LogFont& font) override;
  GdiObject SelectObject(GdiObject dc, GdiObject object) override;
  bool DeleteObject(GdiObject object) override;
  bool FillRect(GdiObject dc, const Rect& rect, ColorRef color) override;
  bool FrameRect(GdiObject dc, const Rect& rect, ColorRef color) override;
  ColorRef SetTextColor(GdiObject dc, ColorRef color) override;
  ColorRef SetBkColor(GdiObject dc, ColorRef color) override;
  int SetBkMode(GdiObject dc, int mode) override;
  bool GetTextExtentPoint32A(GdiObject dc, const std::string& text, Size& size) override;
  bool ExtTextOutA(GdiObject dc, std::int32_t x, std::int32_t y, const std::string& text) override;
  bool BitBlt(GdiObject destination, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
              GdiObject source, std::int32_t sourceX, std::int32_t sourceY, std::uint32_t rop) override;
  bool GdiTransparentBlt(GdiObject destination, std::int32_t x, std::int32_t y, std::int32_t width,
                         std::int32_t height, GdiObject source, std::int32_t sourceX, std::int32_t sourceY,
                         std::int32_t sourceWidth, std::int32_t sourceHeight, ColorRef key) override;
  GdiObject ImageList_Create(std::int32_t width, std::int32_t height, std::uint32_t flags,
                             std::int32_t initial, std::int32_t grow) override;
  bool ImageList_Destroy(GdiObject list) override;
  int ImageList_ReplaceIcon(GdiObject list, int index, GdiObject icon) override;
  int ImageList_AddMasked(GdiObject list, GdiObject bitmap, ColorRef mask) override;
  bool ImageList_Draw(GdiObject list, int index, GdiObject dc, std::int32_t x, std::int32_t y,
                      std::uint32_t style) override;
  GdiObject ImageList_GetIcon(GdiObject list, int index, std::uint32_t flags) override;
  GdiObject LoadImageA(int resourceId, std::int32_t width, std::int32_t height) override;
  bool DestroyIcon(GdiObject icon) override;
};

}  // namespace vantrel::platform::win32
