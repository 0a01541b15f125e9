// Win32 only: the time of day and the time since the system started.
#include "platform/win32/win32_time_of_day.h"

#include "platform/win32/windows_api.h"

// Declared by <windows.h> only for Vista on; Windows XP has none of its own, and the runtime's stand-in
// (src/runtime) widens GetTickCount there.
extern "C" WINBASEAPI ULONGLONG WINAPI GetTickCount64();

namespace vantrel::platform::win32 {

std::uint64_t Win32TimeOfDay::GetSystemTimeAsFileTime() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

std::uint64_t Win32TimeOfDay::FileTimeToLocalFileTime(std::uint64_t fileTime) {
  const FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
  FILETIME local{};
  if (!::FileTimeToLocalFileTime(&utc, &local)) {
    return fileTime;
  }
  return (static_cast<std::uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
}

std::uint64_t Win32TimeOfDay::GetTickCount64() {
  return ::GetTickCount64();
}

}  // namespace vantrel::platform::win32
