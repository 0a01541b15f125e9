// Win32 only: the visual styles through uxtheme.dll, loaded on first use from the system folder: the x86
// build still runs on systems that lack it.
#include "framework/win32/win32_themes.h"

#include "platform/win32/system_library.h"

namespace vantrel::win32 {

namespace {

using Theme = HANDLE;
// The body of a tab control's pages, in the "TAB" class of a visual style.
constexpr int kTabBodyPart = 10;

struct Uxtheme {
  Theme(WINAPI* openThemeData)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* closeThemeData)(Theme) = nullptr;
  HRESULT(WINAPI* drawThemeBackground)(Theme, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* drawThemeParentBackground)(HWND, HDC, const RECT*) = nullptr;
  HRESULT(WINAPI* setWindowTheme)(HWND, LPCWSTR, LPCWSTR) = nullptr;
};

template <typename Function>
void load(HMODULE library, const char* name, Function& function) {
  function = platform::win32::SystemCall<Function>(library, name);
}

// Loaded for the life of the process; every member stays null where the library is missing.
const Uxtheme& uxtheme() {
  static const Uxtheme calls = [] {
    Uxtheme found;
    if (HMODULE library = platform::win32::LoadSystemLibrary(L"uxtheme.dll")) {
      load(library, "OpenThemeData", found.openThemeData);
      load(library, "CloseThemeData", found.closeThemeData);
      load(library, "DrawThemeBackground", found.drawThemeBackground);
      load(library, "DrawThemeParentBackground", found.drawThemeParentBackground);
      load(library, "SetWindowTheme", found.setWindowTheme);
    }
    return found;
  }();
  return calls;
}

// The visual style of a window's class; null where the window is drawn without one.
Theme themeOf(HWND window, const wchar_t* themeClass) {
  const Uxtheme& calls = uxtheme();
  return calls.openThemeData && calls.closeThemeData ? calls.openThemeData(window, themeClass) : nullptr;
}

}  // namespace

bool drawTabBody(HWND page, HDC dc) {
  const Uxtheme& calls = uxtheme();
  Theme theme = themeOf(GetParent(page), L"TAB");
  if (!theme) {
    return false;
  }
  RECT area;
  GetClientRect(page, &area);
  const bool drawn = calls.drawThemeBackground &&
                     SUCCEEDED(calls.drawThemeBackground(theme, dc, kTabBodyPart, 0, &area, nullptr));
  calls.closeThemeData(theme);
  return drawn;
}

bool drawParentBackground(HWND child, HDC dc) {
  const Uxtheme& calls = uxtheme();
  Theme theme = themeOf(GetParent(child), L"TAB");
  if (!theme) {
    return false;
  }
  calls.closeThemeData(theme);
  return calls.drawThemeParentBackground && SUCCEEDED(calls.drawThemeParentBackground(child, dc, nullptr));
}

void withoutVisualStyle(HWND window) {
  if (const Uxtheme& calls = uxtheme(); calls.setWindowTheme) {
    calls.setWindowTheme(window, L"", L"");
  }
}

}  // namespace vantrel::win32
