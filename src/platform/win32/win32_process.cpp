// Win32 only: the running process's own facts.
#include "platform/win32/win32_process.h"

#include <vector>

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

std::string Win32Process::GetModuleFileNameA() {
  // The result is cut without an error when the buffer is too small: grow it until the path fits.
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) {
      return {};
    }
    if (length < size) {
      return std::string(buffer.data(), length);
    }
  }
  return {};
}

}  // namespace vantrel::platform::win32
