// The file system: the folders the system keeps for each user, and the files and folders the program itself
// needs to look at or make.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"  // kErrorSuccess, kErrorFileNotFound, kErrorAccessDenied

namespace vantrel::platform {

// This user's application data, which follows them from machine to machine.
constexpr int kCsidlAppData = 0x1A;
// The Startup folders whose files Windows opens at log-on: this user's and all users'.
constexpr int kCsidlStartup = 0x07;
constexpr int kCsidlCommonStartup = 0x18;
// The application data of all users of the machine.
constexpr int kCsidlCommonAppData = 0x23;

constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFF;

// What GetDriveTypeW tells of a drive: none at that letter, a local fixed disk, a network share.
constexpr std::uint32_t kDriveNoRootDir = 1;
constexpr std::uint32_t kDriveFixed = 3;
constexpr std::uint32_t kDriveRemote = 4;

// The system's error codes that callers tell apart, besides those the registry answers too.
constexpr long kErrorPathNotFound = 3;
constexpr long kErrorNotSameDevice = 17;
constexpr long kErrorFileExists = 80;
constexpr long kErrorAlreadyExists = 183;
// What the shell's file operation answers when Windows refuses that this user delete the file.
constexpr long kDeAccessDeniedSource = 0x78;

// Who may change a folder: whom its parent lets, or only administrators and SYSTEM, with every user allowed
// to read (set on the folder itself, not inherited from its parent; what it holds inherits it), owned by
// Administrators. A folder
// whose files run for every user is kept that way, so that no standard user can put or change a file there.
enum class FolderPermissions { Inherited, AdministratorsOnly };

// One entry of a folder: its name and attributes.
struct FindData {
  std::u16string cFileName;
  std::uint32_t dwFileAttributes = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The path of a folder that the system keeps (kCsidlAppData), without a trailing separator; empty when the
  // system cannot tell.
  virtual std::u16string SHGetFolderPathW(int folder) = 0;
  // Creates a folder in an existing one, with those permissions from the start; false when it cannot, and
  // when it is there already.
  virtual bool CreateDirectoryW(const std::u16string& path, FolderPermissions permissions) = 0;
  // Gives an existing folder FolderPermissions::AdministratorsOnly, owner and permissions; kErrorSuccess or
  // the system's error code (kErrorAccessDenied where this user may not change them).
  virtual long SetNamedSecurityInfoW(const std::u16string& path) = 0;
  // The attributes of a file or folder (kFileAttributeDirectory for a folder); kInvalidFileAttributes when it
  // cannot be looked at, with `missing` telling whether that is because nothing is there (rather than, say, a
  // folder this user may not look into).
  virtual std::uint32_t GetFileAttributesW(const std::u16string& path, bool* missing) = 0;
  // The kind of the drive whose root is `root` ("C:\\"), without touching its files: kDriveRemote for a
  // letter that names a network share, which may not answer for a long time.
  virtual std::uint32_t GetDriveTypeW(const std::u16string& root) = 0;
  // Creates the file `path`, which must not exist, and deletes it again as it closes it: whether this user
  // may create files in that folder. Nothing is left behind, even when the process dies meanwhile.
  virtual bool CreateFileW(const std::u16string& path) = 0;

  // The files and folders in `folder` (not "." and ".."), in the system's order, through FindNextFileW up to
  // the last. kErrorSuccess, also for an empty folder; else the system's error code, and nothing found.
  virtual long FindFirstFileW(const std::u16string& folder, std::vector<FindData>* found) = 0;
  // The calls below answer kErrorSuccess or the system's error code.
  // Moves a file within its volume, never over an existing one (kErrorAlreadyExists) and never by copying
  // (kErrorNotSameDevice across volumes).
  virtual long MoveFileExW(const std::u16string& from, const std::u16string& to) = 0;
  // Copies a file with its attributes, never over an existing one (kErrorFileExists).
  virtual long CopyFileW(const std::u16string& from, const std::u16string& to) = 0;
  // Deletes a file, not a read-only one (kErrorAccessDenied).
  virtual long DeleteFileW(const std::u16string& path) = 0;
  virtual long SetFileAttributesW(const std::u16string& path, std::uint32_t attributes) = 0;
  // Opens the file (creating it where it is missing), writes the bytes at its end and closes it; `size`
  // receives its length after. A failed write may have left part of the bytes.
  virtual long WriteFile_Append(const std::u16string& path, const std::string& bytes,
                                std::uint64_t* size) = 0;
  // Paths above may be given in the form the system takes literally ("\\?\C:\..." or "\\?\UNC\server\..."):
  // only then may a name end in a dot or a blank, which the system otherwise drops. The shell's calls below
  // take plain paths only.

  // Whether the drive of `path` keeps a Recycle Bin: a local fixed disk whose bin the shell can tell of; not
  // a network or redirected folder, nor a removable disk, where a deletion is for good.
  virtual bool SHQueryRecycleBinW(const std::u16string& path) = 0;
  // Sends a file to the Recycle Bin, silently and without asking, except that the shell asks the user first
  // where it would delete the file for good instead (its bin turned off or too small); not 0 when it did not:
  // the shell's own code (0x78: this user may not delete it), or else the system's. Its "done" does not
  // always mean the file went: a caller that must know looks.
  virtual long SHFileOperationW(const std::u16string& path) = 0;
  // A shortcut's target as stored (its raw path, which may name environment variables, "%ProgramFiles%\..."),
  // and arguments (through IShellLinkW and IPersistFile); false when the file cannot be read as a shortcut.
  virtual bool IShellLinkW_GetPath(const std::u16string& shortcut, std::u16string* path,
                                   std::u16string* arguments) = 0;
  // The text with each "%NAME%" of a variable of this process's environment replaced by its value; a name
  // that is not set stays as it is.
  virtual std::u16string ExpandEnvironmentStringsW(const std::u16string& text) = 0;
  // The CompanyName of a file's version resource, in the language its translation table lists first
  // (GetFileVersionInfoSizeW, GetFileVersionInfoW, VerQueryValueW); false when the file has no version
  // resource, no translation, or no such string.
  virtual bool GetFileVersionInfoW_CompanyName(const std::u16string& path, std::u16string* company) = 0;
};

}  // namespace vantrel::platform
