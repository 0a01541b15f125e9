// Win32 only: the window system.
#pragma once

#include "platform/window_system.h"

namespace vantrel::platform::win32 {

class Win32WindowSystem final : public WindowSystem {
 public:
  HWnd CreateWindowExA(const char* className, WindowProcedure procedure) override;
  bool DestroyWindow(HWnd window) override;
  std::intptr_t DefWindowProcA(HWnd window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
  std::intptr_t SendMessageA(HWnd window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  bool PostMessageA(HWnd window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::uint32_t RegisterWindowMessageA(const char* name) override;
  bool GetTokenElevation() override;
  bool WindowStationVisible() override;
  bool ChangeWindowMessageFilterEx(HWnd window, std::uint32_t message) override;
  std::uintptr_t SetTimer(HWnd window, std::uintptr_t id, std::uint32_t elapse) override;
  bool KillTimer(HWnd window, std::uintptr_t id) override;
  bool GetCursorPos(Point& point) override;
  std::int16_t GetAsyncKeyState(int virtualKey) override;
  std::uint32_t GetDoubleClickTime() override;
  int GetSystemMetrics(int index) override;
  bool SetForegroundWindow(HWnd window) override;
  bool RegisterHotKey(HWnd window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
  bool UnregisterHotKey(HWnd window, int id) override;
  std::intptr_t GetWindowLongPtrA(HWnd window, int index) override;
  std::intptr_t SetWindowLongPtrA(HWnd window, int index, std::intptr_t value) override;
  std::intptr_t CallWindowProcA(WndProc previous, HWnd window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) override;
  WndProc MakeWindowProc(HWnd window, WindowProcedure procedure) override;
  void FreeWindowProc(HWnd window) override;
  HIcon LoadImageA(int resourceId, int width, int height) override;
  bool DestroyIcon(HIcon icon) override;
};

}  // namespace vantrel::platform::win32
