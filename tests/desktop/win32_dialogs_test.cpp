#include "platform/win32/win32_dialogs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/win32/windows_api.h"

namespace vantrel {
namespace {

TEST(Win32Dialogs, AQuitAlreadyAskedForWaitsUntilTheMessageBoxIsClosed) {
  constexpr char kCaption[] = "Vantrel quit test";
  PostQuitMessage(3);
  // A person finds the box, reads it for a moment and clicks OK.
  std::atomic<bool> stayed{false};
  std::thread person([&] {
    HWND box = nullptr;
    for (int tries = 0; tries < 100 && !box; ++tries) {
      Sleep(50);
      box = FindWindowA(nullptr, kCaption);
    }
    Sleep(500);
    stayed = box && IsWindow(box) && IsWindowVisible(box);
    if (box) {
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  });
  platform::win32::Win32Dialogs dialogs;
  const int answer = dialogs.MessageBoxW(0, u"Unable to write", u"Vantrel quit test", MB_OK | MB_ICONSTOP);
  person.join();
  EXPECT_TRUE(stayed);
  EXPECT_EQ(answer, IDOK);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is lost";
  EXPECT_EQ(message.wParam, 3u);
}

}  // namespace
}  // namespace vantrel
