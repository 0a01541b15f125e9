// Win32 only: who may change a file or folder.
#pragma once

#include "platform/file_security.h"

namespace vantrel::platform::win32 {

class Win32FileSecurity final : public FileSecurity {
 public:
  long GetNamedSecurityInfoW(const std::u16string& path, SecurityInfo* info) override;
  std::string GetTokenInformation_User() override;
};

}  // namespace vantrel::platform::win32
