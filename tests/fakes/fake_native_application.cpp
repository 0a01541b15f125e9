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
  TimerHandle(FakeClock& clock, std::uint64_t key) : clock_(clock), key_(key) {}
  ~TimerHandle() override { clock_.stop(key_); }
  TimerHandle(const TimerHandle&) = delete;
  TimerHandle& operator=(const TimerHandle&) = delete;

 private:
  FakeClock& clock_;
  std::uint64_t key_;
};

FakeNativeApplication::FakeNativeApplication()
    : ownClock_(std::make_unique<FakeClock>()), clock_(*ownClock_), firings(clock_.firings) {}

FakeNativeApplication::FakeNativeApplication(FakeClock& clock) : clock_(clock), firings(clock_.firings) {}

FakeNativeApplication::~FakeNativeApplication() = default;

void FakeNativeApplication::SetAppWindowState(bool visible, bool minimized) {
  appWindowVisible = visible;
  appWindowMinimized = minimized;
  appWindowShows += visible ? 1 : 0;
}

std::unique_ptr<NativeControl> FakeNativeApplication::CreateForm(TForm& form) {
  return std::make_unique<FakeControl>(form, nextHandle_++, controls_);
}

std::unique_ptr<NativeControl> FakeNativeApplication::CreateControl(TControl& control, NativeControl&) {
  return std::make_unique<FakeControl>(control, nextHandle_++, controls_);
}

std::unique_ptr<NativeTimer> FakeNativeApplication::CreateTimer(std::uint32_t interval,
                                                                std::function<void()> tick) {
  return std::make_unique<TimerHandle>(clock_, clock_.start(interval, std::move(tick)));
}

std::unique_ptr<NativeImageList> FakeNativeApplication::CreateImageList(const TImageList&) {
  return std::make_unique<FakeImageList>(nextHandle_++);
}

int FakeNativeApplication::TrackPopupMenu(const std::vector<TMenuItem*>& items, int x, int y, THandle) {
  std::vector<std::string> captions;
  // As Windows shows it: without the hidden items.
  for (const TMenuItem* item : items) {
    if (item->Visible) {
      captions.push_back(item->Caption);
    }
  }
  menus.push_back(captions);
  menuPositions.emplace_back(x, y);
  return menuAnswer;
}

FakeControl* FakeNativeApplication::of(const TControl& control) const {
  const auto found = controls_.find(&control);
  return found == controls_.end() ? nullptr : found->second;
}

}  // namespace vantrel::fakes
