// The session as a test arranges it: named mutexes opened and held by handle (each handle stands for the
// process that holds it: closing the handle that holds a mutex leaves it free, as the end of its holder
// does), the top-level windows by class and title, and a receiver standing in for the running copy's window
// procedure. Sleeping takes no time; it calls `onSleep`.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fault_plan.h"
#include "platform/instances.h"

namespace vantrel::fakes {

class FakeInstances final : public platform::Instances {
 public:
  platform::KernelHandle CreateMutexA(const char* name, bool& alreadyExisted) override;
  bool CloseHandle(platform::KernelHandle handle) override;
  bool WaitForSingleObject(platform::KernelHandle handle, std::uint32_t timeout) override;
  bool ReleaseMutex(platform::KernelHandle handle) override;
  platform::HWnd FindWindowExA(platform::HWnd after, const char* className) override;
  std::string GetWindowTextA(platform::HWnd window) override;
  bool AllowSetForegroundWindow(platform::HWnd window) override;
  std::optional<std::intptr_t> SendMessageTimeoutA(platform::HWnd window, std::uintptr_t data,
                                                   const std::string& bytes, std::uint32_t timeout) override;
  std::optional<std::intptr_t> SendMessageTimeoutA(platform::HWnd window, std::uint32_t message,
                                                   std::uint32_t timeout) override;
  void Sleep(std::uint32_t ms) override;

  // Handles still open.
  int liveHandles() const { return static_cast<int>(handles_.size()); }

  FaultPlan faults;  // calls: "CreateMutexA", "ReleaseMutex", "SendMessageTimeoutA"
  // By class and title, in the order FindWindowExA finds them.
  std::map<std::pair<std::string, std::string>, platform::HWnd> windows;
  // The answer of the window a copy hands data to; none stands for a window that does not answer.
  std::function<std::optional<std::intptr_t>(platform::HWnd, std::uintptr_t, const std::string&)> receiver;
  struct Sent {
    platform::HWnd window;
    std::uintptr_t data;
    std::string bytes;
    bool operator==(const Sent&) const = default;
  };
  std::vector<Sent> sent;
  // The answer to a message without data (kWmNull); none: a window that is still busy. Unset: any window
  // FindWindowExA finds answers 0.
  std::function<std::optional<std::intptr_t>(platform::HWnd)> nullReceiver;
  int nullMessages = 0;
  std::vector<platform::HWnd> allowedForeground;
  // Time spent in Sleep and in waits for a mutex that stayed held.
  std::uint64_t slept = 0;
  std::function<void()> onSleep;
  // Called when a mutex is waited for with a time-out, before it is looked at.
  std::function<void()> onWait;

 private:
  std::map<platform::KernelHandle, std::string> handles_;  // mutex names by handle
  std::map<std::string, platform::KernelHandle> holders_;  // the handle that holds each held mutex
  platform::KernelHandle nextHandle_ = 0x40;
};

}  // namespace vantrel::fakes
