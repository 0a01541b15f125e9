// The memory monitor and automatic reclaim, on the fake window system's clock, with fake memory and a
// sampler fed with scripted processor loads.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/load_reading.h"
#include "app/main_window.h"
#include "cpu/cpu_usage.h"
#include "fake_native_application.h"
#include "fake_services.h"
#include "program/product.h"
#include "program_support.h"
#include "startup/run_key.h"
#include "test_blocks.h"

namespace vantrel {
namespace {

constexpr std::int64_t kSecond = 1000 * fakes::kTicksPerMillisecond;

class Monitor : public ::testing::Test {
 protected:
  Monitor() {
    fakes.memory.status = {1024 * kMiB, 4 * kMiB};
    fakes.process.moduleFileName = kExe;
    fakes.registry.createKey(platform::kHKeyLocalMachine, kRunKey);
  }
  ~Monitor() override { stop(); }

  // Starts the sampler with its first sample taken, then the program with these settings.
  void start(const std::vector<std::string>& settings, std::size_t instances = 1) {
    StartupCpuUsage(fakes.services);
    idle_.assign(instances, 0);
    sampleAt_ = 0;
    fakes.performanceData.block = fakes::processorBlock(fakes::sampleTime(0), idle_).bytes;
    RefreshProcessorData();
    fakes.profile.files[kIni] = settingsText(settings);
    auto native = std::make_unique<fakes::FakeNativeApplication>();
    clock = native.get();
    application_ = std::make_unique<TApplication>(fakes.services, std::move(native));
    application_->SetTitle(kProductLine);
    form = application_->CreateForm<TfrmVantrel>();
    // Every pass is recorded with its size, and takes `passTime` ms.
    form->MaxMem1->OnBeforeDefrag = [this](TObject*) { commitsBefore_ = fakes.memory.commitOrder.size(); };
    form->MaxMem1->OnAfterDefrag = [this](TObject*) {
      passes.push_back(static_cast<int>(fakes.memory.commitOrder.size() - commitsBefore_));
      clock->elapse(passTime);
    };
  }
  void stop() {
    application_.reset();
    ShutdownCpuUsage();
    form = nullptr;
    clock = nullptr;
  }
  // The next sample finds these usages, one per instance, one second after the one before.
  void nextUsages(const std::vector<double>& usages) {
    ASSERT_EQ(usages.size(), idle_.size());
    sampleAt_ += 1000;
    for (std::size_t i = 0; i < usages.size(); ++i) {
      idle_[i] += std::llround((1 - usages[i]) * kSecond);
    }
    fakes.performanceData.block = fakes::processorBlock(fakes::sampleTime(sampleAt_), idle_).bytes;
  }
  // One automatic-reclaim check at this load, in percent.
  void check(double load) {
    nextUsages({load / 100});
    form->Timer1Timer(form);
  }
  std::vector<std::string> boxes() const {
    std::vector<std::string> texts;
    for (const auto& box : fakes.dialogs.boxes) {
      texts.push_back(box.text);
    }
    return texts;
  }

  fakes::FakeServices fakes;
  fakes::FakeNativeApplication* clock = nullptr;
  TfrmVantrel* form = nullptr;
  std::vector<int> passes;
  std::uint64_t passTime = 0;

