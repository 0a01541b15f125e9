// Win32 only: the user's regional settings.
#include "platform/win32/win32_locale.h"

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

std::string Win32Locale::GetLocaleInfoA(std::uint32_t type) {
  char buffer[16] = {};
  const int length = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, length - 1) : std::string();
}

int Win32Locale::lstrcmpA(const char* a, const char* b) {
  return ::lstrcmpA(a, b);
}

}  // namespace vantrel::platform::win32
