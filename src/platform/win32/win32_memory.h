// Win32 only: memory status and virtual memory from the system.
#pragma once

#include "platform/memory.h"

namespace vantrel::platform::win32 {

class Win32Memory final : public Memory {
 public:
  bool GlobalMemoryStatus(MemoryStatus& status) override;
  void* VirtualAlloc(void* address, std::size_t size, std::uint32_t allocationType,
                     std::uint32_t protect) override;
  bool VirtualFree(void* address, std::size_t size, std::uint32_t freeType) override;
  std::uint32_t GetSystemInfo_PageSize() override;
};

}  // namespace vantrel::platform::win32
