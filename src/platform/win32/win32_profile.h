// Win32 only: initialisation files through the system's profile functions.
#pragma once

#include "platform/profile.h"

namespace vantrel::platform::win32 {

class Win32Profile final : public Profile {
 public:
  std::string GetPrivateProfileStringW(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, const std::u16string& file) override;
  bool WritePrivateProfileStringW(const std::string& section, const std::string& key,
                                  const std::string& value, const std::u16string& file) override;
};

}  // namespace vantrel::platform::win32
