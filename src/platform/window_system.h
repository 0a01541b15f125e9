// The window system, for components that keep windows of their own beside the framework's (the tray icon,
// the simple timer): hidden windows with procedures written here, window timers on them, a window procedure
// replaced and chained, the pointer, the keys and the foreground.
//
// Where the line to the framework runs: the framework's own windows (the application window, forms and
// controls, TTimer, image lists, menus, the application window's visibility) and the message loop belong to
// NativeApplication (framework/native.h), which mirrors framework objects. Whatever a component does to a
// window by handle, the way a Windows call does, belongs here; so does every icon handle a component owns.
#pragma once

#include <cstdint>
#include <functional>

namespace vantrel::platform {

using HWnd = std::uintptr_t;
using HIcon = std::uintptr_t;
// A window procedure as the system stores it (GWLP_WNDPROC).
using WndProc = std::intptr_t;
using WindowProcedure = std::function<std::intptr_t(HWnd window, std::uint32_t message, std::uintptr_t wParam,
                                                    std::intptr_t lParam)>;

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const Point&) const = default;
};

constexpr std::uint32_t kWmNull = 0x0000;
constexpr std::uint32_t kWmDestroy = 0x0002;
constexpr std::uint32_t kWmSize = 0x0005;
constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmQueryEndSession = 0x0011;
constexpr std::uint32_t kWmQuit = 0x0012;
constexpr std::uint32_t kWmEndSession = 0x0016;
constexpr std::uint32_t kWmShowWindow = 0x0018;
constexpr std::uint32_t kWmNcDestroy = 0x0082;
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uint32_t kWmTimer = 0x0113;
constexpr std::uint32_t kWmHotKey = 0x0312;
constexpr std::uint32_t kWmMouseMove = 0x0200;
constexpr std::uint32_t kWmLButtonDown = 0x0201;
constexpr std::uint32_t kWmLButtonUp = 0x0202;
constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
constexpr std::uint32_t kWmRButtonDown = 0x0204;
constexpr std::uint32_t kWmRButtonUp = 0x0205;
constexpr std::uint32_t kWmMButtonDown = 0x0207;
constexpr std::uint32_t kWmMButtonUp = 0x0208;
constexpr std::uint32_t kWmUser = 0x0400;

constexpr std::uintptr_t kSizeMinimized = 1;
constexpr std::uintptr_t kScMinimize = 0xF020;
constexpr std::uintptr_t kScRestore = 0xF120;
constexpr std::intptr_t kSwParentClosing = 1;

constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;

constexpr int kGwlpWndProc = -4;

// RegisterHotKey's modifiers.
constexpr std::uint32_t kModAlt = 0x0001;
constexpr std::uint32_t kModControl = 0x0002;
constexpr std::uint32_t kModShift = 0x0004;
// A key held down sends one WM_HOTKEY, not one per repeat; from Windows 7 on.
constexpr std::uint32_t kModNoRepeat = 0x4000;

// GetSystemMetrics: the big and the small icon's sizes at the system's DPI.
constexpr int kSmCxIcon = 11;
constexpr int kSmCyIcon = 12;
constexpr int kSmCxSmIcon = 49;
constexpr int kSmCySmIcon = 50;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // A hidden top-level window of `className` (registered on first use) whose every message goes to
  // `procedure`; 0 when it cannot be made.
  virtual HWnd CreateWindowExA(const char* className, WindowProcedure procedure) = 0;
  virtual bool DestroyWindow(HWnd window) = 0;
  virtual std::intptr_t DefWindowProcA(HWnd window, std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam) = 0;
  virtual std::intptr_t SendMessageA(HWnd window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
  virtual bool PostMessageA(HWnd window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam) = 0;
  // The same number for the same name throughout the session, from 0xC000 on; 0 on failure.
  virtual std::uint32_t RegisterWindowMessageA(const char* name) = 0;
  // Whether this process runs elevated (GetTokenInformation with TokenElevation); false where the system has
  // no elevation.
  virtual bool GetTokenElevation() = 0;
  // Whether this process's window station is the one shown to the user (GetProcessWindowStation, then
  // GetUserObjectInformationW with UOI_FLAGS: WSF_VISIBLE); a task run without a desktop has one that is not,
  // where a message box would wait for ever. True where the system cannot tell.
  virtual bool WindowStationVisible() = 0;
  // Lets `message` reach `window` from processes of a lower integrity level (MSGFLT_ALLOW); where there is
  // only the process-wide filter, lets it reach every window of the process. False where the system has no
  // such filter, or refuses.
  virtual bool ChangeWindowMessageFilterEx(HWnd window, std::uint32_t message) = 0;

  // Starts or restarts window timer `id` of `window`: WM_TIMER with wParam `id` every `elapse` ms. Non-zero
  // on success.
  virtual std::uintptr_t SetTimer(HWnd window, std::uintptr_t id, std::uint32_t elapse) = 0;
  // False when no such timer runs.
  virtual bool KillTimer(HWnd window, std::uintptr_t id) = 0;

  virtual bool GetCursorPos(Point& point) = 0;
  // The top bit (0x8000) is set while the key is down.
  virtual std::int16_t GetAsyncKeyState(int virtualKey) = 0;
  virtual std::uint32_t GetDoubleClickTime() = 0;
  // A size the system uses (kSmCxSmIcon: the notification area's icons), in pixels at the system's DPI.
  virtual int GetSystemMetrics(int index) = 0;
  virtual bool SetForegroundWindow(HWnd window) = 0;
  // A key combination for the whole session: WM_HOTKEY with wParam `id` reaches `window` whenever it is
  // pressed. False when a program (this one included) holds the combination already.
  virtual bool RegisterHotKey(HWnd window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) = 0;
  // False when `window` holds no combination of that id.
  virtual bool UnregisterHotKey(HWnd window, int id) = 0;

  virtual std::intptr_t GetWindowLongPtrA(HWnd window, int index) = 0;
  // Returns the previous value; 0 on failure.
  virtual std::intptr_t SetWindowLongPtrA(HWnd window, int index, std::intptr_t value) = 0;
  virtual std::intptr_t CallWindowProcA(WndProc previous, HWnd window, std::uint32_t message,
                                        std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // A procedure written here in the form that SetWindowLongPtrA(kGwlpWndProc) installs on `window`; one per
  // window. FreeWindowProc releases it once it is taken out again.
  virtual WndProc MakeWindowProc(HWnd window, WindowProcedure procedure) = 0;
  virtual void FreeWindowProc(HWnd window) = 0;

  // Icon `resourceId` of the executable's resources at the given size; 0 when there is none.
  virtual HIcon LoadImageA(int resourceId, int width, int height) = 0;
  virtual bool DestroyIcon(HIcon icon) = 0;
};

}  // namespace vantrel::platform
