// The operating-system services one program instance works with: the real ones in the product, fakes in
// tests.
#pragma once

#include "platform/memory.h"
#include "platform/performance_data.h"
#include "platform/registry.h"
#include "platform/version.h"

namespace vantrel::platform {

struct Services {
  Memory* memory = nullptr;
  Registry* registry = nullptr;
  Version* version = nullptr;
  PerformanceData* performanceData = nullptr;
};

}  // namespace vantrel::platform
