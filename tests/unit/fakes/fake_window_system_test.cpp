#include "fake_window_system.h"

#include <gtest/gtest.h>

#include "fake_clock.h"
#include "window_system_contract.h"

namespace vantrel {
namespace {

TEST(FakeWindowSystem, KeepsTheWindowSystemContract) {
  fakes::FakeClock clock;
  fakes::FakeWindowSystem windows(clock);
  contract::checkWindowSystem(windows, [&](std::uint32_t ms) { clock.advance(ms); });
  EXPECT_EQ(windows.liveHandles(), 0);
}

}  // namespace
}  // namespace vantrel
