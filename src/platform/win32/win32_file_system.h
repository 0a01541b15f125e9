// Win32 only: the file system.
#pragma once

#include "platform/file_system.h"

namespace vantrel::platform::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  std::u16string SHGetFolderPathW(int folder) override;
  bool CreateDirectoryW(const std::u16string& path) override;
  std::uint32_t GetFileAttributesW(const std::u16string& path, bool* missing) override;
  bool CreateFileW(const std::u16string& path) override;
};

}  // namespace vantrel::platform::win32
