// Win32 only: the shell's notification area and library versions.
#pragma once

#include <map>
#include <utility>

#include "platform/shell.h"
#include "platform/win32/scoped_handle.h"

namespace vantrel::platform::win32 {

class Win32Shell final : public Shell {
 public:
  bool Shell_NotifyIconA(std::uint32_t message, const NotifyIconDataA& data) override;
  bool DllGetVersion(const char* library, std::uint32_t& major, std::uint32_t& minor) override;

 private:
  // Every icon this process shows, so that none outlives it when its owner did not take it away.
  std::map<std::pair<HWnd, std::uint32_t>, ScopedNotifyIcon> shown_;
};

}  // namespace vantrel::platform::win32
