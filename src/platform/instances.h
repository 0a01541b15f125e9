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
  // Takes the mutex for this thread (WaitForSingleObject): true when it is now held here, also when its
  // holder ended without giving it back (WAIT_ABANDONED); false when another holds it after `timeout` ms.
  virtual bool WaitForSingleObject(KernelHandle handle, std::uint32_t timeout) = 0;
  // Gives back a mutex that this thread holds.
  virtual bool ReleaseMutex(KernelHandle handle) = 0;
  // The next top-level window of that class after `after` (0: the first one); 0 when there is none more.
  virtual HWnd FindWindowExA(HWnd after, const char* className) = 0;
  // The title of a top-level window, also of another process's, read without sending it a message; empty
  // when it has none or is gone.
  virtual std::string GetWindowTextA(HWnd window) = 0;
  // Lets the process that owns `window` put its windows in front, as this one may (AllowSetForegroundWindow
  // for the process of GetWindowThreadProcessId).
  virtual bool AllowSetForegroundWindow(HWnd window) = 0;
  // WM_COPYDATA with `data` and a copy of `bytes`, waiting at most `timeout` ms (SendMessageTimeoutA); the
  // window's answer, or none when it did not answer in time or is gone. A message whose wait timed out stays
  // with the window, which handles it once it is free again, after what was sent to it before.
  virtual std::optional<std::intptr_t> SendMessageTimeoutA(HWnd window, std::uintptr_t data,
                                                           const std::string& bytes,
                                                           std::uint32_t timeout) = 0;
  // `message` without parameters (kWmNull), the same way.
  virtual std::optional<std::intptr_t> SendMessageTimeoutA(HWnd window, std::uint32_t message,
                                                           std::uint32_t timeout) = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
};

}  // namespace vantrel::platform
