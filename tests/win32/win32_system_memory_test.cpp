#include "platform/win32/win32_system_memory.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/win32/windows_api.h"
#include "system_memory_contract.h"

namespace vantrel {
namespace {

TEST(Win32SystemMemory, KeepsTheSystemMemoryContract) {
  platform::win32::Win32SystemMemory system;
  contract::checkSystemMemory(system, GetCurrentProcessId());
}

// Every Windows from XP on tells the commit charge; the page files' figures, where told, hold together.
TEST(Win32SystemMemory, TellsTheCommitChargeAndThePageFiles) {
  platform::win32::Win32SystemMemory system;
  platform::CommitCharge commit;
  ASSERT_TRUE(system.GetPerformanceInfo_Commit(commit));
  EXPECT_GT(commit.committed, 0u);
  EXPECT_LE(commit.committed, commit.limit);
  const std::optional<platform::PageFileUse> pageFiles = system.NtQuerySystemInformation_PageFiles();
  if (pageFiles) {
    EXPECT_TRUE(pageFiles->files > 0 || pageFiles->inUse == 0);
  }
}

}  // namespace
}  // namespace vantrel
