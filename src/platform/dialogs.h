// The system's standard dialogs and the warning beep.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::platform {

// Window handle of a dialog's owner; 0 for none.
using WindowHandle = std::uintptr_t;

constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbIconStop = 0x10;
constexpr std::uint32_t kMbIconWarning = 0x30;
constexpr std::uint32_t kMbIconInformation = 0x40;
constexpr int kIdOk = 1;

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A modal message box; the number of the button that closed it, 0 when it could not be shown.
  virtual int MessageBoxW(WindowHandle owner, const std::u16string& text, const std::u16string& caption,
                          std::uint32_t type) = 0;
  // The sound of the given alert kind (0: the default beep).
  virtual bool MessageBeep(std::uint32_t type) = 0;
  // The file-open dialog, starting at `fileName`; true with the chosen full path in `fileName`, false when
  // the user cancelled.
  virtual bool GetOpenFileNameW(WindowHandle owner, std::u16string& fileName) = 0;
};

}  // namespace vantrel::platform
