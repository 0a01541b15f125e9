// Win32 only: the system's standard dialogs and the warning beep.
#include "platform/win32/win32_dialogs.h"

#include <algorithm>
#include <vector>

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

int Win32Dialogs::MessageBoxW(WindowHandle owner, const std::u16string& text, const std::u16string& caption,
                              std::uint32_t type) {
  // The box's own message loop ends at a quit that is already asked for (the program's exit, when its loop
  // never took the quit), and the box would close before anyone read it: the quit waits for the box.
  MSG quit;
  const bool quitting = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  const int answer = ::MessageBoxW(reinterpret_cast<HWND>(owner), wide(text), wide(caption), type);
  if (quitting) {
    PostQuitMessage(static_cast<int>(quit.wParam));
  }
  return answer;
}

bool Win32Dialogs::MessageBeep(std::uint32_t type) {
  return ::MessageBeep(type) != FALSE;
}

bool Win32Dialogs::GetOpenFileNameW(WindowHandle owner, std::u16string& fileName) {
  std::vector<wchar_t> buffer(MAX_PATH * 4, L'\0');
  std::copy_n(fileName.begin(), std::min(fileName.size(), buffer.size() - 1), buffer.begin());
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = reinterpret_cast<HWND>(owner);
  request.lpstrFile = buffer.data();
  request.nMaxFile = static_cast<DWORD>(buffer.size());
  request.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!::GetOpenFileNameW(&request)) {
    return false;
  }
  fileName = reinterpret_cast<const char16_t*>(buffer.data());
  return true;
}

}  // namespace vantrel::platform::win32
