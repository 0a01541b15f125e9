// Win32 only: the version of the running system.
#include "platform/win32/win32_version.h"

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

// The plain record, which every Windows from 95 on accepts.
static_assert(sizeof(OSVERSIONINFOA) == 148);

bool Win32Version::GetVersionExA(std::uint32_t& platformId) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExA(&info)) {
    return false;
  }
  platformId = info.dwPlatformId;
  return true;
}

}  // namespace vantrel::platform::win32
