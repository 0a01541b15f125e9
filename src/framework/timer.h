// TTimer: a window timer. While enabled, with a non-zero interval and a handler, it raises OnTimer every
// Interval ms from the message loop; any change of the three starts the countdown afresh.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/component.h"
#include "framework/native.h"

namespace vantrel {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t interval);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);

  // Whether a window timer is counting down now.
  bool Running() const { return native_ != nullptr; }
  // One expiry: raises OnTimer.
  void Tick();

  void Loaded() override { update(); }

 private:
  void update();

  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  TNotifyEvent onTimer_;
  std::unique_ptr<NativeTimer> native_;
};

// A timer interval of whole seconds; negative counts become 0, which keeps the timer silent.
std::uint32_t SecondsToInterval(std::int64_t seconds);

}  // namespace vantrel
