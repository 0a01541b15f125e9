// Win32 only: the dots per inch a window is shown at, and the scaling of the layout's 96-dpi units to them.
// The framework keeps every position, size and font height in 96-dpi units; only this layer sees pixels.
#pragma once

#include "platform/win32/windows_api.h"

namespace vantrel::win32 {

// The dots per inch the layout is given in.
constexpr int kLayoutDpi = 96;

// The window's dots per inch: its form's, which follows the form's monitor where the system scales per
// monitor, else the system's.
int dpiOf(HWND window);
// Records the dots per inch of a form (at its creation, and when it moves to a monitor of another).
void setFormDpi(HWND form, int dpi);
// The dots per inch the system gives a new top-level window (GetDpiForWindow where it exists, Windows 10
// 1607 on; elsewhere the screen's LOGPIXELSY).
int systemDpi(HWND window);

// Layout units to pixels at that many dots per inch, rounded half away from zero.
int scaled(int value, int dpi);
// Pixels at that many dots per inch back to layout units, rounded half away from zero.
int unscaled(int pixels, int dpi);
// A control's rectangle in pixels: its edges are scaled, not its size, so that controls that touch in the
// layout still touch, without a gap or an overlap of a pixel.
RECT scaledBounds(int left, int top, int width, int height, int dpi);

// The whole factor by which pixel art is enlarged at that many dots per inch: floor(dpi / 96), from 1 to
// kMaxImageFactor. Rounding down keeps an image within the room the layout scaled for it (a 16-pixel row
// image at 144 dpi has 24 pixels of row, not 32), at the price of smaller images between the whole factors.
int imageFactor(int dpi);
// The largest factor that the resources carry images for.
constexpr int kMaxImageFactor = 4;

// The window frame around a client area of that size, for a window shown at that many dots per inch.
RECT frameFor(int width, int height, DWORD style, DWORD exStyle, int dpi);

}  // namespace vantrel::win32
