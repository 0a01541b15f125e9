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
  return handles_.erase(handle) != 0;
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

void FakeInstances::Sleep(std::uint32_t ms) {
  slept += ms;
  if (onSleep) {
    onSleep();
  }
}

}  // namespace vantrel::fakes