 private:
  std::unique_ptr<TApplication> application_;
  std::vector<std::int64_t> idle_;
  std::int64_t sampleAt_ = 0;
  std::size_t commitsBefore_ = 0;
};

TEST_F(Monitor, TheIdleCounterCountsStrictlyBelowTheThresholdAndResetsStrictlyAbove) {
  start({"CPU=80", "WAIT=3", "MIN=6", "Target=16"});
  const std::vector<double> loads = {50, 60, 85, 40, 30, 20};
  std::vector<std::int32_t> counts;
  for (const double load : loads) {
    check(load);
    counts.push_back(form->IdleCount);
    if (counts.size() == 5) {
      EXPECT_TRUE(passes.empty());
    }
  }
  // The sixth check reaches three idle checks and reclaims, which starts the count again.
  EXPECT_EQ(counts, (std::vector<std::int32_t>{1, 2, 0, 1, 2, 0}));
  EXPECT_EQ(passes, (std::vector<int>{16}));

  fakes.memory.status.availPhys = 512 * kMiB;
  form->IdleCount = 5;
  counts.clear();
  for (const double load : {79.99, 80.00, 80.01}) {
    check(load);
    counts.push_back(form->IdleCount);
  }
  EXPECT_EQ(counts, (std::vector<std::int32_t>{6, 6, 0}));
}

TEST_F(Monitor, ReclaimsOnlyBelowTheThresholdInMegabytesWithTwoDecimals) {
  struct Case {
    std::uint64_t freeBytes;
    bool reclaims;
  };
  const std::vector<Case> cases = {
      {6 * kMiB, false},
      {6 * kMiB - 4000, false},  // 5.996 MB is 6.00 with two decimals
      {6 * kMiB - 6000, true},   // 5.99
  };
  start({"CPU=80", "WAIT=1", "MIN=6", "Target=8"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.freeBytes);
    fakes.memory.status.availPhys = c.freeBytes;
    passes.clear();
    check(10);
    EXPECT_EQ(passes.size(), c.reclaims ? 1u : 0u);
  }
}

TEST_F(Monitor, AnAutomaticReclaimRunsItsPassesThenWaitsOneFullIntervalAfterTheLast) {
  start({"CPU=80", "WAIT=1", "MIN=6", "Target=16", "TRYT=3", "CMI=1"});
  form->Timer2->SetEnabled(false);
  form->Timer3->SetEnabled(false);
  passTime = 300;
  nextUsages({0.1});
  clock->advance(1000);
  EXPECT_EQ(passes, (std::vector<int>{16, 16, 16}));
  EXPECT_EQ(form->IdleCount, 0);
  EXPECT_EQ(clock->now(), 1900u);
  for (const auto& call : fakes.shell.calls) {
    EXPECT_EQ(call.data.uFlags & platform::kNifInfo, 0u) << "no balloon after an automatic pass";
  }
  nextUsages({0.9});
  clock->advance(999);
  EXPECT_EQ(clock->firings, (std::vector<std::uint64_t>{1000}));
  clock->advance(1);
  EXPECT_EQ(clock->firings, (std::vector<std::uint64_t>{1000, 2900}));
}

TEST_F(Monitor, TheNumberOfPassesIsReadStrictly) {
  struct Case {
    std::string tries;
    std::vector<std::string> boxes;
    std::int32_t idleAfter;
    bool checking;  // Timer1 runs afterwards
  };
  const std::vector<Case> cases = {
      {"0", {}, 0, true},
      {"1.5", {"'1.5' is not a valid integer value."}, 1, false},
      {"", {"'' is not a valid integer value."}, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tries);
    start({"CPU=80", "WAIT=1", "MIN=6", "CMI=1"});
    form->Timer2->SetEnabled(false);
    form->Timer3->SetEnabled(false);
    form->edtTRYT->SetText(c.tries);
    fakes.dialogs.boxes.clear();
    nextUsages({0.1});
    clock->advance(1000);
    EXPECT_TRUE(passes.empty());
    EXPECT_EQ(boxes(), c.boxes);
    EXPECT_EQ(form->IdleCount, c.idleAfter);
    EXPECT_EQ(form->Timer1->Enabled(), c.checking);
    EXPECT_EQ(clock->liveTimers(), c.checking ? 1 : 0);
    stop();
  }
}

TEST_F(Monitor, SwitchingOffAndOnKeepsTheCountAndTakesTheNewInterval) {
  start({"CMI=1"});
  form->IdleCount = 2;
  form->CheckBox1->SetChecked(false);
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_FALSE(form->SEnable->Checked);
  form->edtCMI->SetText("3");
  form->CheckBox1->SetChecked(true);
  EXPECT_TRUE(form->SEnable->Checked);
  EXPECT_EQ(form->Timer1->Interval(), 3000u);
  EXPECT_EQ(form->IdleCount, 2);
}

TEST_F(Monitor, ATargetRowIsCheckedAgainstTheMachine) {
  struct Case {
    std::uint64_t totalMiB;
    int row;
    std::string target;
    bool tooLarge;
  };
  // The last row means 384 MB: 511 MB of total is just enough for it, 510 MB is not.
  const std::vector<Case> cases = {
      {256, 28, "16", true}, {512, 28, "384", false}, {128, 19, "96", false},
      {128, 20, "16", true}, {256, 25, "192", false}, {256, 26, "16", true},
      {4096, 0, "8", false}, {511, 28, "384", false}, {510, 28, "16", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.totalMiB) + " MB, row " + std::to_string(c.row));
    fakes.memory.status.totalPhys = c.totalMiB * kMiB;
    fakes.dialogs.boxes.clear();
    start({});
    form->listMax->UserSelect(c.row);
    EXPECT_EQ(form->lblTARGET->Caption(), c.target);
    EXPECT_EQ(form->listMax->ItemIndex(), c.tooLarge ? 4 : c.row);
    if (c.tooLarge) {
      ASSERT_EQ(fakes.dialogs.boxes.size(), 1u);
      EXPECT_EQ(fakes.dialogs.boxes[0].text,
                "The value is too large to your system!\r\r    Select a smaller one!");
      EXPECT_EQ(fakes.dialogs.boxes[0].caption, "Information");
      EXPECT_EQ(fakes.dialogs.boxes[0].type, platform::kMbOk | platform::kMbIconInformation);
    } else {
      EXPECT_TRUE(fakes.dialogs.boxes.empty());
    }
    stop();
  }
}

TEST_F(Monitor, TheFiguresOfTheWindowAndTheTray) {
  struct Case {
    std::uint64_t totalBytes;
    std::uint64_t freeBytes;
    int gauge;
    std::string label;
    std::string tray;
    // The commit charge and the page files where the system tells them, and the line they make.
    std::optional<platform::CommitCharge> commit = std::nullopt;
    std::optional<platform::PageFileUse> pageFiles = std::nullopt;
    std::string commitLine = "";
  };
  const std::vector<Case> cases = {
      {1073741824, 536870912, 50, "512", "512"},
      {1073741824, 1234567, 0, "1.18", "1"},
      {1024 * kMiB, 5 * kMiB / 2, 0, "2.5", "2"},  // ties go to the even neighbour
      {1024 * kMiB, 7 * kMiB / 2, 0, "3.5", "4"},
      {200 * kMiB, 5 * kMiB, 2, "5", "5"},  // 2.5 %
      {24576 * kMiB, 20000 * kMiB, 81, "20000", "20000"},
      {24576 * kMiB, 20000 * kMiB, 81, "20000", "20000", platform::CommitCharge{12345 * kMiB, 30000 * kMiB},
       platform::PageFileUse{1, 2048 * kMiB + kMiB / 2},
       "Committed: 12345 MB of 30000 MB (41%)  Page file: 2048 MB in use"},
      {24576 * kMiB, 20000 * kMiB, 81, "20000", "20000", platform::CommitCharge{24000 * kMiB, 24000 * kMiB},
       platform::PageFileUse{}, "Committed: 24000 MB of 24000 MB (100%)  No page file"},
      {24576 * kMiB, 20000 * kMiB, 81, "20000", "20000", std::nullopt, platform::PageFileUse{2, 0},
       "Page file: 0 MB in use"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    fakes.memory.status = {c.totalBytes, c.freeBytes};
    fakes.systemMemory.commit = c.commit;
    fakes.systemMemory.pageFiles = c.pageFiles;
    start({});
    nextUsages({0.0});
    const int queries = fakes.memory.faults.calls("GlobalMemoryStatus");
    form->Timer3Timer(form);
    form->Timer2Timer(form);
    // Each figure asks the system afresh.
    EXPECT_EQ(fakes.memory.faults.calls("GlobalMemoryStatus") - queries, 3);
    EXPECT_EQ(form->Gauge1->Position(), c.gauge);
    EXPECT_EQ(form->Label1->Caption(), c.label);
    EXPECT_EQ(form->TextTrayIcon1->Text(), c.tray);
    EXPECT_EQ(form->lblCommit->Caption(), c.commitLine);
    stop();
  }
}

TEST_F(Monitor, ANewFigureReachesTheShellInOneCallWithItsTipAndAnIdleTickInNone) {
  fakes.memory.status = {24105 * kMiB, 22921 * kMiB};
  start({});
  const auto tip = [&] { return std::string(fakes.shell.icons.begin()->second.szTip); };
  EXPECT_EQ(tip(), "Free: 22921 MB of 24105 MB (95%)") << "from the start";
  // The first figure; a new image with a new tip; a tip alone (the compact figure may stay as it was);
  // nothing new.
  for (const auto& [freeMegabytes, shellCalls] :
       {std::pair<std::uint64_t, std::size_t>{22921, 1}, {12000, 1}, {12001, 1}, {12001, 0}}) {
    SCOPED_TRACE(freeMegabytes);
    const std::size_t calls = fakes.shell.calls.size();
    fakes.memory.status.availPhys = freeMegabytes * kMiB;
    form->Timer2Timer(form);
    EXPECT_EQ(fakes.shell.calls.size() - calls, shellCalls);
  }
  EXPECT_EQ(tip(), "Free: 12001 MB of 24105 MB (50%)");
}

TEST_F(Monitor, TheLoadIsTheLastInstancesUsageInPercent) {
  struct Case {
    std::vector<double> usages;
    double reading;
    int gauge;
    const char* separator;
  };
  const std::vector<Case> cases = {
      {{0.4567}, 45.67, 45, "."},
      {{0.4567}, 45.67, 45, ","},
      {{0.10, 0.20, 0.35}, 35, 35, "."},
      {{0.7999}, 79.99, 79, "."},
      {{0.0523}, 5.23, 5, "."},
      {{0.2, 1.0}, 100, 100, "."},
      {{1.25}, 125, 100, "."},  // the sampler does not clamp
      {std::vector<double>(11, 0.5), 50, 50, "."},
      {{0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.125}, 12.5, 12, "."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.usages) + c.separator);
    fakes.locale.decimalSeparator = c.separator;
    start({}, c.usages.size());
    nextUsages(c.usages);
    const std::optional<double> reading = form->ProcessorLoad();
    ASSERT_TRUE(reading.has_value());
    EXPECT_DOUBLE_EQ(*reading, c.reading);
    nextUsages(c.usages);
    form->Timer3Timer(form);
    EXPECT_EQ(form->Gauge2->Position(), c.gauge);
    EXPECT_GT(clock->of(*form->Gauge2)->repaints, 0);
    stop();
  }
}

TEST_F(Monitor, ASamplerThatFailsIsReportedOnceAndNeverReclaims) {
  start({"CPU=100", "WAIT=1", "MIN=6"});
  nextUsages({0.5});
  form->Timer3Timer(form);
  EXPECT_EQ(form->Gauge2->Position(), 50);
  form->IdleCount = 4;
  fakes.performanceData.faults.failOn("RegQueryValueExA", 1, true);
  form->Timer3Timer(form);
  form->Timer1Timer(form);
  form->Timer3Timer(form);
  EXPECT_EQ(boxes(), (std::vector<std::string>{std::string(kNoProcessorObjectMessage) + "."}));
  EXPECT_EQ(form->Gauge2->Position(), 0);
  EXPECT_EQ(form->IdleCount, 0);  // an unknown load is not idle
  EXPECT_TRUE(passes.empty());

  // A good reading ends the run of failures; the next failure is reported again.
  fakes.performanceData.faults.clear("RegQueryValueExA");
  nextUsages({0.5});
  form->Timer3Timer(form);
  fakes.performanceData.faults.failOn("RegQueryValueExA", 1, true);
  form->Timer3Timer(form);
  EXPECT_EQ(boxes().size(), 2u);
}

TEST(LoadText, ReadsBackOnlyFiniteFigures) {
  EXPECT_EQ(LoadText(0, 0.0523, '.'), "#0 -  5.23");
  EXPECT_EQ(LoadText(12, 1.0, ','), "#12 - 100,00");
  EXPECT_EQ(LoadFromText(LoadText(3, -0.2, '.'), 3, '.'), -20.0);
  EXPECT_EQ(LoadFromText(LoadText(0, std::nan(""), '.'), 0, '.'), std::nullopt);
  EXPECT_EQ(LoadFromText(LoadText(0, 1e308, '.'), 0, '.'), std::nullopt);
  EXPECT_EQ(LoadFromText("#0", 0, '.'), std::nullopt);
}

TEST_F(Monitor, TheArrowsOfEachEditCarryItsBoundsAndValue) {
  fakes.memory.status = {24576 * kMiB, 4096 * kMiB};
  start({"MIN=1000", "CPU=250"});
  const fakes::FakeControl* min = clock->of(*form->edtMin);
  ASSERT_NE(min, nullptr);
  EXPECT_EQ(min->range, std::make_pair(768, 4096));
  EXPECT_EQ(min->position, 1000);
  const fakes::FakeControl* cpu = clock->of(*form->edtCPU);
  EXPECT_EQ(cpu->range, std::make_pair(1, 100));
  EXPECT_EQ(cpu->position, 100);
  form->edtMin->UpClick();
  EXPECT_EQ(min->position, 1001);
}

}  // namespace
}  // namespace vantrel
