// The system's own memory calls: the working sets of the processes, the file cache, the standby and modified
// page lists, and the privileges they ask for. Every entry point that Windows XP lacks is looked up at run
// time; where it is missing, the call answers the code below instead of failing to load the program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vantrel::platform {

// SYSTEM_INFORMATION_CLASS SystemMemoryListInformation and its SYSTEM_MEMORY_LIST_COMMAND values.
constexpr std::uint32_t kSystemMemoryListInformation = 80;
constexpr std::uint32_t kMemoryEmptyWorkingSets = 2;
constexpr std::uint32_t kMemoryFlushModifiedList = 3;
constexpr std::uint32_t kMemoryPurgeStandbyList = 4;
constexpr std::uint32_t kMemoryPurgeLowPriorityStandbyList = 5;
// SystemCombinePhysicalMemoryInformation (Windows 8): merges identical pages across the system.
constexpr std::uint32_t kSystemCombinePhysicalMemoryInformation = 130;
// SystemRegistryReconciliationInformation (Windows 8.1): writes the registry's cached changes to the hives.
constexpr std::uint32_t kSystemRegistryReconciliationInformation = 155;

constexpr char kSeProfileSingleProcessPrivilege[] = "SeProfileSingleProcessPrivilege";
constexpr char kSeIncreaseQuotaPrivilege[] = "SeIncreaseQuotaPrivilege";

// NTSTATUS values the program tells apart.
constexpr std::uint32_t kStatusSuccess = 0x00000000;
constexpr std::uint32_t kStatusNotImplemented = 0xC0000002;
constexpr std::uint32_t kStatusInvalidInfoClass = 0xC0000003;
constexpr std::uint32_t kStatusAccessDenied = 0xC0000022;
constexpr std::uint32_t kStatusPrivilegeNotHeld = 0xC0000061;
constexpr std::uint32_t kStatusNotSupported = 0xC00000BB;
// What NtSetSystemInformation answers where ntdll has no such entry point.
constexpr std::uint32_t kStatusProcedureNotFound = 0xC000007A;

// More Win32 error codes the program tells apart, beside those of the registry.
constexpr long kErrorInvalidFunction = 1;
constexpr long kErrorNotSupported = 50;
// OpenProcess's answer for a process id that names no running process.
constexpr long kErrorInvalidParameter = 87;
constexpr long kErrorCallNotImplemented = 120;
// What a call answers where its entry point is missing.
constexpr long kErrorProcNotFound = 127;
constexpr long kErrorPrivilegeNotHeld = 1314;
// AdjustTokenPrivileges' answer when the token does not hold the privilege at all.
constexpr long kErrorNotAllAssigned = 1300;
// LookupPrivilegeValueA's answer for a name that is no privilege of the system's.
constexpr long kErrorNoSuchPrivilege = 1313;

// The commit charge, in bytes: the memory the system has promised to processes and itself, which physical
// memory and the page files must back, and the most it can promise as the page files stand now.
struct CommitCharge {
  std::uint64_t committed = 0;
  std::uint64_t limit = 0;
};

// The page files as the system sees them: how many are set up (0: none, which is an answer, not a failure),
// and the bytes in use in all of them together.
struct PageFileUse {
  std::uint32_t files = 0;
  std::uint64_t inUse = 0;
};

class SystemMemory {
 public:
  virtual ~SystemMemory() = default;

  // Whether this process's token holds the privilege, enabled or not (GetTokenInformation with
  // TokenPrivileges); false where the system cannot tell.
  virtual bool HoldsPrivilege(const char* name) = 0;
  // Enables (or disables) one privilege of this process's token (LookupPrivilegeValueA, then
  // AdjustTokenPrivileges); 0 when it is now in that state, otherwise the Win32 error (kErrorNotAllAssigned
  // when the token does not hold it, kErrorNoSuchPrivilege for a name the system does not know).
  // `wasEnabled` receives its state before the call.
  virtual long AdjustTokenPrivileges(const char* name, bool enable, bool& wasEnabled) = 0;
  // NtSetSystemInformation(infoClass, &command, sizeof(ULONG)); the NTSTATUS it answered.
  virtual std::uint32_t NtSetSystemInformation(std::uint32_t infoClass, std::uint32_t command) = 0;
  // NtSetSystemInformation(kSystemCombinePhysicalMemoryInformation) with a MEMORY_COMBINE_INFORMATION_EX
  // whose handle and flags are 0 (the whole system); the NTSTATUS it answered. `pagesCombined` receives its
  // count where it succeeded, 0 otherwise.
  virtual std::uint32_t NtSetSystemInformation_CombinePages(std::uint64_t& pagesCombined) = 0;
  // NtSetSystemInformation(infoClass, NULL, 0), for a class that takes no input; the NTSTATUS it answered.
  virtual std::uint32_t NtSetSystemInformation_NoInput(std::uint32_t infoClass) = 0;
  // SetSystemFileCacheSize(minimum, maximum, flags), where (SIZE_T)-1 for both empties the cache; 0 when it
  // succeeded, otherwise GetLastError.
  virtual long SetSystemFileCacheSize(std::uint64_t minimum, std::uint64_t maximum, std::uint32_t flags) = 0;
  // The identifiers of the running processes (EnumProcesses, growing the buffer until all fit); empty when
  // the system cannot tell.
  virtual std::vector<std::uint32_t> EnumProcesses() = 0;
  // Opens the process with PROCESS_QUERY_LIMITED_INFORMATION (PROCESS_QUERY_INFORMATION before Vista) and
  // PROCESS_SET_QUOTA, empties its working set (EmptyWorkingSet) and closes it; 0 when emptied, otherwise the
  // Win32 error of the step that failed.
  virtual long EmptyWorkingSet(std::uint32_t processId) = 0;
  // The file name of the process's executable, without its folder, in UTF-8 (GetProcessImageFileNameW);
  // empty when the process cannot be opened or named.
  virtual std::string ProcessName(std::uint32_t processId) = 0;
  // The PageReadCount of NtQuerySystemInformation(SystemPerformanceInformation): the pages read in from disk
  // since start-up, a count that wraps at 2^32. False where the system gives none, and where it answers 0,
  // which no system that has started can have read.
  virtual bool NtQuerySystemInformation_PageReadCount(std::uint32_t& pages) = 0;
  // GetPerformanceInfo's CommitTotal and CommitLimit, times its PageSize. False where the system cannot tell,
  // and where it answers a limit of 0, which no running system has.
  virtual bool GetPerformanceInfo_Commit(CommitCharge& commit) = 0;
  // NtQuerySystemInformation(SystemPageFileInformation): one entry per page file, whose TotalInUse (in pages)
  // are added up; no entry where none is set up. Empty where the system cannot tell.
  virtual std::optional<PageFileUse> NtQuerySystemInformation_PageFiles() = 0;
};

// All of the file cache, given back to the system: SetSystemFileCacheSize's (SIZE_T)-1 for both figures.
constexpr std::uint64_t kFlushFileCache = ~std::uint64_t{0};

}  // namespace vantrel::platform
