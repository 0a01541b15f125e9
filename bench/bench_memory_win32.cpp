#include "bench_memory.h"
#include "platform/win32/win32_memory.h"

namespace vantrel::bench {

platform::Memory& systemMemory() {
  static platform::win32::Win32Memory memory;
  return memory;
}

}  // namespace vantrel::bench
