// Win32 only: Shell_NotifyIconA with the record laid out as the system's, and DllGetVersion.
#include "platform/win32/win32_shell.h"

#include <cstddef>
#include <cstring>

#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"
// After <windows.h>: DllGetVersion's record.
#include <shlwapi.h>

namespace vantrel::platform::win32 {

static_assert(sizeof(NotifyIconDataA) == NOTIFYICONDATAA_V2_SIZE);
static_assert(offsetof(NotifyIconDataA, hIcon) == offsetof(NOTIFYICONDATAA, hIcon));
static_assert(offsetof(NotifyIconDataA, szTip) == offsetof(NOTIFYICONDATAA, szTip));
static_assert(offsetof(NotifyIconDataA, uVersion) == offsetof(NOTIFYICONDATAA, uVersion));
static_assert(offsetof(NotifyIconDataA, dwInfoFlags) == offsetof(NOTIFYICONDATAA, dwInfoFlags));

bool Win32Shell::Shell_NotifyIconA(std::uint32_t message, const NotifyIconDataA& data) {
  NOTIFYICONDATAA record{};
  std::memcpy(&record, &data, sizeof data);
  const bool done = ::Shell_NotifyIconA(message, &record) != FALSE;
  const std::pair<HWnd, std::uint32_t> key{data.hWnd, data.uID};
  // The icon is gone already in both cases (deleted, or lost by the shell before it was added again), so its
  // owner forgets it without deleting it.
  if (done && (message == NIM_ADD || message == NIM_DELETE)) {
    if (const auto icon = shown_.find(key); icon != shown_.end()) {
      icon->second.release();
      shown_.erase(icon);
    }
  }
  if (done && message == NIM_ADD) {
    shown_[key].reset({reinterpret_cast<HWND>(data.hWnd), data.uID});
  }
  return done;
}

bool Win32Shell::DllGetVersion(const char* library, std::uint32_t& major, std::uint32_t& minor) {
  HMODULE module = LoadLibraryA(library);
  if (!module) {
    return false;
  }
  bool known = false;
  if (const auto getVersion = SystemCall<DLLGETVERSIONPROC>(module, "DllGetVersion")) {
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (SUCCEEDED(getVersion(&info))) {
      major = info.dwMajorVersion;
      minor = info.dwMinorVersion;
      known = true;
    }
  }
  FreeLibrary(module);
  return known;
}

}  // namespace vantrel::platform::win32
