// Win32 only: the system's memory calls and the privileges they ask for, each entry point newer than
// Windows XP looked up at run time.
#pragma once

#include "platform/system_memory.h"

namespace vantrel::platform::win32 {

class Win32SystemMemory final : public SystemMemory {
 public:
  bool HoldsPrivilege(const char* name) override;
  long AdjustTokenPrivileges(const char* name, bool enable, bool& wasEnabled) override;
  std::uint32_t NtSetSystemInformation(std::uint32_t infoClass, std::uint32_t command) override;
  std::uint32_t NtSetSystemInformation_CombinePages(std::uint64_t& pagesCombined) override;
  std::uint32_t NtSetSystemInformation_NoInput(std::uint32_t infoClass) override;
  long SetSystemFileCacheSize(std::uint64_t minimum, std::uint64_t maximum, std::uint32_t flags) override;
  std::vector<std::uint32_t> EnumProcesses() override;
  long EmptyWorkingSet(std::uint32_t processId) override;
  std::string ProcessName(std::uint32_t processId) override;
  bool NtQuerySystemInformation_PageReadCount(std::uint32_t& pages) override;
  bool GetPerformanceInfo_Commit(CommitCharge& commit) override;
  std::optional<PageFileUse> NtQuerySystemInformation_PageFiles() override;
};

}  // namespace vantrel::platform::win32
