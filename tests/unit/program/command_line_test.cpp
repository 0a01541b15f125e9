// The switches: each form with what it does and the exit code it ends with, and the two ways a pass asked
// for on the command line runs.
#include "program/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fake_services.h"
#include "framework/native.h"
#include "program/command_line_actions.h"
#include "program/product.h"
#include "program/running_copy.h"
#include "program_support.h"

namespace vantrel {
namespace {

constexpr platform::HWnd kRunningWindow = 0x77;

TEST(CommandLine, EachFormWithItsActionAndExitCode) {
  const StartRequest run{};
  const StartRequest usage{StartAction::Usage, 0, 0, {}};
  const auto wrong = [](std::string problem) {
    return StartRequest{StartAction::Usage, 0, kWrongUsage, std::move(problem)};
  };
  const auto pass = [](std::int32_t megabytes) { return StartRequest{StartAction::Pass, megabytes, 0, {}}; };
  const std::string needs = "/free needs a whole number from 1 to 1024";
  struct Row {
    std::vector<std::string> arguments;
    StartRequest request;
  };
  const std::vector<Row> rows = {
      {{}, run},
      {{"/free", "64"}, pass(64)},
      {{"-FREE", "1"}, pass(1)},
      {{"/Free", "1024"}, pass(1024)},
      {{"/free", "0064"}, pass(64)},
      {{"/freeall"}, pass(kWholeMemoryPass)},
      {{"-FreeAll"}, pass(kWholeMemoryPass)},
      {{"/LogOn"}, {StartAction::LogOn, 0, 0, {}}},
      {{"/logon", "/freeall"}, wrong("Unexpected argument: /freeall")},
      {{"/?"}, usage},
      {{"-?"}, usage},
      {{"/free"}, wrong(needs)},
      {{"/free", "0"}, wrong(needs + ": 0")},
      {{"/free", "5000"}, wrong(needs + ": 5000")},
      {{"/free", "1025"}, wrong(needs + ": 1025")},
      {{"/free", "99999999999"}, wrong(needs + ": 99999999999")},
      {{"/free", "6.5"}, wrong(needs + ": 6.5")},
      {{"/free", "-5"}, wrong(needs + ": -5")},
      {{"/free", "+5"}, wrong(needs + ": +5")},
      {{"/free", ""}, wrong(needs + ": ")},
      {{"/free", "64", "/freeall"}, wrong("Unexpected argument: /freeall")},
      {{"/freeall", "1"}, wrong("Unexpected argument: 1")},
      {{"/?", "/freeall"}, wrong("Unexpected argument: /freeall")},
      {{"--freeall"}, wrong("Unknown switch: --freeall")},
      {{"/free64"}, wrong("Unknown switch: /free64")},
      {{"/help"}, wrong("Unknown switch: /help")},
      {{"free", "64"}, wrong("Unknown switch: free")},
      {{"/"}, wrong("Unknown switch: /")},
      {{""}, wrong("Unknown switch: ")},
  };
  for (const Row& row : rows) {
    std::string line;
    for (const std::string& argument : row.arguments) {
      line += "[" + argument + "]";
    }
    SCOPED_TRACE(line);
    EXPECT_EQ(ParseCommandLine(row.arguments), row.request);
  }
}

TEST(CommandLine, TheArgumentsComeWithoutTheProgramsPathAndTheBoxListsTheSwitches) {
  fakes::FakeServices fakes;
  fakes.process.commandLine = "C:\\Vantrel\\Vantrel.exe /free 64";
  EXPECT_EQ(CommandLineArguments(fakes.process), (std::vector<std::string>{"/free", "64"}));

  EXPECT_EQ(ShowUsage(fakes.services, ParseCommandLine({"/?"})), 0);
  EXPECT_EQ(ShowUsage(fakes.services, ParseCommandLine({"--freeall"})), kWrongUsage);
  ASSERT_EQ(fakes.dialogs.boxes.size(), 2u);
  EXPECT_EQ(fakes.dialogs.boxes[0].caption, "Vantrel");
  EXPECT_EQ(fakes.dialogs.boxes[0].text, kUsageText);
  EXPECT_EQ(fakes.dialogs.boxes[1].text, std::string("Unknown switch: --freeall\n\n") + kUsageText);

  // A task run without a visible desktop: no box that no one could close, and no success either.
  fakes.windowSystem.stationVisible = false;
  EXPECT_EQ(ShowUsage(fakes.services, ParseCommandLine({"/?"})), kWrongUsage);
  EXPECT_EQ(ShowUsage(fakes.services, ParseCommandLine({"/free", "5000"})), kWrongUsage);
  EXPECT_EQ(fakes.dialogs.boxes.size(), 2u);
}

TEST(CommandLine, WithoutARunningCopyThePassRunsHereAndTouchesNothingElse) {
  struct Row {
    const char* name;
    std::int32_t megabytes;
    int refusedBlock;  // 0: none
    bool statusFails;
    std::size_t blocks;
    int exitCode;
  };
  for (const Row& row : {Row{"64 MB", 64, 0, false, 64, 0}, Row{"all", kWholeMemoryPass, 0, false, 1024, 0},
                         Row{"a block refused", 64, 10, false, 9, 1},
                         Row{"memory unknown", kWholeMemoryPass, 0, true, 0, 1}}) {
    SCOPED_TRACE(row.name);
    fakes::FakeServices fakes;
    fakes.memory.status = {2048 * kMiB, 1024 * kMiB};
    if (row.refusedBlock > 0) {
      fakes.memory.faults.failOn("VirtualAlloc", row.refusedBlock);
    }
    if (row.statusFails) {
      fakes.memory.faults.failOn("GlobalMemoryStatus", 1, true);
    }
    EXPECT_EQ(RunCommandLinePass(fakes.services, row.megabytes), row.exitCode);
    EXPECT_EQ(fakes.memory.commitOrder.size(), row.blocks);
    EXPECT_EQ(fakes.memory.outstanding(), 0u);
    EXPECT_TRUE(fakes.shell.calls.empty()) << "no icon";
    EXPECT_EQ(fakes.profile.faults.calls("GetPrivateProfileStringW"), 0) << "no settings";
    EXPECT_EQ(fakes.registry.faults.calls("RegOpenKeyExW"), 0) << "no auto-start";
    EXPECT_EQ(fakes.instances.liveHandles(), 0) << "the one-copy object untouched";
    EXPECT_EQ(fakes.instances.slept, 0u) << "no wait for a copy that is not there";
    EXPECT_EQ(fakes.systemMemory.log.empty(), row.megabytes != kWholeMemoryPass)
        << "regions for /freeall only";
  }
}

TEST(CommandLine, FreeAllAloneEmptiesTheDefaultRegionsBeforeThePassAndFailsOnlyWhereOneFailed) {
  const std::string profile = std::string(" [") + platform::kSeProfileSingleProcessPrivilege + "]";
  const std::string flush =
      std::string("SetSystemFileCacheSize 18446744073709551615 18446744073709551615 0 [") +
      platform::kSeIncreaseQuotaPrivilege + "]";
  struct Row {
    const char* name;
    std::uint32_t major, minor;
    bool administrator;
    long fileCacheError;
    std::vector<std::string> calls;
    int exitCode;
  };
  const std::vector<Row> rows = {
      {"an administrator",
       10,
       0,
       true,
       0,
       {"NtSetSystemInformation 80 2" + profile, flush, "NtSetSystemInformation 80 5" + profile},
       0},
      // What Wine answers: the file cache is not on this system.
      {"no file cache call",
       10,
       0,
       true,
       platform::kErrorCallNotImplemented,
       {"NtSetSystemInformation 80 2" + profile, flush, "NtSetSystemInformation 80 5" + profile},
       0},
      {"the file cache failed",
       10,
       0,
       true,
       1450,
       {"NtSetSystemInformation 80 2" + profile, flush, "NtSetSystemInformation 80 5" + profile},
       1},
      {"a standard user",
       10,
       0,
       false,
       0,
       {"EmptyWorkingSet 4 []", "EmptyWorkingSet 100 []", "EmptyWorkingSet 200 []"},
       0},
      {"XP", 5, 1, true, 0, {"EmptyWorkingSet 4 []", "EmptyWorkingSet 100 []", "EmptyWorkingSet 200 []"}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fakes::FakeServices fakes;
    // A small machine, for a short pass.
    fakes.memory.status = {16 * kMiB, 8 * kMiB};
    fakes.version.majorVersion = row.major;
    fakes.version.minorVersion = row.minor;
    if (!row.administrator) {
      fakes.systemMemory.asStandardUser();
    }
    fakes.systemMemory.fileCacheError = row.fileCacheError;
    fakes.systemMemory.onCall = [&] { EXPECT_TRUE(fakes.memory.commitOrder.empty()) << "regions first"; };
    EXPECT_EQ(RunCommandLinePass(fakes.services, kWholeMemoryPass), row.exitCode);
    EXPECT_EQ(fakes.systemMemory.log, row.calls);
    EXPECT_EQ(fakes.memory.commitOrder.size(), 16u) << "the pass runs whatever the regions did";
    EXPECT_EQ(fakes.profile.faults.calls("GetPrivateProfileStringW"), 0) << "the defaults, no settings";
  }
}

TEST(CommandLine, ARunningCopyIsHandedThePassAndNothingRunsHere) {
  for (const std::int32_t megabytes : {64, kWholeMemoryPass}) {
    SCOPED_TRACE(megabytes);
    fakes::FakeServices fakes;
    fakes.memory.status = {2048 * kMiB, 1024 * kMiB};
    fakes.instances.windows[{kApplicationWindowClass, kProductLine}] = kRunningWindow;
    fakes.instances.receiver = [](platform::HWnd, std::uintptr_t, const std::string&) { return 1; };
    EXPECT_EQ(RunCommandLinePass(fakes.services, megabytes), 0);
    EXPECT_TRUE(fakes.memory.commitOrder.empty());
    ASSERT_EQ(fakes.instances.sent.size(), 1u);
    EXPECT_EQ(PassOfCommand(fakes.instances.sent[0].bytes), megabytes);
    EXPECT_TRUE(fakes.systemMemory.log.empty()) << "the running copy empties its own choice of regions";
  }
  // A copy inside a long pass: handed once, and done once its window answers again.
  {
    fakes::FakeServices fakes;
    fakes.instances.windows[{kApplicationWindowClass, kProductLine}] = kRunningWindow;
    fakes.instances.receiver = [](platform::HWnd, std::uintptr_t, const std::string&) {
      return std::nullopt;
    };
    fakes.instances.nullReceiver = [&](platform::HWnd) {
      return fakes.instances.nullMessages < 2 ? std::nullopt : std::optional<std::intptr_t>(0);
    };
    EXPECT_EQ(RunCommandLinePass(fakes.services, 64), 0);
    EXPECT_EQ(fakes.instances.sent.size(), 1u);
    EXPECT_TRUE(fakes.memory.commitOrder.empty());
  }
  // A copy that never takes it: the pass runs here after all.
  fakes::FakeServices fakes;
  fakes.memory.status = {2048 * kMiB, 1024 * kMiB};
  fakes.instances.windows[{kApplicationWindowClass, kProductLine}] = kRunningWindow;
  fakes.instances.receiver = [](platform::HWnd, std::uintptr_t, const std::string&) { return 0; };
  EXPECT_EQ(RunCommandLinePass(fakes.services, 16), 0);
  EXPECT_EQ(fakes.memory.commitOrder.size(), 16u);
}

}  // namespace
}  // namespace vantrel
