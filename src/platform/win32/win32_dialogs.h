// Win32 only: the system's standard dialogs and the warning beep.
#pragma once

#include "platform/dialogs.h"

namespace vantrel::platform::win32 {

class Win32Dialogs final : public Dialogs {
 public:
  int MessageBoxW(WindowHandle owner, const std::u16string& text, const std::u16string& caption,
                  std::uint32_t type) override;
  bool MessageBeep(std::uint32_t type) override;
  bool GetOpenFileNameW(WindowHandle owner, std::u16string& fileName) override;
};

}  // namespace vantrel::platform::win32
