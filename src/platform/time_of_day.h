// The time of day, as the system keeps it, and the time since the system started, which nobody sets.
#pragma once

#include <cstdint>

namespace vantrel::platform {

class TimeOfDay {
 public:
  virtual ~TimeOfDay() = default;

  // Now, in UTC, as a FILETIME: 100-nanosecond intervals since 1 January 1601.
  virtual std::uint64_t GetSystemTimeAsFileTime() = 0;
  // The same moment in the local time zone's time.
  virtual std::uint64_t FileTimeToLocalFileTime(std::uint64_t fileTime) = 0;
  // Milliseconds since the system started: never set back, so pauses are measured on it.
  virtual std::uint64_t GetTickCount64() = 0;
};

}  // namespace vantrel::platform
