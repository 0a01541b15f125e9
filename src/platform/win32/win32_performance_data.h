// Win32 only: the system's performance data. Where the system answers the query for the processor object
// with a block that lacks the object (Wine), that query and every later one for it are answered with the
// block Windows would have returned, built from the processors' idle times; a block that has the object is
// passed on unchanged.
#pragma once

#include "platform/performance_data.h"
#include "platform/processor_block.h"

namespace vantrel::platform::win32 {

class Win32PerformanceData final : public PerformanceData {
 public:
  long RegQueryValueExA(const char* valueName, std::uint8_t* data, std::uint32_t* dataSize) override;
  bool SystemTimeToFileTime(const SystemTime& systemTime, std::int64_t& fileTime) override;

 private:
  bool systemLacksProcessorObject_ = false;
};

// Each processor's accumulated idle time and the moment it was taken; false when the system cannot tell.
bool GatherProcessorTimes(ProcessorTimes& times);

}  // namespace vantrel::platform::win32
