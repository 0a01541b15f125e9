#include "window_system_contract.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantrel::contract {

namespace {

using platform::HWnd;

constexpr std::uint32_t kProbe = platform::kWmUser + 7;

struct Seen {
  std::uint32_t message;
  std::uintptr_t wParam;
  bool operator==(const Seen&) const = default;
};

}  // namespace

void checkWindowSystem(platform::WindowSystem& windows, const std::function<void(std::uint32_t ms)>& wait) {
  std::vector<Seen> seen;
  const HWnd window = windows.CreateWindowExA(
      "VantrelContract",
      [&](HWnd target, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        if (message == kProbe || message == platform::kWmTimer) {
          seen.push_back({message, wParam});
          return message == kProbe ? lParam + 1 : 0;
        }
        return windows.DefWindowProcA(target, message, wParam, lParam);
      });
  ASSERT_NE(window, 0u);
  EXPECT_EQ(windows.SendMessageA(window, kProbe, 3, 41), 42);
  EXPECT_EQ(seen, (std::vector<Seen>{{kProbe, 3}}));

  // A window timer delivers WM_TIMER with its id until it is killed; killing it twice fails.
  seen.clear();
  EXPECT_NE(windows.SetTimer(window, 0x1234, 30), 0u);
  for (int waited = 0; waited < 2000 && seen.size() < 2; waited += 10) {
    wait(10);
  }
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], (Seen{platform::kWmTimer, 0x1234}));
  EXPECT_TRUE(windows.KillTimer(window, 0x1234));
  EXPECT_FALSE(windows.KillTimer(window, 0x1234));
  EXPECT_FALSE(windows.KillTimer(window, 0x4321));
  seen.clear();
  wait(100);
  EXPECT_TRUE(seen.empty());

  // A combination is held once in the session: not again under another id; given back once.
  constexpr std::uint32_t kRareCombination = platform::kModControl | platform::kModAlt | platform::kModShift;
  ASSERT_TRUE(windows.RegisterHotKey(window, 1, kRareCombination, 'J'));
  EXPECT_FALSE(windows.RegisterHotKey(window, 2, kRareCombination, 'J'));
  EXPECT_TRUE(windows.UnregisterHotKey(window, 1));
  EXPECT_FALSE(windows.UnregisterHotKey(window, 1));
  EXPECT_FALSE(windows.UnregisterHotKey(window, 2));

  const std::uint32_t created = windows.RegisterWindowMessageA("TaskbarCreated");
  EXPECT_GE(created, 0xC000u);
  EXPECT_EQ(windows.RegisterWindowMessageA("TaskbarCreated"), created);
  EXPECT_NE(windows.RegisterWindowMessageA("VantrelContractMessage"), created);
  EXPECT_GT(windows.GetDoubleClickTime(), 0u);
  // Square icons, the small ones at least 16 pixels and smaller than the big ones.
  const int small = windows.GetSystemMetrics(platform::kSmCxSmIcon);
  EXPECT_GE(small, 16);
  EXPECT_EQ(windows.GetSystemMetrics(platform::kSmCySmIcon), small);
  EXPECT_GT(windows.GetSystemMetrics(platform::kSmCxIcon), small);
  platform::Point pointer;
  EXPECT_TRUE(windows.GetCursorPos(pointer));

  // A procedure put in place of a window's own gets its messages first and may hand them on.
  std::vector<std::uint32_t> replaced;
  const platform::WndProc own = windows.GetWindowLongPtrA(window, platform::kGwlpWndProc);
  ASSERT_NE(own, 0);
  const platform::WndProc replacement = windows.MakeWindowProc(
      window, [&](HWnd target, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        replaced.push_back(message);
        return windows.CallWindowProcA(own, target, message, wParam, lParam);
      });
  EXPECT_EQ(windows.SetWindowLongPtrA(window, platform::kGwlpWndProc, replacement), own);
  seen.clear();
  EXPECT_EQ(windows.SendMessageA(window, kProbe, 5, 1), 2);
  EXPECT_EQ(replaced, (std::vector<std::uint32_t>{kProbe}));
  EXPECT_EQ(seen, (std::vector<Seen>{{kProbe, 5}}));
  EXPECT_EQ(windows.SetWindowLongPtrA(window, platform::kGwlpWndProc, own), replacement);
  windows.FreeWindowProc(window);
  replaced.clear();
  windows.SendMessageA(window, kProbe, 6, 1);
  EXPECT_TRUE(replaced.empty());

  EXPECT_TRUE(windows.DestroyWindow(window));
  EXPECT_FALSE(windows.DestroyWindow(window));
  EXPECT_EQ(windows.SetTimer(window, 1, 30), 0u);
}

}  // namespace vantrel::contract
