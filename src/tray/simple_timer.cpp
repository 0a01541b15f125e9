#include "tray/simple_timer.h"

#include <map>

namespace vantrel {

namespace {

constexpr std::uint32_t kDefaultPeriod = 1000;

// The hidden window that receives WM_TIMER for every timer, counted by its users.
class TSimpleTimerHandler {
 public:
  explicit TSimpleTimerHandler(platform::WindowSystem& windows)
      : windows_(windows),
        window_(windows.CreateWindowExA(
            "TSimpleTimerHandler",
            [this](platform::HWnd window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) { return windowProc(window, message, wParam, lParam); })) {}
  ~TSimpleTimerHandler() { windows_.DestroyWindow(window_); }
  TSimpleTimerHandler(const TSimpleTimerHandler&) = delete;
  TSimpleTimerHandler& operator=(const TSimpleTimerHandler&) = delete;

  platform::HWnd window() const { return window_; }
  void add(TSimpleTimer& timer) { timers_[timer.TimerId()] = &timer; }
  void remove(const TSimpleTimer& timer) { timers_.erase(timer.TimerId()); }
  bool unused() const { return timers_.empty(); }

 private:
  std::intptr_t windowProc(platform::HWnd window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    if (message == platform::kWmTimer) {
      elapsed(wParam);
      return 0;
    }
    return windows_.DefWindowProcA(window, message, wParam, lParam);
  }

  // A WM_TIMER still queued for a timer that is gone names no live timer and is dropped.
  void elapsed(std::uintptr_t id) {
    if (const auto timer = timers_.find(id); timer != timers_.end()) {
      timer->second->Elapsed();
    }
  }

  platform::WindowSystem& windows_;
  platform::HWnd window_;
  // The live timers by id; their number is the use count.
  std::map<std::uintptr_t, TSimpleTimer*> timers_;
};

TSimpleTimerHandler* handler = nullptr;

TSimpleTimerHandler& useHandler(platform::WindowSystem& windows) {
  if (!handler) {
    handler = new TSimpleTimerHandler(windows);
  }
  return *handler;
}

void releaseHandler(const TSimpleTimer& timer) {
  if (!handler) {
    return;
  }
  handler->remove(timer);
  if (handler->unused()) {
    delete handler;
    handler = nullptr;
  }
}

}  // namespace

TSimpleTimer::TSimpleTimer(platform::WindowSystem& windows)
    : TSimpleTimer(windows, kDefaultPeriod, nullptr) {}

TSimpleTimer::TSimpleTimer(platform::WindowSystem& windows, std::uint32_t period, TNotifyEvent onElapsed)
    : windows_(windows), timerId_(reinterpret_cast<std::uintptr_t>(this)), period_(period) {
  SetOnElapsed(std::move(onElapsed));
  useHandler(windows_).add(*this);
}

TSimpleTimer::~TSimpleTimer() {
  if (running_) {
    StopTimer(true);
  }
  releaseHandler(*this);
}

void TSimpleTimer::SetRunning(bool running) {
  if (running) {
    StartTimer();
  } else {
    StopTimer(true);
  }
}

void TSimpleTimer::SetPeriod(std::uint32_t period) {
  if (period == period_) {
    return;
  }
  period_ = period;
  if (!running_) {
    return;
  }
  if (period_ != 0) {
    StartTimer();
  } else {
    StopTimer(false);
  }
}

void TSimpleTimer::SetOnElapsed(TNotifyEvent handler) {
  onElapsed_ = std::move(handler);
  if (!onElapsed_ && running_) {
    StopTimer(false);
  }
}

bool TSimpleTimer::StartTimer() {
  if (period_ == 0) {
    return false;
  }
  if (running_) {
    StopTimer(true);
  }
  const bool started = windows_.SetTimer(handler->window(), timerId_, period_) != 0;
  if (started) {
    running_ = true;
  }
  return started;
}

bool TSimpleTimer::StopTimer(bool switchOff) {
  if (switchOff) {
    running_ = false;
  }
  return windows_.KillTimer(handler->window(), timerId_);
}

void TSimpleTimer::Elapsed() {
  if (onElapsed_) {
    onElapsed_(this);
  }
}

platform::HWnd SimpleTimerWindow() {
  return handler ? handler->window() : 0;
}

}  // namespace vantrel
