// Win32 only: the time of day and the time since the system started.
#pragma once

#include "platform/time_of_day.h"

namespace vantrel::platform::win32 {

class Win32TimeOfDay final : public TimeOfDay {
 public:
  std::uint64_t GetSystemTimeAsFileTime() override;
  std::uint64_t FileTimeToLocalFileTime(std::uint64_t fileTime) override;
  std::uint64_t GetTickCount64() override;
};

}  // namespace vantrel::platform::win32
