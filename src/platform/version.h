// The version of the running system, as far as the program tells its platform families apart.
#pragma once

#include <cstdint>

namespace vantrel::platform {

constexpr std::uint32_t kVerPlatformWin32Windows = 1;  // Windows 95, 98 and Me
constexpr std::uint32_t kVerPlatformWin32Nt = 2;

class Version {
 public:
  virtual ~Version() = default;

  // The platform id of the running system; false when the system cannot tell.
  virtual bool GetVersionExA(std::uint32_t& platformId) = 0;
};

}  // namespace vantrel::platform
