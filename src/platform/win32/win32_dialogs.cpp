// Win32 only: the system's standard dialogs and the warning beep.
#include "platform/win32/win32_dialogs.h"

#include <vector>

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

int Win32Dialogs::MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                              std::uint32_t type) {
  return ::MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), caption.c_str(), type);
}

bool Win32Dialogs::MessageBeep(std::uint32_t type) {
  return ::MessageBeep(type) != FALSE;
}

bool Win32Dialogs::GetOpenFileNameA(WindowHandle owner, std::string& fileName) {
  std::vector<char> buffer(MAX_PATH * 4, '\0');
  fileName.copy(buffer.data(), buffer.size() - 1);
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = reinterpret_cast<HWND>(owner);
  request.lpstrFile = buffer.data();
  request.nMaxFile = static_cast<DWORD>(buffer.size());
  request.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!::GetOpenFileNameA(&request)) {
    return false;
  }
  fileName = buffer.data();
  return true;
}

}  // namespace vantrel::platform::win32
