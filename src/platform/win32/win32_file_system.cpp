// Win32 only: the file system.
#include "platform/win32/win32_file_system.h"

#include "platform/win32/scoped_handle.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <shlobj.h>

namespace vantrel::platform::win32 {

std::u16string Win32FileSystem::SHGetFolderPathW(int folder) {
  std::u16string path(MAX_PATH, u'\0');
  if (FAILED(::SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, wide(path)))) {
    return {};
  }
  path.resize(path.find(u'\0'));
  return path;
}

bool Win32FileSystem::CreateDirectoryW(const std::u16string& path) {
  return ::CreateDirectoryW(wide(path), nullptr) != FALSE;
}

std::uint32_t Win32FileSystem::GetFileAttributesW(const std::u16string& path, bool* missing) {
  const DWORD attributes = ::GetFileAttributesW(wide(path));
  const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS;
  *missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  return attributes;
}

bool Win32FileSystem::CreateFileW(const std::u16string& path) {
  const ScopedFile file(::CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

}  // namespace vantrel::platform::win32
