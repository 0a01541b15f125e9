#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_window_system.h"
#include "platform/win32/windows_api.h"
#include "shell_contract.h"

namespace vantrel {
namespace {

// A hidden window to own the icons, gone with the test.
struct IconOwner {
  IconOwner()
      : window(
            windows.CreateWindowExA("VantrelShellTest", [this](platform::HWnd target, std::uint32_t message,
                                                               std::uintptr_t wParam, std::intptr_t lParam) {
              return windows.DefWindowProcA(target, message, wParam, lParam);
            })) {}
  ~IconOwner() { windows.DestroyWindow(window); }
  IconOwner(const IconOwner&) = delete;
  IconOwner& operator=(const IconOwner&) = delete;

  platform::win32::Win32WindowSystem windows;
  const platform::HWnd window;
};

TEST(Win32Shell, KeepsTheShellContract) {
  IconOwner owner;
  ASSERT_NE(owner.window, 0u);
  platform::win32::Win32Shell shell;
  contract::checkShell(shell, owner.window);
}

// As after a re-created taskbar: the icon is gone without the program's doing, and added again.
TEST(Win32Shell, AnIconAddedAgainAfterTheShellLostItStays) {
  IconOwner owner;
  const platform::HWnd window = owner.window;
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
}

}  // namespace
}  // namespace vantrel
