// The system's count of the pages it has read in from disk since start-up (hard faults that were paged in):
// the raw value of the Memory object's "Page Inputs/sec" in the performance data, or else the native system
// performance information. Both are 32-bit counts that wrap; read at least every few hours, the count here
// does not.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/performance_data.h"
#include "platform/system_memory.h"

namespace vantrel {

class PageReads {
 public:
  PageReads(platform::PerformanceData& performanceData, platform::SystemMemory& systemMemory)
      : performanceData_(performanceData), systemMemory_(systemMemory) {}

  // None where the system gives no count.
  std::optional<std::uint64_t> Read();

 private:
  std::optional<std::uint32_t> readPerformanceData();

  platform::PerformanceData& performanceData_;
  platform::SystemMemory& systemMemory_;
  // A system whose performance data lacks the counter lacks it every time, and asking it is slow.
  bool performanceDataLacksIt_ = false;
  std::optional<std::uint32_t> last_;
  std::uint64_t wraps_ = 0;
};

}  // namespace vantrel
