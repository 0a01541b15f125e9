// Win32 only: the dots per inch of windows, with the calls of newer systems loaded where they exist (the x86
// build still runs on Windows XP, which has none of them).
#include "framework/win32/win32_dpi.h"

#include <algorithm>

#include "platform/win32/system_library.h"

namespace vantrel::win32 {

namespace {

constexpr char kDpiProperty[] = "Vantrel.Dpi";

template <typename Function>
Function user32Function(const char* name) {
  return platform::win32::SystemCall<Function>(GetModuleHandleA("user32.dll"), name);
}

}  // namespace

int systemDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(window)) {
      return static_cast<int>(dpi);
    }
  }
  // Fixed for the session on the systems without the call above.
  static const int screenDpi = [] {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kLayoutDpi;
  }();
  return screenDpi;
}

void setFormDpi(HWND form, int dpi) {
  SetPropA(form, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

int dpiOf(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  if (const auto recorded = reinterpret_cast<INT_PTR>(GetPropA(root ? root : window, kDpiProperty))) {
    return static_cast<int>(recorded);
  }
  return systemDpi(window);
}

int scaled(int value, int dpi) {
  return MulDiv(value, dpi, kLayoutDpi);
}

int unscaled(int pixels, int dpi) {
  return MulDiv(pixels, kLayoutDpi, dpi);
}

RECT scaledBounds(int left, int top, int width, int height, int dpi) {
  return {scaled(left, dpi), scaled(top, dpi), scaled(left + width, dpi), scaled(top + height, dpi)};
}

int imageFactor(int dpi) {
  return std::clamp(dpi / kLayoutDpi, 1, kMaxImageFactor);
}

RECT frameFor(int width, int height, DWORD style, DWORD exStyle, int dpi) {
  using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, width, height};
  if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return frame;
}

}  // namespace vantrel::win32
