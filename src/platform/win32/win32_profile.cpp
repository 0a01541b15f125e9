// Win32 only: initialisation files through the system's profile functions.
#include "platform/win32/win32_profile.h"

#include "platform/unicode.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

namespace {
// Values of this program are short numbers; a longer value is cut here, as the reader of it would cut it.
constexpr DWORD kValueBuffer = 2048;
}  // namespace

std::string Win32Profile::GetPrivateProfileStringW(const std::string& section, const std::string& key,
                                                   const std::string& defaultValue,
                                                   const std::u16string& file) {
  std::u16string buffer(kValueBuffer, u'\0');
  const DWORD length =
      ::GetPrivateProfileStringW(wide(Utf8ToUtf16(section)), wide(Utf8ToUtf16(key)),
                                 wide(Utf8ToUtf16(defaultValue)), wide(buffer), kValueBuffer, wide(file));
  buffer.resize(length);
  return Utf16ToUtf8(buffer);
}

bool Win32Profile::WritePrivateProfileStringW(const std::string& section, const std::string& key,
                                              const std::string& value, const std::u16string& file) {
  return ::WritePrivateProfileStringW(wide(Utf8ToUtf16(section)), wide(Utf8ToUtf16(key)),
                                      wide(Utf8ToUtf16(value)), wide(file)) != FALSE;
}

}  // namespace vantrel::platform::win32
