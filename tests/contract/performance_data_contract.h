// What the sampler relies on from any performance data, real or fake: run against the fake natively and
// against the system under Wine, so that the fake cannot drift from the real thing.
#pragma once

#include "platform/performance_data.h"

namespace vantrel::contract {

// The answer for the processor object must hold that object with its usage counter.
void checkPerformanceData(platform::PerformanceData& performanceData);

}  // namespace vantrel::contract
