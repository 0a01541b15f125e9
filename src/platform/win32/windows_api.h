// The one way into <windows.h> for the Win32 layer, with its macros pinned, and the headers of the common
// controls, dialogs and shell, which need it first.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Kept apart: these must follow <windows.h>.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#ifndef _WIN64
// On x86 the pointer-sized window-long functions are macros for the 32-bit ones; as functions their names
// stay free for methods of the same name.
#undef GetWindowLongPtrA
#undef SetWindowLongPtrA
inline LONG_PTR GetWindowLongPtrA(HWND window, int index) {
  return GetWindowLongA(window, index);
}
inline LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
  return SetWindowLongA(window, index, value);
}
#endif

#include <string>

namespace vantrel::platform::win32 {

// Windows' wide characters are UTF-16 code units, as char16_t is.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
inline const wchar_t* wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline wchar_t* wide(std::u16string& text) {
  return reinterpret_cast<wchar_t*>(text.data());
}

}  // namespace vantrel::platform::win32
