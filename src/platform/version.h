// The version of the running system: its platform family, and its release where the program tells releases
// apart.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::platform {

constexpr std::uint32_t kVerPlatformWin32Windows = 1;  // Windows 95, 98 and Me
constexpr std::uint32_t kVerPlatformWin32Nt = 2;

struct OsVersionInfo {
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::uint32_t platformId = 0;
};

class Version {
 public:
  virtual ~Version() = default;

  // The running system's version; false when the system cannot tell.
  virtual bool GetVersionExA(OsVersionInfo& info) = 0;
  // The version of Wine that runs the program, as its ntdll.dll exports it; empty on Windows itself.
  virtual std::string wine_get_version() = 0;
};

// Whether the version is major.minor or later.
inline bool AtLeast(const OsVersionInfo& info, std::uint32_t major, std::uint32_t minor) {
  return info.majorVersion > major || (info.majorVersion == major && info.minorVersion >= minor);
}

// Whether the system is of the NT family and major.minor or later: the 95/98/Me family numbers its releases
// apart and has none of NT's calls.
inline bool NtAtLeast(const OsVersionInfo& info, std::uint32_t major, std::uint32_t minor) {
  return info.platformId == kVerPlatformWin32Nt && AtLeast(info, major, minor);
}

// Vista or later: elevation, the Task Scheduler's interface and the memory list commands.
inline bool VistaOrLater(const OsVersionInfo& info) {
  return NtAtLeast(info, 6, 0);
}

}  // namespace vantrel::platform
