// Win32 only: the visual styles, where the system has them and the user chose one. Every call does nothing
// (or answers false) on systems without them.
#pragma once

#include "platform/win32/windows_api.h"

namespace vantrel::win32 {

// Draws the body of a tab control's visual style over the whole client area of a page inside it, as a
// dialog's page shows it; false where the tab control is drawn without a visual style.
bool drawTabBody(HWND page, HDC dc);
// Draws a page's background (the tab body above) under a child window of the page; false where the tab
// control has no visual style.
bool drawParentBackground(HWND child, HDC dc);
// Draws the window the classic way, with the looks its styles ask for (a flat button's flat face).
void withoutVisualStyle(HWND window);

}  // namespace vantrel::win32
