// The system's memory regions that a Free All empties besides the reclaimer's pass: the working sets of all
// programs, the file cache, the standby list (its low-priority part or all of it), the modified page list,
// the combined page list and the registry cache. Each runs through the system's own call, with the privilege
// it needs enabled for that call only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/system_memory.h"
#include "platform/version.h"

namespace vantrel {

enum class Region : std::size_t {
  WorkingSets,
  FileCache,
  StandbyLowPriority,
  Standby,
  ModifiedList,
  CombinedPages,
  RegistryCache
};
constexpr std::size_t kRegionCount = 7;

// Which regions a Free All runs, by Region. The first three are the defaults: the last two can make Windows
// stop responding for up to a minute.
using RegionChoice = std::array<bool, kRegionCount>;
constexpr RegionChoice kDefaultRegions = {true, true, true, false, false, false, false};

// The regions an automatic pass may run of those chosen: never the two that can make Windows stop responding,
// nor the registry cache, whose writing to disk is the user's to ask for.
RegionChoice AutomaticRegions(RegionChoice choice);

enum class RegionOutcome { Done, NeedsAdministrator, NotAvailable, Failed };

struct RegionResult {
  RegionOutcome outcome = RegionOutcome::Done;
  // The NTSTATUS or Win32 error behind Failed (and behind the other refusals, for the record).
  std::uint32_t code = 0;
  // The working sets emptied one process at a time: how many were emptied and how many refused. Both stay 0
  // when one system call emptied them all.
  std::int32_t trimmed = 0;
  std::int32_t skipped = 0;
  // The programs left alone as the user asked (one at a time only).
  std::int32_t kept = 0;
  bool allAtOnce = false;
  // The combined page list: the pages the system merged.
  std::uint64_t pagesCombined = 0;
};

// What one run of the chosen regions did, by Region; none for a region not chosen.
using RegionResults = std::array<std::optional<RegionResult>, kRegionCount>;

// Why a region cannot run in this process, before trying: none when it can.
enum class RegionBlock { NeedsAdministrator, NotOnThisWindows };
std::optional<RegionBlock> RegionBlocked(platform::SystemMemory& system,
                                         const platform::OsVersionInfo& version, Region region);

// Runs the chosen regions in the order of Region, each whatever became of the ones before. The working sets
// of the programs whose executable's file name is in `keepPrograms` (compared as Windows compares file names)
// are left alone: with any such name, the programs are trimmed one at a time. Safe to call off the window
// thread: it touches nothing but `system` and its arguments.
RegionResults FreeRegions(platform::SystemMemory& system, const platform::OsVersionInfo& version,
                          const RegionChoice& choice, const std::vector<std::string>& keepPrograms = {});

// What the system's answers mean for the user; never Done for a refusal or a call the system lacks.
RegionOutcome OutcomeOfStatus(std::uint32_t ntStatus);
RegionOutcome OutcomeOfError(long win32Error);

}  // namespace vantrel
