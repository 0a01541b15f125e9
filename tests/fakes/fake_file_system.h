// The disks, as a test arranges them: the running executable and its folder are there, and so are the folders
// the system keeps (this user's application data and Startup folder, all users' application data and Startup
// folder); its files are those the fake profile keeps. Folders that a test names refuse that anything be
// created or changed in them, as Windows refuses a standard user the Program Files folder. Paths are compared
// without regard to case, as Windows compares them; each drive ("C:", "D:") is a volume of its own. A path is
// taken as Win32 takes it: the dots and blanks that end a name are dropped, except in the literal form
// ("\\?\C:\...", "\\?\UNC\server\...").
#pragma once

#include <map>
#include <string>
#include <vector>

#include "fake_process.h"
#include "fault_plan.h"
#include "platform/file_system.h"

namespace vantrel::fakes {

class FakeFileSystem final : public platform::FileSystem {
 public:
  explicit FakeFileSystem(const FakeProcess& process) : process_(process) {}

  std::u16string SHGetFolderPathW(int folder) override;
  bool CreateDirectoryW(const std::u16string& path, platform::FolderPermissions permissions) override;
  long SetNamedSecurityInfoW(const std::u16string& path) override;
  std::uint32_t GetFileAttributesW(const std::u16string& path, bool* missing) override;
  std::uint32_t GetDriveTypeW(const std::u16string& root) override;
  bool CreateFileW(const std::u16string& path) override;
  long FindFirstFileW(const std::u16string& folder, std::vector<platform::FindData>* found) override;
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

  // Arranging and inspecting, in UTF-8, without the fault plan.
  void addFolder(const std::string& path);
  void addFile(const std::string& path, const std::string& content = "");
  // A shortcut file that IShellLinkW_GetPath reads back; it moves and copies as any file does.
  void addShortcut(const std::string& path, const std::string& target, const std::string& arguments);
  // Nothing may be created or changed directly in this folder (which is there).
  void denyWriting(const std::string& folder);
  // This user may not look at this file or folder nor at anything in it: its attributes are refused, not
  // missing.
  void denyReading(const std::string& path);
  // Whether the folder has FolderPermissions::AdministratorsOnly.
  bool administratorsOnly(const std::string& folder) const;
  bool folderExists(const std::string& path) const;
  bool fileExists(const std::string& path) const;
  // Whether a file at `path` may be created or changed: its folder is there and allows it.
  bool mayWrite(const std::string& path) const;

  // Calls: those of the service, each by its name. A failed move, copy, deletion or sending to the bin
  // answers kErrorSharingViolation, as for a file that another program holds open.
  FaultPlan faults;
  static constexpr long kErrorSharingViolation = 32;
  // This user: an administrator, or a standard user, whom folders made for administrators only refuse that
  // anything be created or changed in them, or their permissions.
  bool administrator = true;
  // Drives ("N:") that name a network share; any other drive that holds a known path is a fixed disk.
  std::vector<std::string> networkDrives;
  // Drives ("D:") that keep no Recycle Bin: the shell deletes their files for good. Network paths keep none.
  std::vector<std::string> withoutRecycleBin;
  // The shell answers that it sent the file to the bin, and leaves it, as it may under a refused folder.
  bool shellKeepsFiles = false;
  std::map<std::string, std::string> environment;  // name -> value
  // The folders the system keeps; empty: the system cannot tell.
  std::string appData = "C:\\Users\\Ann\\AppData\\Roaming";
  std::string startup = "C:\\Users\\Ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
  std::string commonAppData = "C:\\ProgramData";
  std::string commonStartup = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
  std::map<std::string, std::string> files;         // path -> content, lines ending in "\r\n"
  std::map<std::string, std::string> recycled;      // what was sent to the Recycle Bin: path -> content
  std::map<std::string, std::uint32_t> attributes;  // path -> attributes; a file not named has 0x20 (archive)
  // The CompanyName of a file's version resource: path -> name; a file not named has no version resource.
  std::map<std::string, std::string> companies;

 private:
  std::map<std::string, std::string>::iterator findFile(const std::string& path);
  std::uint32_t attributesOf(const std::string& path) const;
  // Gives `to` the attributes of `from`, which it then keeps alone where it is `moved`.
  void carryAttributes(const std::string& from, const std::string& to, bool moved);
  // What a move or a copy fails with before it looks at its target itself (a fault, no source, no folder).
  long transferError(const char* call, const std::string& source, const std::string& target);
  // Every path whose folders are there: the system's folders, those made or named, the files.
  std::vector<std::string> knownPaths() const;

  const FakeProcess& process_;
  std::vector<std::string> folders_;
  std::vector<std::string> denied_;
  std::vector<std::string> unreadable_;
  std::vector<std::string> forAdministrators_;
};

}  // namespace vantrel::fakes
