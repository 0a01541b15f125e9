// The running copy's window as a later start finds it: among the top-level windows of its class, by its
// title.
#include "platform/win32/win32_instances.h"

#include <gtest/gtest.h>

#include "instances_contract.h"
#include "platform/win32/windows_api.h"

namespace vantrel {
namespace {

TEST(Win32Instances, FindsAWindowByItsClassAndReadsItsTitle) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VantrelFindingContract";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  // Hidden, as the running copy's application window is while it sits in the tray.
  HWND window = CreateWindowExA(0, "VantrelFindingContract", "Vantrel contract 2", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  platform::win32::Win32Instances instances;
  contract::checkWindowFinding(instances, reinterpret_cast<platform::HWnd>(window), "VantrelFindingContract",
                               "Vantrel contract 2");
  DestroyWindow(window);
}

}  // namespace
}  // namespace vantrel
