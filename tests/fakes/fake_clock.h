// A manual clock shared by every fake that keeps time: the framework's timers and the window system's window
// timers fall due on it, in one order, when a test moves it on.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace vantrel::fakes {

class FakeClock {
 public:
  // A periodic timer that calls `tick` every `interval` ms from now; returns its key for stop().
  std::uint64_t start(std::uint32_t interval, std::function<void()> tick);
  void stop(std::uint64_t key) { timers_.erase(key); }

  // Milliseconds from the start.
  std::uint64_t now() const { return now_; }
  // Moves the clock on by `ms`, firing every timer that falls due on the way, earliest first (timers due at
  // the same moment in the order they were started). A timer fires again one interval after it fired.
  void advance(std::uint64_t ms);
  // Time that passes inside a handler: the clock moves on and nothing fires.
  void elapse(std::uint64_t ms) { now_ += ms; }
  int liveTimers() const { return static_cast<int>(timers_.size()); }

  // When each timer firing happened, in order.
  std::vector<std::uint64_t> firings;

 private:
  struct Timer {
    std::uint64_t due;
    std::uint32_t interval;
    std::function<void()> tick;
  };
  std::map<std::uint64_t, Timer> timers_;  // by the order they were started
  std::uint64_t now_ = 0;
  std::uint64_t nextKey_ = 1;
};

}  // namespace vantrel::fakes
