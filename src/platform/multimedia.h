// Commands to multimedia devices in the command-string language (the CD drive's tray).
#pragma once

#include <cstdint>
#include <string>

#include "platform/dialogs.h"

namespace vantrel::platform {

// MMSYSERR_NOERROR; any other answer is an error number of the device or of the command.
constexpr std::uint32_t kMciNoError = 0;

class Multimedia {
 public:
  virtual ~Multimedia() = default;

  // Carries out the command; nothing is returned besides the error number. `callback` is the window told
  // when a command with "notify" completes.
  virtual std::uint32_t mciSendStringA(const std::string& command, WindowHandle callback) = 0;
};

}  // namespace vantrel::platform
