// Performance data that answers with the block you set, as the system's performance-data root does, and
// converts time stamps with the calendar's own arithmetic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fault_plan.h"
#include "platform/performance_data.h"

namespace vantrel::fakes {

class FakePerformanceData final : public platform::PerformanceData {
 public:
  long RegQueryValueExA(const char* valueName, std::uint8_t* data, std::uint32_t* dataSize) override;
  bool SystemTimeToFileTime(const platform::SystemTime& systemTime, std::int64_t& fileTime) override;

  FaultPlan faults;  // calls: "RegQueryValueExA" (answers access denied), "SystemTimeToFileTime"
  std::vector<std::uint8_t> block;         // the answer of every query until changed
  std::vector<std::string> valueNames;     // of every query, in order
  std::vector<std::uint32_t> bufferSizes;  // the buffer size given to every query, in order
};

}  // namespace vantrel::fakes
