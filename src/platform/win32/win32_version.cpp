// Win32 only: the version of the running system.
#include "platform/win32/win32_version.h"

#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

// The plain record, which every Windows from 95 on accepts.
static_assert(sizeof(OSVERSIONINFOA) == 148);

// The manifest declares every system up to the latest, so that later ones tell their own version rather than
// the one of Windows 8.
bool Win32Version::GetVersionExA(OsVersionInfo& result) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExA(&info)) {
    return false;
  }
  result.majorVersion = info.dwMajorVersion;
  result.minorVersion = info.dwMinorVersion;
  result.platformId = info.dwPlatformId;
  return true;
}

std::string Win32Version::wine_get_version() {
  // Looked up, not imported: Windows' own ntdll has no such export.
  using Reader = const char*(__cdecl*)();
  const auto read = SystemCall<Reader>(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
  const char* version = read == nullptr ? nullptr : read();
  return version == nullptr ? std::string() : version;
}

}  // namespace vantrel::platform::win32
