#include "platform/win32/win32_window_system.h"

#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"
#include "window_system_contract.h"

namespace vantrel {
namespace {

// Lets `ms` pass while the thread's messages are delivered.
void pump(std::uint32_t ms) {
  const DWORD end = GetTickCount() + ms;
  for (DWORD now = GetTickCount(); static_cast<LONG>(end - now) > 0; now = GetTickCount()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&message);
    }
  }
}

TEST(Win32WindowSystem, KeepsTheWindowSystemContract) {
  platform::win32::Win32WindowSystem windows;
  contract::checkWindowSystem(windows, pump);
}

}  // namespace
}  // namespace vantrel
