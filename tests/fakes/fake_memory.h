// Memory status you set and a virtual memory on the heap that checks how its blocks were used.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "fault_plan.h"
#include "platform/memory.h"

namespace vantrel::fakes {

class FakeMemory final : public platform::Memory {
 public:
  ~FakeMemory() override;

  bool GlobalMemoryStatus(platform::MemoryStatus& status) override;
  void* VirtualAlloc(void* address, std::size_t size, std::uint32_t allocationType,
                     std::uint32_t protect) override;
  bool VirtualFree(void* address, std::size_t size, std::uint32_t freeType) override;
  std::uint32_t GetSystemInfo_PageSize() override { return pageSize; }

  FaultPlan faults;  // calls: "GlobalMemoryStatus", "VirtualAlloc", "VirtualFree"
  platform::MemoryStatus status;
  std::uint32_t pageSize = 4096;

  std::vector<void*> commitOrder;
  std::vector<void*> releaseOrder;
  int badRequests = 0;      // a commit or release with other arguments than a pass makes
  int unwrittenBlocks = 0;  // blocks released with a byte that was never zeroed
  std::size_t outstanding() const { return live_.size(); }

 private:
  std::map<void*, std::size_t> live_;
};

}  // namespace vantrel::fakes
