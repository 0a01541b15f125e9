#include "fake_instances.h"

#include <algorithm>

namespace vantrel::fakes {

platform::KernelHandle FakeInstances::CreateMutexA(const char* name, bool& alreadyExisted) {
  alreadyExisted = std::any_of(handles_.begin(), handles_.end(),
                               [name](const auto& handle) { return handle.second == name; });
  if (faults.shouldFail("CreateMutexA")) {
    return 0;
  }
  handles_[nextHandle_] = name;
  return nextHandle_++;
}

bool FakeInstances::CloseHandle(platform::KernelHandle handle) {
  const auto found = handles_.find(handle);
  if (found == handles_.end()) {
    return false;
  }
  if (const auto held = holders_.find(found->second); held != holders_.end() && held->second == handle) {
    holders_.erase(held);
  }
  handles_.erase(found);
  return true;
}

bool FakeInstances::WaitForSingleObject(platform::KernelHandle handle, std::uint32_t timeout) {
  if (timeout != 0 && onWait) {
    onWait();
  }
  const auto found = handles_.find(handle);
  if (found == handles_.end()) {
    return false;
  }
  const auto [holder, free] = holders_.emplace(found->second, handle);
  if (!free && holder->second != handle) {
    // A mutex held to the end of the wait: the whole time-out went by.
    slept += timeout;
    return false;
  }
  return true;
}

bool FakeInstances::ReleaseMutex(platform::KernelHandle handle) {
  const auto found = handles_.find(handle);
  if (faults.shouldFail("ReleaseMutex") || found == handles_.end()) {
    return false;
  }
  const auto held = holders_.find(found->second);
  if (held == holders_.end() || held->second != handle) {
    return false;
  }
  holders_.erase(held);
  return true;
}

platform::HWnd FakeInstances::FindWindowExA(platform::HWnd after, const char* className) {
  bool past = after == 0;
  for (const auto& [key, window] : windows) {
    if (past && key.first == className) {
      return window;
    }
    past = past || window == after;
  }
  return 0;
}

std::string FakeInstances::GetWindowTextA(platform::HWnd window) {
  for (const auto& [key, found] : windows) {
    if (found == window) {
      return key.second;
    }
  }
  return {};
}

bool FakeInstances::AllowSetForegroundWindow(platform::HWnd window) {
  allowedForeground.push_back(window);
  return true;
}

std::optional<std::intptr_t> FakeInstances::SendMessageTimeoutA(platform::HWnd window, std::uintptr_t data,
                                                                const std::string& bytes, std::uint32_t) {
  sent.push_back({window, data, bytes});
  if (faults.shouldFail("SendMessageTimeoutA") || !receiver) {
    return std::nullopt;
  }
  return receiver(window, data, bytes);
}

std::optional<std::intptr_t> FakeInstances::SendMessageTimeoutA(platform::HWnd window, std::uint32_t,
                                                                std::uint32_t) {
  ++nullMessages;
  if (nullReceiver) {
    return nullReceiver(window);
  }
  const bool there = std::any_of(windows.begin(), windows.end(),
                                 [window](const auto& found) { return found.second == window; });
  return there ? std::optional<std::intptr_t>(0) : std::nullopt;
}

void FakeInstances::Sleep(std::uint32_t ms) {
  slept += ms;
  if (onSleep) {
    onSleep();
  }
}

}  // namespace vantrel::fakes
