// The system's own memory service for the benchmark: Win32 under Windows, mmap on Linux.
#pragma once

#include "platform/memory.h"

namespace vantrel::bench {

platform::Memory& systemMemory();

}  // namespace vantrel::bench
