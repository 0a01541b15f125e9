// The operating-system services one program instance works with: the real ones in the product, fakes in
// tests.
#pragma once

#include "platform/memory.h"
#include "platform/registry.h"

namespace vantrel::platform {

struct Services {
  Memory* memory = nullptr;
  Registry* registry = nullptr;
};

}  // namespace vantrel::platform
