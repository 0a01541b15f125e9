// The simple timer on the fake window system's clock: its off, on and suspended states, and the shared
// window's life.
#include "tray/simple_timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fake_clock.h"
#include "fake_window_system.h"

namespace vantrel {
namespace {

struct SimpleTimers : ::testing::Test {
  // A timer that records the clock at each expiry.
  std::unique_ptr<TSimpleTimer> timer(std::uint32_t period) {
    return std::make_unique<TSimpleTimer>(windows, period,
                                          [this](TObject*) { ticks.push_back(clock.now()); });
  }
  fakes::FakeClock clock;
  fakes::FakeWindowSystem windows{clock};
  std::vector<std::uint64_t> ticks;
};

TEST_F(SimpleTimers, OffOnAndSuspended) {
  auto t = timer(100);
  EXPECT_FALSE(t->Running());
  EXPECT_TRUE(t->StartTimer());
  clock.advance(250);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{100, 200}));

  // The same period leaves the interval alone; SetRunning(true) starts a full one from now.
  t->SetPeriod(100);
  clock.advance(60);
  t->SetRunning(true);
  clock.advance(100);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{100, 200, 300, 410}));

  // Period 0 suspends: still Running, no expiries; a new period resumes with a full one.
  t->SetPeriod(0);
  clock.advance(1000);
  EXPECT_TRUE(t->Running());
  EXPECT_EQ(ticks.size(), 4u);
  t->SetPeriod(500);
  clock.advance(500);
  EXPECT_EQ(ticks.back(), 1910u);

  // No handler suspends too, and a handler alone does not resume.
  t->SetOnElapsed(nullptr);
  EXPECT_TRUE(t->Running());
  t->SetOnElapsed([this](TObject*) { ticks.push_back(clock.now()); });
  clock.advance(1000);
  EXPECT_EQ(ticks.size(), 5u);
  EXPECT_EQ(clock.liveTimers(), 0);
  t->SetRunning(true);
  clock.advance(500);
  EXPECT_EQ(ticks.back(), 3410u);

  t->SetRunning(false);
  EXPECT_FALSE(t->Running());
  EXPECT_FALSE(t->StopTimer(true));
  clock.advance(5000);
  EXPECT_EQ(ticks.size(), 6u);
}

TEST_F(SimpleTimers, APeriodOfZeroOrARefusalLeavesTheTimerOff) {
  auto zero = timer(0);
  EXPECT_FALSE(zero->StartTimer());
  zero->SetRunning(true);
  EXPECT_FALSE(zero->Running());

  auto refused = timer(100);
  windows.faults.failOn("SetTimer", 1);
  EXPECT_FALSE(refused->StartTimer());
  EXPECT_FALSE(refused->Running());
  EXPECT_TRUE(refused->StartTimer());
}

TEST_F(SimpleTimers, OneSharedWindowWhileATimerLives) {
  auto first = timer(100);
  auto second = timer(100);
  const platform::HWnd window = SimpleTimerWindow();
  EXPECT_NE(window, 0u);
  EXPECT_EQ(windows.windowOf("TSimpleTimerHandler"), window);
  EXPECT_NE(first->TimerId(), second->TimerId());

  first->StartTimer();
  second->StartTimer();
  const std::uintptr_t gone = first->TimerId();
  first.reset();
  EXPECT_EQ(SimpleTimerWindow(), window);
  // A WM_TIMER already queued for the timer that went names nobody.
  windows.SendMessageA(window, platform::kWmTimer, gone, 0);
  EXPECT_TRUE(ticks.empty());

  second.reset();
  EXPECT_EQ(SimpleTimerWindow(), 0u);
  EXPECT_EQ(windows.liveHandles(), 0);
  auto third = timer(100);
  EXPECT_NE(SimpleTimerWindow(), 0u);
  EXPECT_NE(SimpleTimerWindow(), window);
}

}  // namespace
}  // namespace vantrel
