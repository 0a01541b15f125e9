// The copies of this program in the user's session: a named object that the running copy holds, the running
// copy's window, and data handed to that window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/window_system.h"

namespace vantrel::platform {

using KernelHandle = std::uintptr_t;

constexpr std::uint32_t kWmCopyData = 0x004A;

class Instances {
 public:
  virtual ~Instances() = default;

  // Creates the named mutex, or opens it when it exists; `alreadyExisted` tells whether a process had made it
  // before (also when it belongs to another user, who denies this one access). 0 when it cannot be had.
  virtual KernelHandle CreateMutexA(const char* name, bool& alreadyExisted) = 0;
  virtual bool CloseHandle(KernelHandle handle) = 0;
  // The top-level window of that class and title; 0 when there is none.
  virtual HWnd FindWindowA(const char* className, const char* windowName) = 0;
  // Lets the process that owns `window` put its windows in front, as this one may (AllowSetForegroundWindow
  // for the process of GetWindowThreadProcessId).
  virtual bool AllowSetForegroundWindow(HWnd window) = 0;
  // WM_COPYDATA with `data` and a copy of `bytes`, waiting at most `timeout` ms (SendMessageTimeoutA); the
  // window's answer, or none when it did not answer in time or is gone.
  virtual std::optional<std::intptr_t> SendMessageTimeoutA(HWnd window, std::uintptr_t data,
                                                           const std::string& bytes,
                                                           std::uint32_t timeout) = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
};

}  // namespace vantrel::platform
