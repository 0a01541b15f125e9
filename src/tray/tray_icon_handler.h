// The hidden window shared by every tray icon of the process: the shell sends it each icon's callbacks, and
// it hands them to the icon named by their id. It lives from the first icon made to the last one gone.
#pragma once

#include <cstdint>
#include <map>

#include "platform/window_system.h"

namespace vantrel {

class TTrayIcon;

class TTrayIconHandler {
 public:
  // Takes a use for `icon`, making the window first when there is none; returns the icon's id.
  static std::uint32_t use(platform::WindowSystem& windows, TTrayIcon& icon);
  // Gives the use up; the last one destroys the window.
  static void release(std::uint32_t id);
  // The shared window; 0 when there is none.
  static platform::HWnd window();

 private:
  explicit TTrayIconHandler(platform::WindowSystem& windows);
  ~TTrayIconHandler();
  TTrayIconHandler(const TTrayIconHandler&) = delete;
  TTrayIconHandler& operator=(const TTrayIconHandler&) = delete;

  std::intptr_t windowProc(platform::HWnd window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam);
  void callback(std::uintptr_t id, std::intptr_t message);

  platform::WindowSystem& windows_;
  platform::HWnd window_;
  // The live icons by id; their number is the use count.
  std::map<std::uint32_t, TTrayIcon*> icons_;
};

}  // namespace vantrel
