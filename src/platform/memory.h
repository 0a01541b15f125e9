// Memory status and virtual memory of the running process.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrel::platform {

// Figures of GlobalMemoryStatusEx, in bytes: 64-bit so that machines of 4 GiB and more read true.
struct MemoryStatus {
  std::uint64_t totalPhys = 0;
  std::uint64_t availPhys = 0;
};

constexpr std::uint32_t kMemCommit = 0x1000;
constexpr std::uint32_t kMemRelease = 0x8000;
constexpr std::uint32_t kPageReadWrite = 0x04;
constexpr std::uint32_t kPageNoCache = 0x200;

class Memory {
 public:
  virtual ~Memory() = default;

  // Fills both figures; false when the system cannot tell.
  virtual bool GlobalMemoryStatus(MemoryStatus& status) = 0;
  // Reserves and commits `size` bytes; nullptr when the system refuses.
  virtual void* VirtualAlloc(void* address, std::size_t size, std::uint32_t allocationType,
                             std::uint32_t protect) = 0;
  // Gives back a region that VirtualAlloc returned (size 0 with kMemRelease).
  virtual bool VirtualFree(void* address, std::size_t size, std::uint32_t freeType) = 0;
  // GetSystemInfo's dwPageSize: the bytes of one page of memory.
  virtual std::uint32_t GetSystemInfo_PageSize() = 0;
};

}  // namespace vantrel::platform
