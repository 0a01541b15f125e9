// Win32 only: command strings to multimedia devices.
#include "platform/win32/win32_multimedia.h"

#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <mmsystem.h>

namespace vantrel::platform::win32 {

std::uint32_t Win32Multimedia::mciSendStringA(const std::string& command, WindowHandle callback) {
  return ::mciSendStringA(command.c_str(), nullptr, 0, reinterpret_cast<HWND>(callback));
}

}  // namespace vantrel::platform::win32
