// Win32 only: the version of the running system.
#pragma once

#include "platform/version.h"

namespace vantrel::platform::win32 {

class Win32Version final : public Version {
 public:
  bool GetVersionExA(OsVersionInfo& info) override;
  std::string wine_get_version() override;
};

}  // namespace vantrel::platform::win32
