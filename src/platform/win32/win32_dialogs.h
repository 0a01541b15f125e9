// Win32 only: the system's standard dialogs and the warning beep.
#pragma once

#include "platform/dialogs.h"

namespace vantrel::platform::win32 {

class Win32Dialogs final : public Dialogs {
 public:
  int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                  std::uint32_t type) override;
  bool MessageBeep(std::uint32_t type) override;
  bool GetOpenFileNameA(WindowHandle owner, std::string& fileName) override;
};

}  // namespace vantrel::platform::win32
