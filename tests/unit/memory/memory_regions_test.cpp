// The system's memory regions of a Free All: each privilege on for its call only, each refusal with its
// outcome, the programs trimmed one at a time, and what is not even tried on a standard user's or an old
// Windows.
#include "memory/memory_regions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fake_system_memory.h"

namespace vantrel {
namespace {

using platform::OsVersionInfo;

constexpr OsVersionInfo kWindows10{10, 0, platform::kVerPlatformWin32Nt};
constexpr OsVersionInfo kWindowsXp{5, 1, platform::kVerPlatformWin32Nt};
constexpr OsVersionInfo kWindowsXp64{5, 2, platform::kVerPlatformWin32Nt};
constexpr RegionChoice kAll = {true, true, true, true, true, true, true};

RegionChoice only(Region region) {
  RegionChoice choice{};
  choice[static_cast<std::size_t>(region)] = true;
  return choice;
}

const RegionResult& resultOf(const RegionResults& results, Region region) {
  const auto& result = results[static_cast<std::size_t>(region)];
  EXPECT_TRUE(result.has_value());
  static const RegionResult none;
  return result ? *result : none;
}

TEST(MemoryRegions, EachPrivilegeIsOnForItsCallOnlyAndPutBackAsItWas) {
  const std::string profile = std::string("[") + platform::kSeProfileSingleProcessPrivilege + "]";
  const std::string quota = std::string("[") + platform::kSeIncreaseQuotaPrivilege + "]";
  const std::string both = std::string("[") + platform::kSeIncreaseQuotaPrivilege + " " +
                           platform::kSeProfileSingleProcessPrivilege + "]";
  const std::string flush = "SetSystemFileCacheSize 18446744073709551615 18446744073709551615 0 ";
  const std::string combine = "NtSetSystemInformation 130 combine ";
  const std::string registry = "NtSetSystemInformation 155 none ";
  struct Row {
    const char* name;
    std::function<void(fakes::FakeSystemMemory&)> setUp;
    std::vector<std::string> log;
    std::set<std::string> enabledAfter;
  };
  const std::vector<Row> rows = {
      {"none enabled before",
       [](fakes::FakeSystemMemory&) {},
       {"NtSetSystemInformation 80 2 " + profile, flush + quota, "NtSetSystemInformation 80 5 " + profile,
        "NtSetSystemInformation 80 4 " + profile, "NtSetSystemInformation 80 3 " + profile, combine + profile,
        registry + profile},
       {}},
      {"the quota privilege enabled before stays enabled",
       [](fakes::FakeSystemMemory& system) { system.enabled.insert(platform::kSeIncreaseQuotaPrivilege); },
       {"NtSetSystemInformation 80 2 " + both, flush + quota, "NtSetSystemInformation 80 5 " + both,
        "NtSetSystemInformation 80 4 " + both, "NtSetSystemInformation 80 3 " + both, combine + both,
        registry + both},
       {platform::kSeIncreaseQuotaPrivilege}},
      {"put back after calls that failed",
       [](fakes::FakeSystemMemory& system) {
         system.faults.failOn("NtSetSystemInformation", 1, true);
         system.faults.failOn("SetSystemFileCacheSize", 1);
       },
       // The working sets fall back to one program at a time, with no privilege.
       {"NtSetSystemInformation 80 2 " + profile, "EmptyWorkingSet 4 []", "EmptyWorkingSet 100 []",
        "EmptyWorkingSet 200 []", flush + quota, "NtSetSystemInformation 80 5 " + profile,
        "NtSetSystemInformation 80 4 " + profile, "NtSetSystemInformation 80 3 " + profile, combine + profile,
        registry + profile},
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fakes::FakeSystemMemory system;
    row.setUp(system);
    FreeRegions(system, kWindows10, kAll);
    EXPECT_EQ(system.log, row.log);
    EXPECT_EQ(system.enabled, row.enabledAfter);
  }
}

TEST(MemoryRegions, EachAnswerOfTheSystemHasItsOutcome) {
  using enum RegionOutcome;
  struct Status {
    std::uint32_t status;
    RegionOutcome outcome;
  };
  for (const Status row :
       {Status{platform::kStatusSuccess, Done}, Status{0x00000103, Done},
        Status{platform::kStatusAccessDenied, NeedsAdministrator},
        Status{platform::kStatusPrivilegeNotHeld, NeedsAdministrator},
        Status{platform::kStatusNotImplemented, NotAvailable},
        Status{platform::kStatusInvalidInfoClass, NotAvailable},
        Status{platform::kStatusNotSupported, NotAvailable},
        Status{platform::kStatusProcedureNotFound, NotAvailable}, Status{0x80000005, Failed},
        Status{0xC000000D, Failed}, Status{0xC0000017, Failed}}) {
    SCOPED_TRACE(testing::Message() << std::hex << row.status);
    EXPECT_EQ(OutcomeOfStatus(row.status), row.outcome);
    // The same answer, from the system, for a list.
    fakes::FakeSystemMemory system;
    system.statusOfCommand[platform::kMemoryPurgeStandbyList] = row.status;
    const RegionResult result =
        resultOf(FreeRegions(system, kWindows10, only(Region::Standby)), Region::Standby);
    EXPECT_EQ(result.outcome, row.outcome);
    EXPECT_EQ(result.code, row.status);
    // And from the calls without a list command; pages combined count only where it was done.
    system.statusOfClass = {{platform::kSystemCombinePhysicalMemoryInformation, row.status},
                            {platform::kSystemRegistryReconciliationInformation, row.status}};
    system.pagesCombined = 1234;
    const RegionResults both =
        FreeRegions(system, kWindows10, {false, false, false, false, false, true, true});
    EXPECT_EQ(resultOf(both, Region::CombinedPages).outcome, row.outcome);
    EXPECT_EQ(resultOf(both, Region::CombinedPages).pagesCombined, row.outcome == Done ? 1234u : 0u);
    EXPECT_EQ(resultOf(both, Region::RegistryCache).outcome, row.outcome);
    EXPECT_EQ(resultOf(both, Region::RegistryCache).code, row.status);
  }
  struct Error {
    long error;
    RegionOutcome outcome;
  };
  for (const Error row :
       {Error{0, Done}, Error{platform::kErrorAccessDenied, NeedsAdministrator},
        Error{platform::kErrorPrivilegeNotHeld, NeedsAdministrator},
        Error{platform::kErrorNotAllAssigned, NeedsAdministrator},
        Error{platform::kErrorInvalidFunction, NotAvailable},
        Error{platform::kErrorNotSupported, NotAvailable},
        Error{platform::kErrorCallNotImplemented, NotAvailable},
        Error{platform::kErrorProcNotFound, NotAvailable}, Error{platform::kErrorInvalidParameter, Failed},
        Error{platform::kErrorNoSuchPrivilege, Failed}, Error{1450, Failed}}) {
    SCOPED_TRACE(row.error);
    EXPECT_EQ(OutcomeOfError(row.error), row.outcome);
    fakes::FakeSystemMemory system;
    system.fileCacheError = row.error;
    const RegionResult result =
        resultOf(FreeRegions(system, kWindows10, only(Region::FileCache)), Region::FileCache);
    EXPECT_EQ(result.outcome, row.outcome);
    EXPECT_EQ(result.code, static_cast<std::uint32_t>(row.error));
  }
  // The privilege refused when it was to be enabled: the call is not made.
  fakes::FakeSystemMemory system;
  system.faults.failOn("AdjustTokenPrivileges", 1, true);
  system.failureError = platform::kErrorNotAllAssigned;
  const RegionResults results = FreeRegions(system, kWindows10, {false, true, true, false, false});
  EXPECT_EQ(resultOf(results, Region::FileCache).outcome, NeedsAdministrator);
  EXPECT_EQ(resultOf(results, Region::StandbyLowPriority).outcome, NeedsAdministrator);
  EXPECT_TRUE(system.log.empty());
}

TEST(MemoryRegions, TheWorkingSetsOneProgramAtATimeCountTheTrimmedAndTheSkipped) {
  struct Row {
    const char* name;
    OsVersionInfo version;
    bool administrator;
    std::uint32_t statusAtOnce;  // what emptying them all at once answers
    std::map<std::uint32_t, long> refusing;
    bool enumerationFails;
    RegionResult expected;
    bool triedAtOnce;
  };
  const auto oneByOne = [](RegionOutcome outcome, std::uint32_t code, std::int32_t trimmed,
                           std::int32_t skipped) {
    RegionResult result;
    result.outcome = outcome;
    result.code = code;
    result.trimmed = trimmed;
    result.skipped = skipped;
    return result;
  };
  RegionResult atOnce;
  atOnce.allAtOnce = true;
  const long denied = platform::kErrorAccessDenied;
  const std::vector<Row> rows = {
      {"an administrator empties them all at once", kWindows10, true, 0, {}, false, atOnce, true},
      {"a standard user, others' programs refusing",
       kWindows10,
       false,
       0,
       {{4, denied}, {200, denied}},
       false,
       oneByOne(RegionOutcome::Done, 0, 2, 2),
       false},
      {"XP has no call for all at once",
       kWindowsXp,
       true,
       0,
       {{4, denied}},
       false,
       oneByOne(RegionOutcome::Done, 0, 3, 1),
       false},
      {"all at once not implemented",
       kWindows10,
       true,
       platform::kStatusNotImplemented,
       {},
       false,
       oneByOne(RegionOutcome::Done, 0, 4, 0),
       true},
      {"every program refusing",
       kWindows10,
       false,
       0,
       {{4, denied}, {100, denied}, {200, denied}, {300, denied}},
       false,
       oneByOne(RegionOutcome::NeedsAdministrator, denied, 0, 4),
       false},
      {"no list of programs",
       kWindows10,
       false,
       0,
       {},
       true,
       oneByOne(RegionOutcome::Failed, 0, 0, 0),
       false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fakes::FakeSystemMemory system;
    system.processes = {0, 4, 100, 200, 300};
    if (!row.administrator) {
      system.asStandardUser();
    }
    system.statusOfCommand[platform::kMemoryEmptyWorkingSets] = row.statusAtOnce;
    system.refusingProcesses = row.refusing;
    if (row.enumerationFails) {
      system.faults.failOn("EnumProcesses", 1);
    }
    const RegionResult result =
        resultOf(FreeRegions(system, row.version, only(Region::WorkingSets)), Region::WorkingSets);
    EXPECT_EQ(result.outcome, row.expected.outcome);
    EXPECT_EQ(result.code, row.expected.code);
    EXPECT_EQ(result.trimmed, row.expected.trimmed);
    EXPECT_EQ(result.skipped, row.expected.skipped);
    EXPECT_EQ(result.allAtOnce, row.expected.allAtOnce);
    EXPECT_EQ(system.faults.calls("NtSetSystemInformation"), row.triedAtOnce ? 1 : 0);
    EXPECT_EQ(system.faults.calls("EmptyWorkingSet"),
              row.expected.allAtOnce ? 0 : row.expected.trimmed + row.expected.skipped);
    EXPECT_TRUE(system.enabled.empty());
  }
  // Programs kept by name, in any case and script: the others one at a time, even for an administrator; a
  // process that cannot be named (4) is trimmed.
  fakes::FakeSystemMemory system;
  system.processes = {0, 4, 100, 200, 300};
  system.processNames = {{100, "\u03C3\u03BF\u03C6\u03AF\u03B1.exe"},
                         {200, "\u0438\u0433\u0440\u0430.EXE"},
                         {300, "\u00E9diteur.EXE"}};
  const RegionResult result = resultOf(FreeRegions(system, kWindows10, only(Region::WorkingSets),
                                                   {"\u0418\u0433\u0440\u0430.exe", "\u00C9DITEUR.exe",
                                                    "\u03A3\u039F\u03A6\u038A\u0391.EXE", ""}),
                                       Region::WorkingSets);
  EXPECT_EQ(std::vector<std::int32_t>({result.trimmed, result.skipped, result.kept}),
            std::vector<std::int32_t>({1, 0, 3}));
  EXPECT_EQ(system.log, std::vector<std::string>({"EmptyWorkingSet 4 []"}));
}

TEST(MemoryRegions, WhatCannotRunHereIsNotTried) {
  using enum RegionOutcome;
  struct Row {
    const char* name;
    OsVersionInfo version;
    bool administrator;
    // By region after the working sets: Done, needs an Administrator, Not available.
    const char* outcomes;
  };
  for (const Row& row :
       {Row{"a standard user", kWindows10, false, "AAAAAA"}, Row{"XP", kWindowsXp, true, "NNNNNN"},
        Row{"a standard user on XP", kWindowsXp, false, "NNNNNN"},
        Row{"XP x64", kWindowsXp64, true, "DNNNNN"},
        Row{"Windows 7", {6, 1, platform::kVerPlatformWin32Nt}, true, "DDDDNN"},
        Row{"Windows 8", {6, 2, platform::kVerPlatformWin32Nt}, true, "DDDDDN"},
        Row{"Windows 8.1", {6, 3, platform::kVerPlatformWin32Nt}, true, "DDDDDD"},
        Row{"Windows 98", {4, 10, platform::kVerPlatformWin32Windows}, true, "NNNNNN"}}) {
    SCOPED_TRACE(row.name);
    fakes::FakeSystemMemory system;
    if (!row.administrator) {
      system.asStandardUser();
    }
    const RegionResults results =
        FreeRegions(system, row.version, {false, true, true, true, true, true, true});
    EXPECT_FALSE(results[static_cast<std::size_t>(Region::WorkingSets)].has_value()) << "not chosen";
    const std::string outcomes = row.outcomes;
    for (std::size_t index = 0; index < outcomes.size(); ++index) {
      const auto region = static_cast<Region>(index + 1);
      const RegionOutcome outcome = outcomes[index] == 'D'   ? Done
                                    : outcomes[index] == 'A' ? NeedsAdministrator
                                                             : NotAvailable;
      EXPECT_EQ(resultOf(results, region).outcome, outcome) << index + 1;
      EXPECT_EQ(RegionBlocked(system, row.version, region).has_value(), outcome != Done) << index + 1;
    }
    const auto calls = static_cast<std::size_t>(std::count(outcomes.begin(), outcomes.end(), 'D'));
    EXPECT_EQ(system.log.size(), calls);
    // Enabled for each call and disabled after it.
    EXPECT_EQ(system.faults.calls("AdjustTokenPrivileges"), 2 * static_cast<int>(calls));
  }
}

}  // namespace
}  // namespace vantrel
