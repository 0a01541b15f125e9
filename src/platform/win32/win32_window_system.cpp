// Win32 only: hidden windows whose procedures are portable functions, window timers, the pointer, the keys,
// the foreground and replacing window procedures.
#include "platform/win32/win32_window_system.h"

#include <map>
#include <memory>
#include <string>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

namespace {

// The procedures of the hidden windows made here, and those installed on other windows, by window. A
// procedure may destroy its own window, so each call works on a copy.
std::map<HWND, WindowProcedure>& ownProcedures() {
  static std::map<HWND, WindowProcedure> procedures;
  return procedures;
}
std::map<HWND, WindowProcedure>& installedProcedures() {
  static std::map<HWND, WindowProcedure> procedures;
  return procedures;
}

// An error must not cross the system's frames: what a procedure lets escape is dropped here.
LRESULT call(const std::map<HWND, WindowProcedure>& procedures, HWND window, UINT message, WPARAM wParam,
             LPARAM lParam) {
  const auto found = procedures.find(window);
  if (found == procedures.end()) {
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  const WindowProcedure procedure = found->second;
  try {
    return procedure(reinterpret_cast<HWnd>(window), message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT CALLBACK hiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return call(ownProcedures(), window, message, wParam, lParam);
}

LRESULT CALLBACK installedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return call(installedProcedures(), window, message, wParam, lParam);
}

HWND native(HWnd window) {
  return reinterpret_cast<HWND>(window);
}

// A function of user32 that older systems lack; nullptr there.
template <typename Function>
Function user32Function(const char* name) {
  return SystemCall<Function>(GetModuleHandleA("user32.dll"), name);
}

// TokenElevation and its answer, which the headers name only for Vista on.
constexpr int kTokenElevation = 20;
struct TokenElevationAnswer {
  DWORD elevated;
};
constexpr DWORD kMessageFilterAllow = 1;

}  // namespace

HWnd Win32WindowSystem::CreateWindowExA(const char* className, WindowProcedure procedure) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, className, &windowClass)) {
    windowClass.lpfnWndProc = hiddenWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass)) {
      return 0;
    }
  }
  // Top-level, so that broadcasts reach it; never shown.
  HWND window =
      ::CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  if (window) {
    ownProcedures()[window] = std::move(procedure);
  }
  return reinterpret_cast<HWnd>(window);
}

bool Win32WindowSystem::DestroyWindow(HWnd window) {
  const bool destroyed = ::DestroyWindow(native(window)) != FALSE;
  ownProcedures().erase(native(window));
  return destroyed;
}

std::intptr_t Win32WindowSystem::DefWindowProcA(HWnd window, std::uint32_t message, std::uintptr_t wParam,
                                                std::intptr_t lParam) {
  return ::DefWindowProcA(native(window), message, wParam, lParam);
}

std::intptr_t Win32WindowSystem::SendMessageA(HWnd window, std::uint32_t message, std::uintptr_t wParam,
                                              std::intptr_t lParam) {
  return ::SendMessageA(native(window), message, wParam, lParam);
}

bool Win32WindowSystem::PostMessageA(HWnd window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
  return ::PostMessageA(native(window), message, wParam, lParam) != FALSE;
}

std::uint32_t Win32WindowSystem::RegisterWindowMessageA(const char* name) {
  return ::RegisterWindowMessageA(name);
}

bool Win32WindowSystem::GetTokenElevation() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    return false;
  }
  const ScopedKernelHandle owned(token);
  TokenElevationAnswer answer{};
  DWORD size = 0;
  // Before Vista the class is unknown and the call fails: nothing runs elevated there.
  return GetTokenInformation(token, static_cast<TOKEN_INFORMATION_CLASS>(kTokenElevation), &answer,
                             sizeof answer, &size) &&
         answer.elevated != 0;
}

bool Win32WindowSystem::WindowStationVisible() {
  USEROBJECTFLAGS flags{};
  DWORD size = 0;
  if (!GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, &size)) {
    return true;
  }
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}

bool Win32WindowSystem::ChangeWindowMessageFilterEx(HWnd window, std::uint32_t message) {
  using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
  static const auto perWindow = user32Function<PerWindow>("ChangeWindowMessageFilterEx");
  static const auto perProcess = user32Function<PerProcess>("ChangeWindowMessageFilter");
  if (perWindow) {
    return perWindow(native(window), message, kMessageFilterAllow, nullptr) != FALSE;
  }
  // Vista has only the filter of the whole process.
  return perProcess && perProcess(message, kMessageFilterAllow) != FALSE;
}

std::uintptr_t Win32WindowSystem::SetTimer(HWnd window, std::uintptr_t id, std::uint32_t elapse) {
  return ::SetTimer(native(window), id, elapse, nullptr);
}

bool Win32WindowSystem::KillTimer(HWnd window, std::uintptr_t id) {
  return ::KillTimer(native(window), id) != FALSE;
}

bool Win32WindowSystem::GetCursorPos(Point& point) {
  POINT at;
  if (!::GetCursorPos(&at)) {
    return false;
  }
  point = {at.x, at.y};
  return true;
}

std::int16_t Win32WindowSystem::GetAsyncKeyState(int virtualKey) {
  return ::GetAsyncKeyState(virtualKey);
}

std::uint32_t Win32WindowSystem::GetDoubleClickTime() {
  return ::GetDoubleClickTime();
}

int Win32WindowSystem::GetSystemMetrics(int index) {
  return ::GetSystemMetrics(index);
}

bool Win32WindowSystem::SetForegroundWindow(HWnd window) {
  return ::SetForegroundWindow(native(window)) != FALSE;
}

bool Win32WindowSystem::RegisterHotKey(HWnd window, int id, std::uint32_t modifiers,
                                       std::uint32_t virtualKey) {
  return ::RegisterHotKey(native(window), id, modifiers, virtualKey) != FALSE;
}

bool Win32WindowSystem::UnregisterHotKey(HWnd window, int id) {
  return ::UnregisterHotKey(native(window), id) != FALSE;
}

std::intptr_t Win32WindowSystem::GetWindowLongPtrA(HWnd window, int index) {
  return ::GetWindowLongPtrA(native(window), index);
}

std::intptr_t Win32WindowSystem::SetWindowLongPtrA(HWnd window, int index, std::intptr_t value) {
  return ::SetWindowLongPtrA(native(window), index, value);
}

std::intptr_t Win32WindowSystem::CallWindowProcA(WndProc previous, HWnd window, std::uint32_t message,
                                                 std::uintptr_t wParam, std::intptr_t lParam) {
  return ::CallWindowProcA(reinterpret_cast<WNDPROC>(previous), native(window), message, wParam, lParam);
}

WndProc Win32WindowSystem::MakeWindowProc(HWnd window, WindowProcedure procedure) {
  installedProcedures()[native(window)] = std::move(procedure);
  return reinterpret_cast<WndProc>(installedWindowProc);
}

void Win32WindowSystem::FreeWindowProc(HWnd window) {
  installedProcedures().erase(native(window));
}

HIcon Win32WindowSystem::LoadImageA(int resourceId, int width, int height) {
  return reinterpret_cast<HIcon>(
      ::LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_ICON, width, height, 0));
}

bool Win32WindowSystem::DestroyIcon(HIcon icon) {
  return ::DestroyIcon(reinterpret_cast<HICON>(icon)) != FALSE;
}

}  // namespace vantrel::platform::win32
