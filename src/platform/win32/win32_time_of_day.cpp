// Win32 only: the time of day.
#include "platform/win32/win32_time_of_day.h"

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

std::uint64_t Win32TimeOfDay::GetSystemTimeAsFileTime() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace vantrel::platform::win32
