// The shell: the notification area, and the version of the shell's libraries.
#pragma once

#include <cstdint>

#include "platform/window_system.h"

namespace vantrel::platform {

constexpr std::uint32_t kNimAdd = 0;
constexpr std::uint32_t kNimModify = 1;
constexpr std::uint32_t kNimDelete = 2;
constexpr std::uint32_t kNimSetVersion = 4;

constexpr std::uint32_t kNifMessage = 1;
constexpr std::uint32_t kNifIcon = 2;
constexpr std::uint32_t kNifTip = 4;
constexpr std::uint32_t kNifInfo = 0x10;

constexpr std::uint32_t kNiifInfo = 1;
constexpr std::uint32_t kNiifNoSound = 0x10;

constexpr std::uint32_t kNinBalloonShow = kWmUser + 2;
constexpr std::uint32_t kNinBalloonHide = kWmUser + 3;
constexpr std::uint32_t kNinBalloonTimeout = kWmUser + 4;
constexpr std::uint32_t kNinBalloonUserClick = kWmUser + 5;

// NOTIFYICONDATAA in the form that carries the balloon fields: 488 bytes on x86, 504 on x64.
struct NotifyIconDataA {
  std::uint32_t cbSize = 0;
  HWnd hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  HIcon hIcon = 0;
  char szTip[128] = {};
  std::uint32_t dwState = 0;
  std::uint32_t dwStateMask = 0;
  char szInfo[256] = {};
  std::uint32_t uVersion = 0;  // shares its place with uTimeout
  char szInfoTitle[64] = {};
  std::uint32_t dwInfoFlags = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;

  // True when the shell carried out the message. An icon is named by its window and id.
  virtual bool Shell_NotifyIconA(std::uint32_t message, const NotifyIconDataA& data) = 0;
  // The version of a system library that exports DllGetVersion ("comctl32.dll", "shell32.dll"): major and
  // minor; false when the library or its version cannot be had.
  virtual bool DllGetVersion(const char* library, std::uint32_t& major, std::uint32_t& minor) = 0;
};

}  // namespace vantrel::platform
