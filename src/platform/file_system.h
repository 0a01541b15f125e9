// The file system: the folders the system keeps for each user, and the files and folders the program itself
// needs to look at or make.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::platform {

// This user's application data, which follows them from machine to machine.
constexpr int kCsidlAppData = 0x1A;

constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFF;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The path of a folder that the system keeps (kCsidlAppData), without a trailing separator; empty when the
  // system cannot tell.
  virtual std::u16string SHGetFolderPathW(int folder) = 0;
  // Creates a folder in an existing one; false when it cannot, and when it is there already.
  virtual bool CreateDirectoryW(const std::u16string& path) = 0;
  // The attributes of a file or folder (kFileAttributeDirectory for a folder); kInvalidFileAttributes when it
  // cannot be looked at, with `missing` telling whether that is because nothing is there (rather than, say, a
  // folder this user may not look into).
  virtual std::uint32_t GetFileAttributesW(const std::u16string& path, bool* missing) = 0;
  // Creates the file `path`, which must not exist, and deletes it again as it closes it: whether this user
  // may create files in that folder. Nothing is left behind, even when the process dies meanwhile.
  virtual bool CreateFileW(const std::u16string& path) = 0;
};

}  // namespace vantrel::platform
