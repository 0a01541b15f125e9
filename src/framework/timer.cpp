#include "framework/timer.h"

#include <algorithm>
#include <limits>

#include "framework/application.h"

namespace vantrel {

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  update();
}

void TTimer::SetInterval(std::uint32_t interval) {
  interval_ = interval;
  update();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  update();
}

void TTimer::Tick() {
  if (onTimer_) {
    onTimer_(this);
  }
}

void TTimer::update() {
  native_.reset();
  TApplication* application = Application();
  if (!enabled_ || interval_ == 0 || !onTimer_ || !application || !application->Native()) {
    return;
  }
  native_ = application->Native()->CreateTimer(interval_, [this] {
    try {
      Tick();
    } catch (const std::exception& error) {
      Application()->HandleException(error);
    }
  });
}

std::uint32_t SecondsToInterval(std::int64_t seconds) {
  const std::int64_t milliseconds =
      std::clamp<std::int64_t>(seconds, 0, std::numeric_limits<std::uint32_t>::max() / 1000) * 1000;
  return static_cast<std::uint32_t>(milliseconds);
}

}  // namespace vantrel
