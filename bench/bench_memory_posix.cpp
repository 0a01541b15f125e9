// Linux only: private anonymous mappings stand in for committed regions, so a native run measures the pass
// against fresh pages as it does on Windows.
#include <sys/mman.h>
#include <unistd.h>

#include <map>

#include "bench_memory.h"

namespace vantrel::bench {

namespace {

class PosixMemory final : public platform::Memory {
 public:
  bool GlobalMemoryStatus(platform::MemoryStatus& status) override {
    const auto pages = static_cast<std::uint64_t>(sysconf(_SC_PHYS_PAGES));
    const auto available = static_cast<std::uint64_t>(sysconf(_SC_AVPHYS_PAGES));
    const auto pageSize = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    status.totalPhys = pages * pageSize;
    status.availPhys = available * pageSize;
    return true;
  }
  void* VirtualAlloc(void*, std::size_t size, std::uint32_t, std::uint32_t) override {
    void* region = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) {
      return nullptr;
    }
    sizes_[region] = size;
    return region;
  }
  bool VirtualFree(void* address, std::size_t, std::uint32_t) override {
    const auto size = sizes_.find(address);
    if (size == sizes_.end()) {
      return false;
    }
    munmap(address, size->second);
    sizes_.erase(size);
    return true;
  }
  std::uint32_t GetSystemInfo_PageSize() override {
    return static_cast<std::uint32_t>(sysconf(_SC_PAGESIZE));
  }

 private:
  std::map<void*, std::size_t> sizes_;
};

}  // namespace

platform::Memory& systemMemory() {
  static PosixMemory memory;
  return memory;
}

}  // namespace vantrel::bench
