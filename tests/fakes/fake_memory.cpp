#include "fake_memory.h"

#include <cstdlib>
#include <cstring>

namespace vantrel::fakes {

namespace {
constexpr unsigned char kFreshByte = 0xA5;
}

FakeMemory::~FakeMemory() {
  for (const auto& [address, size] : live_) {
    std::free(address);
  }
}

bool FakeMemory::GlobalMemoryStatus(platform::MemoryStatus& out) {
  if (faults.shouldFail("GlobalMemoryStatus")) {
    return false;
  }
  out = status;
  return true;
}

void* FakeMemory::VirtualAlloc(void* address, std::size_t size, std::uint32_t allocationType,
                               std::uint32_t protect) {
  if (faults.shouldFail("VirtualAlloc")) {
    return nullptr;
  }
  if (address != nullptr || allocationType != platform::kMemCommit ||
      protect != (platform::kPageReadWrite | platform::kPageNoCache)) {
    ++badRequests;
  }
  // Fresh blocks hold garbage, so a block that is not written all over is seen at its release.
  void* block = std::malloc(size);
  std::memset(block, kFreshByte, size);
  live_[block] = size;
  commitOrder.push_back(block);
  return block;
}

bool FakeMemory::VirtualFree(void* address, std::size_t size, std::uint32_t freeType) {
  const bool failed = faults.shouldFail("VirtualFree");
  const auto block = live_.find(address);
  if (block == live_.end() || size != 0 || freeType != platform::kMemRelease) {
    ++badRequests;
    return false;
  }
  static const std::vector<unsigned char> zeros(block->second, 0);
  if (zeros.size() != block->second || std::memcmp(address, zeros.data(), block->second) != 0) {
    ++unwrittenBlocks;
  }
  releaseOrder.push_back(address);
  if (failed) {
    // The region stays the caller's: a failed release gives nothing back.
    return false;
  }
  std::free(address);
  live_.erase(block);
  return true;
}

}  // namespace vantrel::fakes
