// The processor object's performance-data block as Windows answers it, built from the processors'
// accumulated idle times: for systems whose own answer lacks the object.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/performance_data.h"

namespace vantrel::platform {

struct ProcessorTimes {
  SystemTime time;                      // when the idle times were taken
  std::int64_t fileTime = 0;            // the same moment, 100 ns units since 1601
  std::vector<std::int64_t> idleTimes;  // per processor, accumulated, 100 ns units
};

// One object (238) with one counter (6) whose value in each instance is that instance's idle time; the
// instances are the processors "0", "1", ... in order and then "_Total", which holds their mean, so that the
// last instance tells the load of the whole machine.
std::vector<std::uint8_t> BuildProcessorBlock(const ProcessorTimes& times);

// Copies a block into a caller's buffer as the performance-data root does: the bytes and their number when
// they fit, kErrorMoreData otherwise.
long DeliverPerformanceBlock(const std::vector<std::uint8_t>& block, std::uint8_t* data,
                             std::uint32_t* dataSize);

}  // namespace vantrel::platform
