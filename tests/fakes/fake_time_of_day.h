// A time of day that stands still until a test sets it.
#pragma once

#include "platform/time_of_day.h"

namespace vantrel::fakes {

class FakeTimeOfDay final : public platform::TimeOfDay {
 public:
  std::uint64_t GetSystemTimeAsFileTime() override { return fileTime; }

  // 7 December 2026, 12:00 UTC.
  std::uint64_t fileTime = 0x01DD86427C28E000;
};

}  // namespace vantrel::fakes
