// One disk, as a test arranges it: the running executable and its folder are there, and so is this user's
// application-data folder; its files are those the fake profile keeps. Folders that a test names refuse that
// anything be created or changed in them, as Windows refuses a standard user the Program Files folder.
// Paths are compared without regard to case, as Windows compares them.
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
  bool CreateDirectoryW(const std::u16string& path) override;
  std::uint32_t GetFileAttributesW(const std::u16string& path, bool* missing) override;
  bool CreateFileW(const std::u16string& path) override;

  // Arranging and inspecting, in UTF-8, without the fault plan.
  void addFolder(const std::string& path);
  void addFile(const std::string& path);
  // Nothing may be created or changed directly in this folder (which is there).
  void denyWriting(const std::string& folder);
  bool folderExists(const std::string& path) const;
  bool fileExists(const std::string& path) const;
  // Whether a file at `path` may be created or changed: its folder is there and allows it.
  bool mayWrite(const std::string& path) const;

  FaultPlan faults;  // calls: "SHGetFolderPathW", "CreateDirectoryW", "GetFileAttributesW", "CreateFileW"
  std::string appData = "C:\\Users\\Ann\\AppData\\Roaming";  // empty: the system cannot tell
  std::map<std::string, std::string> files;                  // path -> content, lines ending in "\r\n"

 private:
  const FakeProcess& process_;
  std::vector<std::string> folders_;
  std::vector<std::string> denied_;
};

}  // namespace vantrel::fakes
