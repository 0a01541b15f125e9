#include "shell_contract.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace vantrel::contract {

void checkShell(platform::Shell& shell, platform::HWnd window) {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  ASSERT_TRUE(shell.DllGetVersion("comctl32.dll", major, minor));
  EXPECT_GE((major << 16) | minor, 0x40047u);
  // Balloons, which the tray shows after a pass the user started.
  ASSERT_TRUE(shell.DllGetVersion("shell32.dll", major, minor));
  EXPECT_GE(major, 5u);

  platform::NotifyIconDataA data;
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = 1;
  data.uFlags = platform::kNifMessage | platform::kNifTip;
  data.uCallbackMessage = platform::kWmUser + 0x400;
  std::snprintf(data.szTip, sizeof data.szTip, "%s", "Vantrel contract");

  // An icon is there between its add and its delete, and only then can it be changed.
  EXPECT_FALSE(shell.Shell_NotifyIconA(platform::kNimModify, data));
  ASSERT_TRUE(shell.Shell_NotifyIconA(platform::kNimAdd, data));
  EXPECT_FALSE(shell.Shell_NotifyIconA(platform::kNimAdd, data));
  EXPECT_TRUE(shell.Shell_NotifyIconA(platform::kNimModify, data));
  platform::NotifyIconDataA balloon = data;
  balloon.uFlags |= platform::kNifInfo;
  std::snprintf(balloon.szInfo, sizeof balloon.szInfo, "%s", "Freed 1 MB: 1 MB -> 2 MB free");
  std::snprintf(balloon.szInfoTitle, sizeof balloon.szInfoTitle, "%s", "Vantrel");
  balloon.dwInfoFlags = platform::kNiifInfo | platform::kNiifNoSound;
  EXPECT_TRUE(shell.Shell_NotifyIconA(platform::kNimModify, balloon));
  EXPECT_TRUE(shell.Shell_NotifyIconA(platform::kNimSetVersion, data));
  EXPECT_TRUE(shell.Shell_NotifyIconA(platform::kNimDelete, data));
  EXPECT_FALSE(shell.Shell_NotifyIconA(platform::kNimDelete, data));
  EXPECT_FALSE(shell.Shell_NotifyIconA(platform::kNimModify, data));
}

}  // namespace vantrel::contract
