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
  return free || holder->second == handle;
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

platform::HWnd FakeInstances::FindWindowA(const char* className, const char* windowName) {
  const auto found = windows.find({className, windowName});
  return found == windows.end() ? 0 : found->second;
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
