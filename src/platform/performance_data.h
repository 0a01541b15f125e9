// The system's performance data: the blocks under the performance-data root of the registry, and the
// conversion of their time stamps.
#pragma once

#include <cstdint>

namespace vantrel::platform {

// A calendar time in UTC, field for field as the system keeps it.
struct SystemTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;  // 1 to 12
  std::uint16_t dayOfWeek = 0;
  std::uint16_t day = 0;  // of the month, from 1
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t milliseconds = 0;
};

class PerformanceData {
 public:
  virtual ~PerformanceData() = default;

  // Writes the performance-data block for `valueName` (title indexes as text, e.g. "238") into `data` and
  // sets
  // `*dataSize` (in: the buffer's size) to the bytes written. kErrorMoreData when the buffer is too small;
  // `*dataSize` then tells nothing.
  virtual long RegQueryValueExA(const char* valueName, std::uint8_t* data, std::uint32_t* dataSize) = 0;
  // 100-nanosecond intervals since 1 January 1601 (UTC); false for a time that is not a valid date and time.
  virtual bool SystemTimeToFileTime(const SystemTime& systemTime, std::int64_t& fileTime) = 0;
};

}  // namespace vantrel::platform
