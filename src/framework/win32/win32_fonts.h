// Win32 only: the fonts of the framework's controls, with a close relative where a named font is missing.
#pragma once

#include "framework/graphics.h"
#include "platform/win32/windows_api.h"

namespace vantrel::win32 {

// A font kept for the life of the process, its height scaled to the given dots per inch; the same description
// at the same dots per inch gives the same handle.
HFONT fontFor(const TFont& font, int dpi);
// A system colour or an RGB colour as GDI takes it.
COLORREF colorRef(TColor color);

}  // namespace vantrel::win32
