// The time of day, as the system keeps it.
#pragma once

#include <cstdint>

namespace vantrel::platform {

class TimeOfDay {
 public:
  virtual ~TimeOfDay() = default;

  // Now, in UTC, as a FILETIME: 100-nanosecond intervals since 1 January 1601.
  virtual std::uint64_t GetSystemTimeAsFileTime() = 0;
};

}  // namespace vantrel::platform
