// Win32 only: the file system.
#pragma once

#include "platform/file_system.h"

namespace vantrel::platform::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  std::u16string SHGetFolderPathW(int folder) override;
  bool CreateDirectoryW(const std::u16string& path, FolderPermissions permissions) override;
  long SetNamedSecurityInfoW(const std::u16string& path) override;
  std::uint32_t GetFileAttributesW(const std::u16string& path, bool* missing) override;
  std::uint32_t GetDriveTypeW(const std::u16string& root) override;
  bool CreateFileW(const std::u16string& path) override;
  long FindFirstFileW(const std::u16string& folder, std::vector<FindData>* found) override;
  long MoveFileExW(const std::u16string& from, const std::u16string& to) override;
  long CopyFileW(const std::u16string& from, const std::u16string& to) override;
  long DeleteFileW(const std::u16string& path) override;
  long SetFileAttributesW(const std::u16string& path, std::uint32_t attributes) override;
  long WriteFile_Append(const std::u16string& path, const std::string& bytes, std::uint64_t* size) override;
  bool SHQueryRecycleBinW(const std::u16string& path) override;
  long SHFileOperationW(const std::u16string& path) override;
  bool IShellLinkW_GetPath(const std::u16string& shortcut, std::u16string* path,
                           std::u16string* arguments) override;
  std::u16string ExpandEnvironmentStringsW(const std::u16string& text) override;
  bool GetFileVersionInfoW_CompanyName(const std::u16string& path, std::u16string* company) override;
};

}  // namespace vantrel::platform::win32
