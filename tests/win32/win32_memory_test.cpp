// The real memory service and a real reclaim pass under Windows (Wine in CI).
#include "platform/win32/win32_memory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "memory/max_mem.h"
#include "platform/win32/windows_api.h"

namespace vantrel {
namespace {

constexpr std::uint64_t kMiB = 1048576;

// Passes every call on to the system and keeps the addresses it committed.
class RecordingMemory final : public platform::Memory {
 public:
  bool GlobalMemoryStatus(platform::MemoryStatus& status) override { return real.GlobalMemoryStatus(status); }
  void* VirtualAlloc(void* address, std::size_t size, std::uint32_t type, std::uint32_t protect) override {
    void* block = real.VirtualAlloc(address, size, type, protect);
    blocks.push_back(block);
    return block;
  }
  bool VirtualFree(void* address, std::size_t size, std::uint32_t type) override {
    return real.VirtualFree(address, size, type);
  }
  std::uint32_t GetSystemInfo_PageSize() override { return real.GetSystemInfo_PageSize(); }

  platform::win32::Win32Memory real;
  std::vector<void*> blocks;
};

// The host's own figure, where Wine shows the Linux file system as drive Z.
std::uint64_t hostTotalMemory() {
  std::ifstream meminfo("Z:\\proc\\meminfo");
  std::string key;
  std::uint64_t kib = 0;
  while (meminfo >> key >> kib) {
    if (key == "MemTotal:") {
      return kib * 1024;
    }
    meminfo.ignore(1 << 10, '\n');
  }
  return 0;
}

TEST(Win32Memory, StatusReportsTheWholeMachineEvenInA32BitProcess) {
  platform::win32::Win32Memory memory;
  platform::MemoryStatus status;
  ASSERT_TRUE(memory.GlobalMemoryStatus(status));
  EXPECT_GT(status.totalPhys, 16 * kMiB);
  EXPECT_GT(status.availPhys, 0u);
  EXPECT_LE(status.availPhys, status.totalPhys);
  if (const std::uint64_t host = hostTotalMemory()) {
    RecordProperty("host_total_mib", std::to_string(host / kMiB));
    EXPECT_NEAR(static_cast<double>(status.totalPhys), static_cast<double>(host), 16.0 * kMiB);
  }
}

TEST(Win32Memory, ARealPassCommitsWritesAndReleasesEveryBlock) {
  RecordingMemory memory;
  TMaxMem maxMem(nullptr, memory);
  const std::int64_t freeBefore = maxMem.FreeMemory();

  int progressCalls = 0;
  int checkedAtPeak = 0;
  maxMem.OnProgress = [&](TObject*, std::int32_t progress) {
    ++progressCalls;
    if (progress != 50) {
      return;
    }
    // All 64 blocks are held now: each is committed read-write uncached, and zero all over.
    for (void* block : memory.blocks) {
      MEMORY_BASIC_INFORMATION info{};
      ASSERT_EQ(VirtualQuery(block, &info, sizeof info), sizeof info);
      EXPECT_EQ(info.State, static_cast<DWORD>(MEM_COMMIT));
      EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_READWRITE | PAGE_NOCACHE));
      EXPECT_GE(info.RegionSize, TMaxMem::kBlockSize);
      const auto* bytes = static_cast<const unsigned char*>(block);
      EXPECT_EQ(bytes[0] | bytes[TMaxMem::kBlockSize / 2] | bytes[TMaxMem::kBlockSize - 1], 0);
      ++checkedAtPeak;
    }
  };
  maxMem.Defrag(64);

  EXPECT_EQ(progressCalls, 128);
  EXPECT_EQ(checkedAtPeak, 64);
  ASSERT_EQ(memory.blocks.size(), 64u);
  for (void* block : memory.blocks) {
    MEMORY_BASIC_INFORMATION info{};
    ASSERT_EQ(VirtualQuery(block, &info, sizeof info), sizeof info);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE));
  }

  // Wine refreshes its figures at most once a second.
  Sleep(1100);
  const std::int64_t freeAfter = maxMem.FreeMemory();
  std::ostringstream figures;
  figures << "free before " << freeBefore / kMiB << " MB, after " << freeAfter / kMiB << " MB";
  RecordProperty("free_memory", figures.str());
  EXPECT_GT(freeBefore, 0);
  EXPECT_GT(freeAfter, 0);
  EXPECT_LE(freeAfter, maxMem.TotalMemory());
}

}  // namespace
}  // namespace vantrel
