// A time of day that stands still until a test sets it.
#pragma once

#include "platform/time_of_day.h"

namespace vantrel::fakes {

class FakeTimeOfDay final : public platform::TimeOfDay {
 public:
  std::uint64_t GetSystemTimeAsFileTime() override { return fileTime; }
  std::uint64_t FileTimeToLocalFileTime(std::uint64_t utc) override { return utc + localOffset; }

  // 7 December 2026, 12:00 UTC.
  std::uint64_t fileTime = 0x01DD86427C28E000;
  // The local time zone's lead over UTC, in 100 ns units.
  std::uint64_t localOffset = 0;
};

}  // namespace vantrel::fakes
