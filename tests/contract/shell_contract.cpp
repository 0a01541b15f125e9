#include "shell_contract.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace vantrel::contract {

void checkShell(platform::Shell& shell, platform::HWnd window) {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  ASSERT_TRUE(shell.DllGetVersion("comctl32.dll", major, minor));
  EXPECT_GE((major << 16) | minor, 0x40047u);

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
  EXPECT_TRUE(shell.Shell_NotifyIconA(platform::kNimSetVersion, data));
  EXPECT_TRUE(shell.Shell_NotifyIconA(platform::kNimDelete, data));
  EXPECT_FALSE(shell.Shell_NotifyIconA(platform::kNimDelete, data));
  EXPECT_FALSE(shell.Shell_NotifyIconA(platform::kNimModify, data));
}

}  // namespace vantrel::contract
