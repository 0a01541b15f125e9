#include "tray/tray_icon_handler.h"

#include "tray/tray_icon.h"

namespace vantrel {

namespace {

TTrayIconHandler* instance = nullptr;
// Ids are never given twice in a process, so a late callback for an icon that is gone names nobody. An
// address would not do: the shell's id has 32 bits, an x64 address more.
std::uint32_t lastId = 0;

}  // namespace

std::uint32_t TTrayIconHandler::use(platform::WindowSystem& windows, TTrayIcon& icon) {
  if (!instance) {
    instance = new TTrayIconHandler(windows);
  }
  const std::uint32_t id = ++lastId;
  instance->icons_[id] = &icon;
  return id;
}

void TTrayIconHandler::release(std::uint32_t id) {
  if (!instance) {
    return;
  }
  instance->icons_.erase(id);
  if (instance->icons_.empty()) {
    delete instance;
    instance = nullptr;
  }
}

platform::HWnd TTrayIconHandler::window() {
  return instance ? instance->window_ : 0;
}

TTrayIconHandler::TTrayIconHandler(platform::WindowSystem& windows)
    : windows_(windows),
      window_(windows.CreateWindowExA(
          "TTrayIconHandler",
          [this](platform::HWnd window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
            return windowProc(window, message, wParam, lParam);
          })) {}

TTrayIconHandler::~TTrayIconHandler() {
  windows_.DestroyWindow(window_);
}

std::intptr_t TTrayIconHandler::windowProc(platform::HWnd window, std::uint32_t message,
                                           std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    // The window goes only with its last icon: neither the session's end nor a stray close takes it.
    case platform::kWmDestroy:
    case platform::kWmClose:
    case platform::kWmQueryEndSession:
    case platform::kWmQuit:
    case platform::kWmEndSession:
    case platform::kWmNcDestroy:
      return 1;
    case TrayCallbackMessage:
      callback(wParam, lParam);
      return 0;
    default:
      return windows_.DefWindowProcA(window, message, wParam, lParam);
  }
}

void TTrayIconHandler::callback(std::uintptr_t id, std::intptr_t message) {
  if (const auto icon = icons_.find(static_cast<std::uint32_t>(id));
      icon != icons_.end() && id == icon->first) {
    icon->second->TrayCallback(static_cast<std::uint32_t>(message));
  }
}

}  // namespace vantrel
