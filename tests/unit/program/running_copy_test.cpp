// One copy per session: the session's object, handing a command to the running copy (which may still be
// starting), and what the running copy does with what it is handed.
#include "program/running_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "cpu/cpu_usage.h"
#include "fake_native_application.h"
#include "fake_services.h"
#include "fake_worker.h"
#include "program/command_line.h"
#include "program/product.h"
#include "program_support.h"
#include "startup/run_key.h"
#include "test_blocks.h"

namespace vantrel {
namespace {

constexpr platform::HWnd kRunningWindow = 0x77;

TEST(RunningCopy, TheFirstStartHoldsTheSessionsObjectUntilItEnds) {
  fakes::FakeInstances instances;
  {
    const TRunningCopyClaim first(instances);
    EXPECT_TRUE(first.First());
    const TRunningCopyClaim second(instances);
    EXPECT_FALSE(second.First());
  }
  EXPECT_EQ(instances.liveHandles(), 0);
  EXPECT_TRUE(TRunningCopyClaim(instances).First());

  // Held by another user, who denies this one access: a copy runs all the same.
  const TRunningCopyClaim other(instances);
  instances.faults.failOn("CreateMutexA", 3);
  EXPECT_FALSE(TRunningCopyClaim(instances).First());
  // Not to be had at all: nothing tells of another copy, and the program runs.
  fakes::FakeInstances broken;
  broken.faults.failOn("CreateMutexA", 1);
  EXPECT_TRUE(TRunningCopyClaim(broken).First());
}

TEST(RunningCopy, ALaterStartWaitsForTheWindowOfACopyThatIsStillStarting) {
  struct Case {
    const char* name;
    int sleepsBeforeWindow;  // -1: never
    int refusalsBeforeTaking;
    bool handedOver;
    const char* title = kProductLine;
  };
  for (const Case& c : {Case{"window there", 0, 0, true}, Case{"window comes later", 5, 0, true},
                        Case{"copy not ready for commands yet", 0, 3, true}, Case{"no window", -1, 0, false},
                        Case{"copy never takes it", 0, 1000, false},
                        Case{"another build", 0, 0, true, "Vantrel 1.0.0 Build 198"}}) {
    SCOPED_TRACE(c.name);
    fakes::FakeInstances instances;
    // Another program's application window, which is never sent anything.
    instances.windows[{kApplicationWindowClass, "Vantrelling 2"}] = 0x55;
    int sleeps = 0;
    const auto place = [&] {
      if (c.sleepsBeforeWindow >= 0 && sleeps >= c.sleepsBeforeWindow) {
        instances.windows[{kApplicationWindowClass, c.title}] = kRunningWindow;
      }
    };
    place();
    instances.onSleep = [&] {
      ++sleeps;
      place();
    };
    int refusals = 0;
    instances.receiver = [&](platform::HWnd, std::uintptr_t, const std::string&) {
      return refusals++ < c.refusalsBeforeTaking ? 0 : 1;
    };
    EXPECT_EQ(HandToRunningCopy(instances, kShowCommand) == HandOver::Taken, c.handedOver);
    EXPECT_LE(instances.slept, kHandOverWait);
    EXPECT_TRUE(std::all_of(instances.sent.begin(), instances.sent.end(),
                            [](const auto& sent) { return sent.window == kRunningWindow; }));
    if (c.handedOver) {
      EXPECT_EQ(instances.sent.back(), (fakes::FakeInstances::Sent{kRunningWindow, kCommandData, "show"}));
      EXPECT_EQ(instances.allowedForeground.back(), kRunningWindow);
    }
  }
}

TEST(RunningCopy, ACommandToABusyCopyIsSentOnceAndCountsOnceItsWindowAnswersAgain) {
  struct Case {
    const char* name;
    int busyAnswers;     // to the messages after the command; -1: busy to the end
    bool goneWhileBusy;  // the copy closes instead
    HandOver handOver;
  };
  for (const Case& c :
       {Case{"free again", 2, false, HandOver::Taken}, Case{"busy to the end", -1, false, HandOver::Taken},
        Case{"gone with the command", -1, true, HandOver::NotTaken}}) {
    SCOPED_TRACE(c.name);
    fakes::FakeInstances instances;
    instances.windows[{kApplicationWindowClass, kProductLine}] = kRunningWindow;
    // Inside a long pass: the command's answer does not come in time.
    instances.receiver = [](platform::HWnd, std::uintptr_t, const std::string&) { return std::nullopt; };
    instances.nullReceiver = [&](platform::HWnd) -> std::optional<std::intptr_t> {
      if (c.goneWhileBusy) {
        instances.windows.clear();
      }
      if (c.busyAnswers < 0 || instances.nullMessages <= c.busyAnswers) {
        return std::nullopt;
      }
      return 0;
    };
    EXPECT_EQ(HandToRunningCopy(instances, PassCommand(64)), c.handOver);
    // Sent again, the pass would run twice once the copy is free.
    EXPECT_EQ(instances.sent.size(), 1u);
    EXPECT_LE(instances.nullMessages * kAnswerWait, kHandOverWait);
  }
}

TEST(RunningCopy, ALaterStartRunsInThePlaceOfACopyThatEndsMeanwhile) {
  for (const bool released : {true, false}) {
    SCOPED_TRACE(released ? "mutex given back" : "holder ended without giving it back");
    fakes::FakeInstances instances;
    auto running = std::make_unique<TRunningCopyClaim>(instances);
    ASSERT_TRUE(running->First());
    // Closing: its window refuses the hand-over, then goes, and then the copy ends.
    instances.windows[{kApplicationWindowClass, kProductLine}] = kRunningWindow;
    instances.receiver = [](platform::HWnd, std::uintptr_t, const std::string&) { return 0; };
    int sleeps = 0;
    instances.onSleep = [&] {
      if (++sleeps == 3) {
        instances.windows.clear();
      } else if (sleeps == 6) {
        if (!released) {
          instances.faults.failOn("ReleaseMutex", 1);
        }
        running.reset();
      }
    };
    TRunningCopyClaim claim(instances);
    ASSERT_FALSE(claim.First());
    EXPECT_EQ(MeetRunningCopy(instances, claim, false), LaterStart::Run);
    EXPECT_TRUE(claim.First());
    EXPECT_EQ(sleeps, 6);
    EXPECT_FALSE(TRunningCopyClaim(instances).First()) << "the next start finds this one";
  }
  // A copy held up closing for longer than the hand-over lasts: the start waits for it to end, and runs then.
  fakes::FakeInstances instances;
  auto running = std::make_unique<TRunningCopyClaim>(instances);
  instances.windows[{kApplicationWindowClass, kProductLine}] = kRunningWindow;
  instances.receiver = [](platform::HWnd, std::uintptr_t, const std::string&) { return 0; };
  instances.onWait = [&] { running.reset(); };
  TRunningCopyClaim claim(instances);
  EXPECT_EQ(MeetRunningCopy(instances, claim, false), LaterStart::Run);
  EXPECT_TRUE(claim.First());
  EXPECT_GE(instances.slept, kHandOverWait);
  // One that never ends: the start gives up, not waiting for ever.
  instances.onWait = nullptr;
  TRunningCopyClaim later(instances);
  EXPECT_EQ(MeetRunningCopy(instances, later, false), LaterStart::Failed);
  EXPECT_LE(instances.slept, 2 * kHandOverWait + kClosingWait);
}

TEST(RunningCopy, TheRunningCopyShowsItsWindowForShowAndRefusesAnythingElse) {
  fakes::FakeServices fakes;
  fakes.memory.status = {512 * kMiB, 64 * kMiB};
  fakes.process.moduleFileName = kExe;
  fakes.registry.createKey(platform::kHKeyLocalMachine, kRunKey);
  fakes.windowSystem.elevated = true;
  StartupTrayIcon(fakes.services);
  {
    TApplication application(fakes.services, std::make_unique<fakes::FakeNativeApplication>(fakes.clock));
    auto* form = application.CreateForm<TfrmVantrel>();
    application.Run();
    ASSERT_FALSE(form->Visible());
    // Elevated, it still hears a later start of the user's level.
    EXPECT_NE(std::find(fakes.windowSystem.allowed.begin(), fakes.windowSystem.allowed.end(),
                        std::pair{application.Handle(), platform::kWmCopyData}),
              fakes.windowSystem.allowed.end());

    for (const auto& [data, bytes] :
         {std::pair{kCommandData + 1, std::string("show")}, std::pair{kCommandData, std::string("show\0", 5)},
          std::pair{kCommandData, std::string("freeall")}, std::pair{kCommandData, std::string()}}) {
      SCOPED_TRACE(bytes);
      EXPECT_FALSE(application.CopyData(data, bytes));
      EXPECT_FALSE(form->Visible());
    }
    for (int twice = 0; twice < 2; ++twice) {
      fakes.windowSystem.foreground.clear();
      EXPECT_TRUE(application.CopyData(kCommandData, "show"));
      EXPECT_TRUE(form->Visible());
      EXPECT_EQ(form->Label15->Caption(), "0");
      EXPECT_EQ(fakes.windowSystem.foreground.back(), application.Handle()) << "in front";
    }
    // The next Show/Hide hides it, as after any other showing.
    form->SShow_oldClick(form->SShow);
    EXPECT_FALSE(form->Visible());
    // Closing, it takes nothing more: a later start then runs in its place.
    form->CustomItem4Click(form->CustomItem4);
    EXPECT_FALSE(application.CopyData(kCommandData, "show"));
    EXPECT_FALSE(form->Visible());
  }
  ShutdownTrayIcon();
}

TEST(RunningCopy, AnElevatedStartTakesThePlaceOfAnUnelevatedCopyWhichSavesItsSettings) {
  struct Case {
    const char* name;
    bool startElevated;
    bool copyElevated;
    LaterStart met;
    std::vector<std::string> commands;  // a copy that closes refuses to show its window
  };
  for (const Case& c :
       {Case{"elevated start, unelevated copy", true, false, LaterStart::Run, {"close", "show"}},
        Case{"both elevated", true, true, LaterStart::Shown, {"close", "show"}},
        Case{"unelevated start, elevated copy", false, true, LaterStart::Shown, {"show"}},
        Case{"neither elevated", false, false, LaterStart::Shown, {"show"}}}) {
    SCOPED_TRACE(c.name);
    fakes::FakeServices fakes;
    fakes.memory.status = {512 * kMiB, 64 * kMiB};
    fakes.process.moduleFileName = kExe;
    fakes.registry.createKey(platform::kHKeyLocalMachine, kRunKey);
    fakes.windowSystem.elevated = c.copyElevated;
    StartupTrayIcon(fakes.services);
    auto running = std::make_unique<TRunningCopyClaim>(fakes.instances);
    auto owned = std::make_unique<fakes::FakeNativeApplication>(fakes.clock);
    const fakes::FakeNativeApplication& native = *owned;
    auto application = std::make_unique<TApplication>(fakes.services, std::move(owned));
    application->CreateForm<TfrmVantrel>();
    application->Run();
    fakes.instances.windows[{kApplicationWindowClass, kProductLine}] = kRunningWindow;
    fakes.instances.receiver = [&](platform::HWnd, std::uintptr_t data, const std::string& bytes) {
      return std::optional<std::intptr_t>(application && application->CopyData(data, bytes));
    };
    // Its message loop ends after the answer; its window goes, then the process and its hold on the mutex.
    fakes.instances.onSleep = [&] {
      if (application && native.quits > 0) {
        fakes.instances.windows.clear();
        application.reset();
        running.reset();
      }
    };
    TRunningCopyClaim claim(fakes.instances);
    EXPECT_EQ(MeetRunningCopy(fakes.instances, claim, c.startElevated), c.met);
    std::vector<std::string> commands;
    for (const auto& sent : fakes.instances.sent) {
      commands.push_back(sent.bytes);
    }
    EXPECT_EQ(commands, c.commands);
    EXPECT_EQ(application == nullptr, c.met == LaterStart::Run) << "the copy ends only to make way";
    EXPECT_EQ(fakes.profile.files.count(kIni), application == nullptr ? 1u : 0u) << "its settings saved";
    application.reset();
    ShutdownTrayIcon();
  }
}

TEST(RunningCopy, TheRunningCopyRunsAHandedPassOnceTheLaterStartHasItsAnswer) {
  fakes::FakeServices fakes;
  fakes.memory.status = {512 * kMiB, 64 * kMiB};
  fakes.process.moduleFileName = kExe;
  fakes.registry.createKey(platform::kHKeyLocalMachine, kRunKey);
  // The display tick after a pass reads the processor load.
  fakes.performanceData.block = fakes::processorBlock(fakes::sampleTime(0), {0}).bytes;
  StartupCpuUsage(fakes.services);
  StartupTrayIcon(fakes.services);
  {
    TApplication application(fakes.services, std::make_unique<fakes::FakeNativeApplication>(fakes.clock));
    auto* form = application.CreateForm<TfrmVantrel>();
    form->UseRegionWorker(std::make_unique<fakes::FakeWorker>());
    application.Run();
    for (const char* refused : {"free 0", "free 1025", "free ", "free all ", "free -1", "Free 64"}) {
      SCOPED_TRACE(refused);
      EXPECT_FALSE(application.CopyData(kCommandData, refused));
    }
    // What waits takes in what comes after it: one Free All, and one pass, the largest.
    for (const std::int32_t megabytes : {64, kWholeMemoryPass, 128, 32, kWholeMemoryPass}) {
      EXPECT_TRUE(application.CopyData(kCommandData, PassCommand(megabytes)));
    }
    // So does the pass that runs, as long as it is no smaller: one handed over during its balloon, say.
    const auto before = form->MaxMem1->OnBeforeDefrag;
    form->MaxMem1->OnBeforeDefrag = [&, handed = false](TObject* sender) mutable {
      if (!std::exchange(handed, true)) {
        application.CopyData(kCommandData, PassCommand(100));
      }
      before(sender);
    };
    EXPECT_TRUE(fakes.memory.commitOrder.empty()) << "not while the later start waits for its answer";
    fakes.clock.advance(1000);
    // 128 MB, then all of the machine's 512.
    EXPECT_EQ(fakes.memory.commitOrder.size(), 128u + 512u);
    int balloons = 0;
    for (const auto& call : fakes.shell.calls) {
      balloons += (call.data.uFlags & platform::kNifInfo) != 0;
    }
    EXPECT_EQ(balloons, 2);
    EXPECT_FALSE(form->Visible());
    fakes.clock.advance(1000);
    EXPECT_EQ(fakes.memory.commitOrder.size(), 128u + 512u) << "each pass once";
    // Closing, a box's message loop still runs the timers: what waits is dropped.
    form->MaxMem1->OnBeforeDefrag = before;
    EXPECT_TRUE(application.CopyData(kCommandData, PassCommand(64)));
    EXPECT_TRUE(application.CopyData(kCommandData, PassCommand(kWholeMemoryPass)));
    form->CustomItem4Click(form->CustomItem4);
    fakes.clock.advance(1000);
    EXPECT_EQ(fakes.memory.commitOrder.size(), 128u + 512u);
  }
  ShutdownTrayIcon();
  ShutdownCpuUsage();
}

}  // namespace
}  // namespace vantrel
