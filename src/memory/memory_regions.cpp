#include "memory/memory_regions.h"

#include <algorithm>

#include "platform/file_name_case.h"

namespace vantrel {

namespace {

using platform::SystemMemory;

// The call the system list command of a region is; 0 for a region that has none.
std::uint32_t listCommand(Region region) {
  switch (region) {
    case Region::StandbyLowPriority:
      return platform::kMemoryPurgeLowPriorityStandbyList;
    case Region::Standby:
      return platform::kMemoryPurgeStandbyList;
    case Region::ModifiedList:
      return platform::kMemoryFlushModifiedList;
    default:
      return 0;
  }
}

RegionResult resultOf(RegionOutcome outcome, std::uint32_t code) {
  RegionResult result;
  result.outcome = outcome;
  result.code = code;
  return result;
}

RegionResult errorResult(long error) {
  return resultOf(OutcomeOfError(error), static_cast<std::uint32_t>(error));
}

// Runs `call` with the privilege enabled, and puts the privilege back as it was whatever the call answered.
template <typename Call>
RegionResult withPrivilege(SystemMemory& system, const char* privilege, Call call) {
  bool wasEnabled = false;
  if (const long error = system.AdjustTokenPrivileges(privilege, true, wasEnabled); error != 0) {
    return errorResult(error);
  }
  const RegionResult result = call();
  if (!wasEnabled) {
    bool ignored = false;
    system.AdjustTokenPrivileges(privilege, false, ignored);
  }
  return result;
}

RegionResult listResult(std::uint32_t status) {
  return resultOf(OutcomeOfStatus(status), status);
}

// The kept names as they compare.
using KeptNames = std::vector<std::u16string>;

bool isKept(SystemMemory& system, const KeptNames& kept, std::uint32_t processId) {
  if (kept.empty()) {
    return false;
  }
  // A process that cannot be named is trimmed as any other.
  const std::string name = system.ProcessName(processId);
  return !name.empty() && std::find(kept.begin(), kept.end(), FileNameUpperCase(name)) != kept.end();
}

// Every process this user may open, one at a time: those that refuse are counted and left alone, and so are
// those the user keeps.
RegionResult emptyEachWorkingSet(SystemMemory& system, const KeptNames& kept) {
  RegionResult result;
  long lastError = 0;
  for (const std::uint32_t processId : system.EnumProcesses()) {
    // The idle process is no process of anyone's.
    if (processId == 0) {
      continue;
    }
    if (isKept(system, kept, processId)) {
      ++result.kept;
      continue;
    }
    if (const long error = system.EmptyWorkingSet(processId); error == 0) {
      ++result.trimmed;
    } else {
      ++result.skipped;
      lastError = error;
    }
  }
  if (result.trimmed == 0 && result.kept == 0) {
    // Not even this process's own working set: the calls themselves did not work.
    result.outcome = lastError == 0 ? RegionOutcome::Failed : OutcomeOfError(lastError);
    result.code = static_cast<std::uint32_t>(lastError);
  }
  return result;
}

RegionResult emptyWorkingSets(SystemMemory& system, const platform::OsVersionInfo& version,
                              const KeptNames& kept) {
  // The system's command empties every working set: none is left alone.
  if (kept.empty() && platform::VistaOrLater(version) &&
      system.HoldsPrivilege(platform::kSeProfileSingleProcessPrivilege)) {
    RegionResult atOnce = withPrivilege(system, platform::kSeProfileSingleProcessPrivilege, [&] {
      return listResult(system.NtSetSystemInformation(platform::kSystemMemoryListInformation,
                                                      platform::kMemoryEmptyWorkingSets));
    });
    if (atOnce.outcome == RegionOutcome::Done) {
      atOnce.allAtOnce = true;
      return atOnce;
    }
  }
  return emptyEachWorkingSet(system, kept);
}

RegionResult runRegion(SystemMemory& system, const platform::OsVersionInfo& version, Region region,
                       const KeptNames& kept) {
  if (const std::optional<RegionBlock> block = RegionBlocked(system, version, region)) {
    return resultOf(*block == RegionBlock::NeedsAdministrator ? RegionOutcome::NeedsAdministrator
                                                              : RegionOutcome::NotAvailable,
                    0);
  }
  if (region == Region::WorkingSets) {
    return emptyWorkingSets(system, version, kept);
  }
  if (region == Region::CombinedPages) {
    return withPrivilege(system, platform::kSeProfileSingleProcessPrivilege, [&] {
      std::uint64_t pages = 0;
      RegionResult result = listResult(system.NtSetSystemInformation_CombinePages(pages));
      result.pagesCombined = result.outcome == RegionOutcome::Done ? pages : 0;
      return result;
    });
  }
  if (region == Region::RegistryCache) {
    return withPrivilege(system, platform::kSeProfileSingleProcessPrivilege, [&] {
      return listResult(
          system.NtSetSystemInformation_NoInput(platform::kSystemRegistryReconciliationInformation));
    });
  }
  if (region == Region::FileCache) {
    return withPrivilege(system, platform::kSeIncreaseQuotaPrivilege, [&] {
      return errorResult(
          system.SetSystemFileCacheSize(platform::kFlushFileCache, platform::kFlushFileCache, 0));
    });
  }
  return withPrivilege(system, platform::kSeProfileSingleProcessPrivilege, [&] {
    return listResult(
        system.NtSetSystemInformation(platform::kSystemMemoryListInformation, listCommand(region)));
  });
}

}  // namespace

std::optional<RegionBlock> RegionBlocked(platform::SystemMemory& system,
                                         const platform::OsVersionInfo& version, Region region) {
  switch (region) {
    case Region::WorkingSets:
      // Windows 2000 and later let every user empty their own programs' working sets.
      if (!platform::NtAtLeast(version, 5, 0)) {
        return RegionBlock::NotOnThisWindows;
      }
      return std::nullopt;
    case Region::FileCache:
      // SetSystemFileCacheSize came with Windows Server 2003 SP1 and XP x64 (5.2).
      if (!platform::NtAtLeast(version, 5, 2)) {
        return RegionBlock::NotOnThisWindows;
      }
      if (!system.HoldsPrivilege(platform::kSeIncreaseQuotaPrivilege)) {
        return RegionBlock::NeedsAdministrator;
      }
      return std::nullopt;
    case Region::CombinedPages:
    case Region::RegistryCache:
      // The combined page list came with Windows 8, the registry cache's reconciliation with 8.1.
      if (!platform::NtAtLeast(version, 6, region == Region::CombinedPages ? 2 : 3)) {
        return RegionBlock::NotOnThisWindows;
      }
      if (!system.HoldsPrivilege(platform::kSeProfileSingleProcessPrivilege)) {
        return RegionBlock::NeedsAdministrator;
      }
      return std::nullopt;
    default:
      // The memory list commands came with Vista.
      if (!platform::VistaOrLater(version)) {
        return RegionBlock::NotOnThisWindows;
      }
      if (!system.HoldsPrivilege(platform::kSeProfileSingleProcessPrivilege)) {
        return RegionBlock::NeedsAdministrator;
      }
      return std::nullopt;
  }
}

RegionChoice AutomaticRegions(RegionChoice choice) {
  choice[static_cast<std::size_t>(Region::Standby)] = false;
  choice[static_cast<std::size_t>(Region::ModifiedList)] = false;
  choice[static_cast<std::size_t>(Region::RegistryCache)] = false;
  return choice;
}

RegionResults FreeRegions(platform::SystemMemory& system, const platform::OsVersionInfo& version,
                          const RegionChoice& choice, const std::vector<std::string>& keepPrograms) {
  KeptNames kept;
  for (const std::string& name : keepPrograms) {
    if (!name.empty()) {
      kept.push_back(FileNameUpperCase(name));
    }
  }
  RegionResults results;
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    if (choice[index]) {
      results[index] = runRegion(system, version, static_cast<Region>(index), kept);
    }
  }
  return results;
}

