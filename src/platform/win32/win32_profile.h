// Win32 only: initialisation files through the system's profile functions.
#pragma once

#include "platform/profile.h"

namespace vantrel::platform::win32 {

class Win32Profile final : public Profile {
 public:
  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, const std::string& file) override;
  bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& file) override;
};

}  // namespace vantrel::platform::win32
