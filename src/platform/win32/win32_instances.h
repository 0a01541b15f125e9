// Win32 only: the copies of this program in the user's session.
#pragma once

#include "platform/instances.h"

namespace vantrel::platform::win32 {

class Win32Instances final : public Instances {
 public:
  KernelHandle CreateMutexA(const char* name, bool& alreadyExisted) override;
  bool CloseHandle(KernelHandle handle) override;
  bool WaitForSingleObject(KernelHandle handle, std::uint32_t timeout) override;
  bool ReleaseMutex(KernelHandle handle) override;
  HWnd FindWindowExA(HWnd after, const char* className) override;
  std::string GetWindowTextA(HWnd window) override;
  bool AllowSetForegroundWindow(HWnd window) override;
  std::optional<std::intptr_t> SendMessageTimeoutA(HWnd window, std::uintptr_t data, const std::string& bytes,
                                                   std::uint32_t timeout) override;
  std::optional<std::intptr_t> SendMessageTimeoutA(HWnd window, std::uint32_t message,
                                                   std::uint32_t timeout) override;
  void Sleep(std::uint32_t ms) override;
};

}  // namespace vantrel::platform::win32
