// TSimpleTimer: a periodic window timer without an owner. Every timer of the process is delivered through
// one shared hidden window, which lives as long as some timer does. A timer is off (not Running), on
// (Running with a window timer) or suspended (Running without one, after a period of 0 or no handler).
#pragma once

#include <cstdint>

#include "framework/component.h"
#include "platform/window_system.h"

namespace vantrel {

class TSimpleTimer : public TObject {
 public:
  // Every timer of a process uses the same window system.
  explicit TSimpleTimer(platform::WindowSystem& windows);
  TSimpleTimer(platform::WindowSystem& windows, std::uint32_t period, TNotifyEvent onElapsed);
  ~TSimpleTimer() override;
  TSimpleTimer(const TSimpleTimer&) = delete;
  TSimpleTimer& operator=(const TSimpleTimer&) = delete;

  // The timer's own address: unique among live timers, and the wParam of its WM_TIMER.
  std::uintptr_t TimerId() const { return timerId_; }
  bool Running() const { return running_; }
  void SetRunning(bool running);
  std::uint32_t Period() const { return period_; }
  // Restarts a running timer with a new non-zero period; 0 suspends it.
  void SetPeriod(std::uint32_t period);
  const TNotifyEvent& OnElapsed() const { return onElapsed_; }
  // No handler suspends a running timer; a handler does not restart it.
  void SetOnElapsed(TNotifyEvent handler);

  // Starts (or restarts) the window timer; false with a period of 0 or when the system refuses.
  bool StartTimer();
  // Kills the window timer (false when none ran); `switchOff` also ends Running, otherwise it is suspended.
  bool StopTimer(bool switchOff);

  // One expiry, as the shared window delivers it.
  void Elapsed();

 private:
  platform::WindowSystem& windows_;
  std::uintptr_t timerId_;
  bool running_ = false;
  std::uint32_t period_;
  TNotifyEvent onElapsed_;
};

// The shared hidden window of every live TSimpleTimer; nullptr when there is none. For tests.
platform::HWnd SimpleTimerWindow();

}  // namespace vantrel
