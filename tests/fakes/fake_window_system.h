// A window system without a screen: hidden windows whose procedures a test sends messages to, window timers
// on a shared manual clock, a pointer, keys and a double-click time you set, and a record of what was done to
// which window. Windows it did not make (the framework's) have a stand-in original procedure.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fake_clock.h"
#include "fault_plan.h"
#include "platform/window_system.h"

namespace vantrel::fakes {

class FakeWindowSystem final : public platform::WindowSystem {
 public:
  explicit FakeWindowSystem(FakeClock& clock) : clock_(clock) {}
  ~FakeWindowSystem() override;

  platform::HWnd CreateWindowExA(const char* className, platform::WindowProcedure procedure) override;
  bool DestroyWindow(platform::HWnd window) override;
  std::intptr_t DefWindowProcA(platform::HWnd window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
  std::intptr_t SendMessageA(platform::HWnd window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  bool PostMessageA(platform::HWnd window, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam) override;
  std::uint32_t RegisterWindowMessageA(const char* name) override;
  bool GetTokenElevation() override { return elevated; }
  bool WindowStationVisible() override { return stationVisible; }
  bool ChangeWindowMessageFilterEx(platform::HWnd window, std::uint32_t message) override;
  std::uintptr_t SetTimer(platform::HWnd window, std::uintptr_t id, std::uint32_t elapse) override;
  bool KillTimer(platform::HWnd window, std::uintptr_t id) override;
  bool GetCursorPos(platform::Point& point) override;
  std::int16_t GetAsyncKeyState(int virtualKey) override;
  std::uint32_t GetDoubleClickTime() override { return doubleClickTime; }
  int GetSystemMetrics(int index) override;
  bool SetForegroundWindow(platform::HWnd window) override;
  bool RegisterHotKey(platform::HWnd window, int id, std::uint32_t modifiers,
                      std::uint32_t virtualKey) override;
  bool UnregisterHotKey(platform::HWnd window, int id) override;
  std::intptr_t GetWindowLongPtrA(platform::HWnd window, int index) override;
  std::intptr_t SetWindowLongPtrA(platform::HWnd window, int index, std::intptr_t value) override;
  std::intptr_t CallWindowProcA(platform::WndProc previous, platform::HWnd window, std::uint32_t message,
                                std::uintptr_t wParam, std::intptr_t lParam) override;
  platform::WndProc MakeWindowProc(platform::HWnd window, platform::WindowProcedure procedure) override;
  void FreeWindowProc(platform::HWnd window) override;
  platform::HIcon LoadImageA(int resourceId, int width, int height) override;
  bool DestroyIcon(platform::HIcon icon) override;

  // The live hidden window of a class; 0 when there is none.
  platform::HWnd windowOf(const std::string& className) const;
  // Handles that are still to be given back: windows, timers, installed procedures and icons.
  int liveHandles() const;
  int liveIcons() const { return static_cast<int>(icons_.size()); }
  // The resource an icon handle was loaded from; 0 for none.
  int resourceOf(platform::HIcon icon) const;
  // The size an icon handle was loaded at.
  int sizeOf(platform::HIcon icon) const;

  // The value GetWindowLongPtrA(kGwlpWndProc) gives for a window whose procedure nobody replaced.
  static constexpr platform::WndProc kOriginalProcedure = 0x7E57;

  struct Message {
    platform::HWnd window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const Message&) const = default;
  };
  // Messages that reached a window's original procedure, and those posted, in order.
  std::vector<Message> original;
  std::vector<Message> posted;
  // The windows put in the foreground, in order.
  std::vector<platform::HWnd> foreground;
  // The messages let through the message filter, and to which window.
  std::vector<std::pair<platform::HWnd, std::uint32_t>> allowed;
  // The key combinations registered, by window and id: (modifiers, virtual key). As on Windows, a second
  // combination under a window and id already used is kept beside the first, which stays until unregistered.
  std::multimap<std::pair<platform::HWnd, int>, std::pair<std::uint32_t, std::uint32_t>> hotKeys;
  // Whether RegisterHotKey knows kModNoRepeat (Windows 7 on); an older system refuses it.
  bool noRepeat = true;
  // Combinations that other programs hold, without kModNoRepeat: RegisterHotKey refuses them.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> heldElsewhere;
  // UnregisterHotKey calls for a window and id that held nothing, which Windows answers with an error.
  int strayUnregisters = 0;
  bool elevated = false;
  bool stationVisible = true;

  platform::Point cursor{100, 200};
  std::map<int, bool> keysDown;
  std::uint32_t doubleClickTime = 500;
  // GetSystemMetrics's answers; 0 for any other index. 96 DPI unless a test sets another small-icon size.
  std::map<int, int> metrics{{platform::kSmCxIcon, 32},
                             {platform::kSmCyIcon, 32},
                             {platform::kSmCxSmIcon, 16},
                             {platform::kSmCySmIcon, 16}};
  FaultPlan faults;  // calls: "CreateWindowExA", "SetTimer", "GetCursorPos", "SetWindowLongPtrA"

 private:
  FakeClock& clock_;
  struct Procedure {
    platform::HWnd window;
    platform::WindowProcedure procedure;
    bool own;  // the procedure a hidden window was made with
  };
  std::map<platform::HWnd, std::string> windows_;  // by class name
  std::map<std::pair<platform::HWnd, std::uintptr_t>, std::uint64_t> timers_;
  std::map<platform::HWnd, platform::WndProc> installed_;
  std::map<platform::WndProc, Procedure> procedures_;
  struct LoadedIcon {
    int resourceId;
    int size;
  };
  std::map<platform::HIcon, LoadedIcon> icons_;
  std::map<std::string, std::uint32_t> messages_;
  platform::HWnd nextWindow_ = 0x1000;
  platform::WndProc nextProcedure_ = 0x5000;
  platform::HIcon nextIcon_ = 0x9000;
};

}  // namespace vantrel::fakes
