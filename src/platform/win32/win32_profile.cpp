// Win32 only: initialisation files through the system's profile functions.
#include "platform/win32/win32_profile.h"

#include <vector>

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

namespace {
// Values of this program are short numbers; a longer value is cut here, as the reader of it would cut it.
constexpr DWORD kValueBuffer = 2048;
}  // namespace

std::string Win32Profile::GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                   const std::string& defaultValue, const std::string& file) {
  std::vector<char> buffer(kValueBuffer);
  const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                  buffer.data(), kValueBuffer, file.c_str());
  return std::string(buffer.data(), length);
}

bool Win32Profile::WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                              const std::string& value, const std::string& file) {
  return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

}  // namespace vantrel::platform::win32
