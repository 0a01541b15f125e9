#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_window_system.h"
#include "platform/win32/windows_api.h"
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

// As after a re-created taskbar: the icon is gone without the program's doing, and added again.
TEST(Win32Shell, AnIconAddedAgainAfterTheShellLostItStays) {
  platform::win32::Win32WindowSystem windows;
  const platform::HWnd window = windows.CreateWindowExA(
      "VantrelShellLoss",
      [&](platform::HWnd target, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        return windows.DefWindowProcA(target, message, wParam, lParam);
      });
  ASSERT_NE(window, 0u);
  platform::win32::Win32Shell shell;
  platform::NotifyIconDataA data;
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = 2;
  ASSERT_TRUE(shell.Shell_NotifyIconA(platform::kNimAdd, data));
  NOTIFYICONDATAA lost{};
  lost.cbSize = NOTIFYICONDATAA_V2_SIZE;
  lost.hWnd = reinterpret_cast<HWND>(window);
  lost.uID = 2;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost));
  ASSERT_TRUE(shell.Shell_NotifyIconA(platform::kNimAdd, data));
  EXPECT_TRUE(shell.Shell_NotifyIconA(platform::kNimModify, data));
  EXPECT_TRUE(shell.Shell_NotifyIconA(platform::kNimDelete, data));
  windows.DestroyWindow(window);
}

}  // namespace
}  // namespace vantrel
