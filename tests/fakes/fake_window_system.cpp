#include "fake_window_system.h"

#include <algorithm>

namespace vantrel::fakes {

FakeWindowSystem::~FakeWindowSystem() {
  for (const auto& [key, clockKey] : timers_) {
    clock_.stop(clockKey);
  }
}

platform::HWnd FakeWindowSystem::CreateWindowExA(const char* className, platform::WindowProcedure procedure) {
  if (faults.shouldFail("CreateWindowExA")) {
    return 0;
  }
  const platform::HWnd window = nextWindow_++;
  windows_[window] = className;
  const platform::WndProc own = nextProcedure_++;
  procedures_[own] = {window, std::move(procedure), true};
  installed_[window] = own;
  return window;
}

bool FakeWindowSystem::DestroyWindow(platform::HWnd window) {
  if (windows_.erase(window) == 0) {
    return false;
  }
  installed_.erase(window);
  std::erase_if(procedures_,
                [window](const auto& made) { return made.second.own && made.second.window == window; });
  for (auto timer = timers_.begin(); timer != timers_.end();) {
    if (timer->first.first == window) {
      clock_.stop(timer->second);
      timer = timers_.erase(timer);
    } else {
      ++timer;
    }
  }
  return true;
}

std::intptr_t FakeWindowSystem::DefWindowProcA(platform::HWnd, std::uint32_t, std::uintptr_t, std::intptr_t) {
  return 0;
}

std::intptr_t FakeWindowSystem::SendMessageA(platform::HWnd window, std::uint32_t message,
                                             std::uintptr_t wParam, std::intptr_t lParam) {
  return CallWindowProcA(GetWindowLongPtrA(window, platform::kGwlpWndProc), window, message, wParam, lParam);
}

bool FakeWindowSystem::PostMessageA(platform::HWnd window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  posted.push_back({window, message, wParam, lParam});
  return true;
}

std::uint32_t FakeWindowSystem::RegisterWindowMessageA(const char* name) {
  const auto [entry, added] = messages_.emplace(name, 0xC000 + static_cast<std::uint32_t>(messages_.size()));
  return entry->second;
}

bool FakeWindowSystem::ChangeWindowMessageFilterEx(platform::HWnd window, std::uint32_t message) {
  allowed.emplace_back(window, message);
  return true;
}

bool FakeWindowSystem::RegisterHotKey(platform::HWnd window, int id, std::uint32_t modifiers,
                                      std::uint32_t virtualKey) {
  if ((modifiers & platform::kModNoRepeat) && !noRepeat) {
    return false;
  }
  // The same keys are the same combination, repeats or not.
  const std::pair combination{modifiers & ~platform::kModNoRepeat, virtualKey};
  if (std::find(heldElsewhere.begin(), heldElsewhere.end(), combination) != heldElsewhere.end()) {
    return false;
  }
  for (const auto& [owner, held] : hotKeys) {
    if (std::pair{held.first & ~platform::kModNoRepeat, held.second} == combination) {
      return false;
    }
  }
  hotKeys.emplace(std::pair{window, id}, std::pair{modifiers, virtualKey});
  return true;
}

bool FakeWindowSystem::UnregisterHotKey(platform::HWnd window, int id) {
  const auto held = hotKeys.find({window, id});
  if (held == hotKeys.end()) {
    ++strayUnregisters;
    return false;
  }
  hotKeys.erase(held);
  return true;
}

std::uintptr_t FakeWindowSystem::SetTimer(platform::HWnd window, std::uintptr_t id, std::uint32_t elapse) {
  if (faults.shouldFail("SetTimer") || !windows_.count(window)) {
    return 0;
  }
  KillTimer(window, id);
  timers_[{window, id}] =
      clock_.start(elapse, [this, window, id] { SendMessageA(window, platform::kWmTimer, id, 0); });
  return id ? id : 1;
}

bool FakeWindowSystem::KillTimer(platform::HWnd window, std::uintptr_t id) {
  const auto timer = timers_.find({window, id});
  if (timer == timers_.end()) {
    return false;
  }
  clock_.stop(timer->second);
  timers_.erase(timer);
  return true;
}

bool FakeWindowSystem::GetCursorPos(platform::Point& point) {
  if (faults.shouldFail("GetCursorPos")) {
    return false;
  }
  point = cursor;
  return true;
}

std::int16_t FakeWindowSystem::GetAsyncKeyState(int virtualKey) {
  const auto key = keysDown.find(virtualKey);
  return key != keysDown.end() && key->second ? static_cast<std::int16_t>(0x8000) : 0;
}

bool FakeWindowSystem::SetForegroundWindow(platform::HWnd window) {
  foreground.push_back(window);
  return true;
}

std::intptr_t FakeWindowSystem::GetWindowLongPtrA(platform::HWnd window, int index) {
  if (index != platform::kGwlpWndProc) {
    return 0;
  }
  const auto procedure = installed_.find(window);
  return procedure == installed_.end() ? kOriginalProcedure : procedure->second;
}

std::intptr_t FakeWindowSystem::SetWindowLongPtrA(platform::HWnd window, int index, std::intptr_t value) {
  if (index != platform::kGwlpWndProc || faults.shouldFail("SetWindowLongPtrA")) {
    return 0;
  }
  const std::intptr_t previous = GetWindowLongPtrA(window, index);
  if (value == kOriginalProcedure) {
    installed_.erase(window);
  } else {
    installed_[window] = value;
  }
  return previous;
}

std::intptr_t FakeWindowSystem::CallWindowProcA(platform::WndProc previous, platform::HWnd window,
                                                std::uint32_t message, std::uintptr_t wParam,
                                                std::intptr_t lParam) {
  if (const auto made = procedures_.find(previous); made != procedures_.end()) {
    const platform::WindowProcedure procedure = made->second.procedure;
    return procedure(window, message, wParam, lParam);
  }
  if (previous == kOriginalProcedure) {
    original.push_back({window, message, wParam, lParam});
  }
  return 0;
}

platform::WndProc FakeWindowSystem::MakeWindowProc(platform::HWnd window,
                                                   platform::WindowProcedure procedure) {
  const platform::WndProc made = nextProcedure_++;
  procedures_[made] = {window, std::move(procedure), false};
  return made;
}

void FakeWindowSystem::FreeWindowProc(platform::HWnd window) {
  std::erase_if(procedures_,
                [window](const auto& made) { return !made.second.own && made.second.window == window; });
}

int FakeWindowSystem::GetSystemMetrics(int index) {
  const auto found = metrics.find(index);
  return found == metrics.end() ? 0 : found->second;
}

platform::HIcon FakeWindowSystem::LoadImageA(int resourceId, int width, int) {
  if (resourceId == 0) {
    return 0;
  }
  const platform::HIcon icon = nextIcon_++;
  icons_[icon] = {resourceId, width};
  return icon;
}

bool FakeWindowSystem::DestroyIcon(platform::HIcon icon) {
  return icons_.erase(icon) != 0;
}

platform::HWnd FakeWindowSystem::windowOf(const std::string& className) const {
  for (const auto& [window, name] : windows_) {
    if (name == className) {
      return window;
    }
  }
  return 0;
}

int FakeWindowSystem::liveHandles() const {
  const auto installed = std::count_if(procedures_.begin(), procedures_.end(),
                                       [](const auto& made) { return !made.second.own; });
  return static_cast<int>(windows_.size() + timers_.size() + installed + icons_.size());
}

int FakeWindowSystem::resourceOf(platform::HIcon icon) const {
  const auto found = icons_.find(icon);
  return found == icons_.end() ? 0 : found->second.resourceId;
}

int FakeWindowSystem::sizeOf(platform::HIcon icon) const {
  const auto found = icons_.find(icon);
  return found == icons_.end() ? 0 : found->second.size;
}

}  // namespace vantrel::fakes
