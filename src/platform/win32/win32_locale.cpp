// Win32 only: the user's regional settings.
#include "platform/win32/win32_locale.h"

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

std::string Win32Locale::GetLocaleInfoA(std::uint32_t type) {
  char buffer[16] = {};
  const int length = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, length - 1) : std::string();
}

int Win32Locale::lstrcmpW(const char16_t* a, const char16_t* b) {
  return ::lstrcmpW(reinterpret_cast<const wchar_t*>(a), reinterpret_cast<const wchar_t*>(b));
}

}  // namespace vantrel::platform::win32
