// A time of day and a tick count that stand still until a test sets them.
#pragma once

#include "platform/time_of_day.h"

namespace vantrel::fakes {

class FakeTimeOfDay final : public platform::TimeOfDay {
 public:
  std::uint64_t GetSystemTimeAsFileTime() override { return fileTime; }
  std::uint64_t FileTimeToLocalFileTime(std::uint64_t utc) override { return utc + localOffset; }
  std::uint64_t GetTickCount64() override { return tickCount; }

  // 7 December 2026, 12:00 UTC.
  std::uint64_t fileTime = 0x01DD86427C28E000;
  // The local time zone's lead over UTC, in 100 ns units.
  std::uint64_t localOffset = 0;
  // Three days after the system started.
  std::uint64_t tickCount = 259200000;
};

}  // namespace vantrel::fakes