RegionOutcome OutcomeOfStatus(std::uint32_t ntStatus) {
  switch (ntStatus) {
    case platform::kStatusAccessDenied:
    case platform::kStatusPrivilegeNotHeld:
      return RegionOutcome::NeedsAdministrator;
    case platform::kStatusNotImplemented:
    case platform::kStatusInvalidInfoClass:
    case platform::kStatusNotSupported:
    case platform::kStatusProcedureNotFound:
      return RegionOutcome::NotAvailable;
    default:
      // Success and information codes have the top bit clear; warnings and errors do not count as done.
      return ntStatus < 0x80000000u ? RegionOutcome::Done : RegionOutcome::Failed;
  }
}

RegionOutcome OutcomeOfError(long win32Error) {
  switch (win32Error) {
    case 0:
      return RegionOutcome::Done;
    case platform::kErrorAccessDenied:
    case platform::kErrorPrivilegeNotHeld:
    case platform::kErrorNotAllAssigned:
      return RegionOutcome::NeedsAdministrator;
    case platform::kErrorInvalidFunction:
    case platform::kErrorNotSupported:
    case platform::kErrorCallNotImplemented:
    case platform::kErrorProcNotFound:
      return RegionOutcome::NotAvailable;
    default:
      return RegionOutcome::Failed;
  }
}

}  // namespace vantrel
