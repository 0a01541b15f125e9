#include "fake_clock.h"

#include <algorithm>

namespace vantrel::fakes {

std::uint64_t FakeClock::start(std::uint32_t interval, std::function<void()> tick) {
  const std::uint64_t key = nextKey_++;
  timers_[key] = {now_ + std::max<std::uint32_t>(interval, 1), interval, std::move(tick)};
  return key;
}

void FakeClock::advance(std::uint64_t ms) {
  const std::uint64_t end = now_ + ms;
  for (;;) {
    // Timers are started and stopped by the ticks themselves, so the next one is looked up afresh each time.
    const auto next = std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
      return a.second.due < b.second.due;
    });
    if (next == timers_.end() || next->second.due > end) {
      break;
    }
    // A timer that fell due while a handler was busy fires as soon as the handler returns, once.
    now_ = std::max(now_, next->second.due);
    next->second.due = now_ + std::max<std::uint32_t>(next->second.interval, 1);
    firings.push_back(now_);
    const std::function<void()> tick = next->second.tick;
    tick();
  }
  now_ = std::max(now_, end);
}

}  // namespace vantrel::fakes
