// Win32 only: initialisation files through the system's profile functions.
#include "platform/win32/win32_profile.h"

#include <algorithm>

#include "platform/unicode.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

namespace {
// Most values are short numbers; a list of names may be longer, and the buffer grows for it up to the
// largest.
constexpr DWORD kValueBuffer = 2048;
constexpr DWORD kLargestValueBuffer = 1024 * 1024;
}  // namespace

std::string Win32Profile::GetPrivateProfileStringW(const std::string& section, const std::string& key,
                                                   const std::string& defaultValue,
                                                   const std::u16string& file) {
  for (DWORD size = kValueBuffer;; size *= 2) {
    std::u16string buffer(size, u'\0');
    const DWORD length =
        ::GetPrivateProfileStringW(wide(Utf8ToUtf16(section)), wide(Utf8ToUtf16(key)),
                                   wide(Utf8ToUtf16(defaultValue)), wide(buffer), size, wide(file));
    // A value cut to the buffer comes back one short of it: read again with room for all of it.
    if (length + 1 < size || size >= kLargestValueBuffer) {
      buffer.resize(std::min(length, size - 1));
      return Utf16ToUtf8(buffer);
    }
  }
}

bool Win32Profile::WritePrivateProfileStringW(const std::string& section, const std::string& key,
                                              const std::string& value, const std::u16string& file) {
  return ::WritePrivateProfileStringW(wide(Utf8ToUtf16(section)), wide(Utf8ToUtf16(key)),
                                      wide(Utf8ToUtf16(value)), wide(file)) != FALSE;
}

}  // namespace vantrel::platform::win32
