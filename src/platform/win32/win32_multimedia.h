// Win32 only: command strings to multimedia devices.
#pragma once

#include "platform/multimedia.h"

namespace vantrel::platform::win32 {

class Win32Multimedia final : public Multimedia {
 public:
  std::uint32_t mciSendStringA(const std::string& command, WindowHandle callback) override;
};

}  // namespace vantrel::platform::win32
