#include "fake_native_application.h"

#include <algorithm>

#include "framework/form.h"
#include "framework/menus.h"

namespace vantrel::fakes {

FakeControl::FakeControl(const TControl& control, THandle handle, Registry& registry)
    : handle(handle), control_(control), registry_(registry) {
  registry_[&control_] = this;
}

FakeControl::~FakeControl() {
  registry_.erase(&control_);
}

namespace {

class FakeImageList final : public NativeImageList {
 public:
  explicit FakeImageList(THandle handle) : handle_(handle) {}
  THandle Handle() const override { return handle_; }

 private:
  THandle handle_;
};

}  // namespace

// Unregisters its timer when the framework lets the timer go.
class FakeNativeApplication::TimerHandle final : public NativeTimer {
 public:
  TimerHandle(FakeNativeApplication& app, std::uint64_t id) : app_(app), id_(id) {}
  ~TimerHandle() override { app_.timers_.erase(id_); }
  TimerHandle(const TimerHandle&) = delete;
  TimerHandle& operator=(const TimerHandle&) = delete;

 private:
  FakeNativeApplication& app_;
  std::uint64_t id_;
};

FakeNativeApplication::FakeNativeApplication() = default;

FakeNativeApplication::~FakeNativeApplication() = default;

void FakeNativeApplication::SetAppWindowState(bool visible, bool minimized) {
  appWindowVisible = visible;
  appWindowMinimized = minimized;
}

std::unique_ptr<NativeControl> FakeNativeApplication::CreateForm(TForm& form) {
  return std::make_unique<FakeControl>(form, nextHandle_++, controls_);
}

std::unique_ptr<NativeControl> FakeNativeApplication::CreateControl(TControl& control, NativeControl&) {
  return std::make_unique<FakeControl>(control, nextHandle_++, controls_);
}

std::unique_ptr<NativeTimer> FakeNativeApplication::CreateTimer(std::uint32_t interval,
                                                                std::function<void()> tick) {
  const std::uint64_t id = nextTimer_++;
  timers_[id] = {now_ + std::max<std::uint32_t>(interval, 1), interval, std::move(tick)};
  return std::make_unique<TimerHandle>(*this, id);
}

std::unique_ptr<NativeImageList> FakeNativeApplication::CreateImageList(const TImageList&) {
  return std::make_unique<FakeImageList>(nextHandle_++);
}

int FakeNativeApplication::TrackPopupMenu(const std::vector<TMenuItem*>& items, int, int, THandle) {
  std::vector<std::string> captions;
  for (const TMenuItem* item : items) {
    captions.push_back(item->Caption);
  }
  menus.push_back(captions);
  return menuAnswer;
}

FakeControl* FakeNativeApplication::of(const TControl& control) const {
  const auto found = controls_.find(&control);
  return found == controls_.end() ? nullptr : found->second;
}

void FakeNativeApplication::advance(std::uint64_t ms) {
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
