// Win32 only: command strings to multimedia devices.
#include "platform/win32/win32_multimedia.h"

#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <mmsystem.h>

namespace vantrel::platform::win32 {

namespace {

using MciSendStringFn = MCIERROR(WINAPI*)(LPCSTR, LPSTR, UINT, HWND);

}  // namespace

std::uint32_t Win32Multimedia::mciSendStringA(const std::string& command, WindowHandle callback) {
  // winmm.dll is no known DLL: imported, it would be looked for in the program's folder first.
  static const auto send = SystemCall<MciSendStringFn>(LoadSystemLibrary(L"winmm.dll"), "mciSendStringA");
  if (!send) {
    return MCIERR_DEVICE_NOT_INSTALLED;
  }
  return send(command.c_str(), nullptr, 0, reinterpret_cast<HWND>(callback));
}

}  // namespace vantrel::platform::win32
