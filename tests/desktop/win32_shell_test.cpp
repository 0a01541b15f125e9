#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_window_system.h"
#include "shell_contract.h"

namespace vantrel {
namespace {

TEST(Win32Shell, KeepsTheShellContract) {
  platform::win32::Win32WindowSystem windows;
  const platform::HWnd window = windows.CreateWindowExA(
      "VantrelShellContract",
      [&](platform::HWnd target, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        return windows.DefWindowProcA(target, message, wParam, lParam);
      });
  ASSERT_NE(window, 0u);
  platform::win32::Win32Shell shell;
  contract::checkShell(shell, window);
  windows.DestroyWindow(window);
}

}  // namespace
}  // namespace vantrel
