// The switches: each form with what it does and the exit code it ends with, and the two ways a pass asked
// for on the command line runs.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line_actions.h"
#include "app/product.h"
#include "app/running_copy.h"
#include "fake_services.h"
#include "framework/native.h"
#include "program_support.h"

namespace vantrel {
namespace {

constexpr platform::HWnd kRunningWindow = 0x77;

TEST(CommandLine, EachFormWithItsActionAndExitCode) {
  const StartRequest run{};
  const StartRequest usage{StartAction::Usage, 0, 0};
  const StartRequest wrong{StartAction::Usage, 0, kWrongUsage};
  const auto pass = [](std::int32_t megabytes) { return StartRequest{StartAction::Pass, megabytes, 0}; };
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
      {{"/?"}, usage},
      {{"-?"}, usage},
      {{"/free"}, wrong},
      {{"/free", "0"}, wrong},
      {{"/free", "1025"}, wrong},
      {{"/free", "99999999999"}, wrong},
      {{"/free", "6.5"}, wrong},
      {{"/free", "-5"}, wrong},
      {{"/free", "+5"}, wrong},
      {{"/free", ""}, wrong},
      {{"/free", "64", "/freeall"}, wrong},
      {{"/freeall", "1"}, wrong},
      {{"/?", "/freeall"}, wrong},
      {{"/free64"}, wrong},
      {{"/help"}, wrong},
      {{"free", "64"}, wrong},
      {{"/"}, wrong},
      {{""}, wrong},
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

  EXPECT_EQ(ShowUsage(fakes.dialogs, kWrongUsage), kWrongUsage);
  ASSERT_EQ(fakes.dialogs.boxes.size(), 1u);
  EXPECT_EQ(fakes.dialogs.boxes[0].caption, "Vantrel");
  EXPECT_NE(fakes.dialogs.boxes[0].text.find("/free N"), std::string::npos);
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
