#include "fake_file_security.h"

#include <algorithm>
#include <cctype>

#include "platform/unicode.h"

namespace vantrel::fakes {

namespace {

constexpr char kSystem[] = "S-1-5-18";
constexpr char kAdministrators[] = "S-1-5-32-544";
constexpr char kTrustedInstaller[] = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
constexpr std::uint32_t kFullAccess = 0x1F01FF;
constexpr std::uint32_t kReadAndRun = 0x1200A9;
constexpr std::uint32_t kModify = 0x1301BF;
constexpr std::uint32_t kInheritOnly = 0x08;

// Whether `path` is `folder` or lies in it, in any case.
bool within(const std::string& path, const std::string& folder) {
  const auto same = [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); };
  return path.size() >= folder.size() && std::equal(folder.begin(), folder.end(), path.begin(), same) &&
         (path.size() == folder.size() || path[folder.size()] == '\\');
}

platform::SecurityInfo descriptor(const std::string& owner, std::vector<platform::AccessEntry> dacl) {
  platform::SecurityInfo info;
  info.owner = owner;
  info.dacl = std::move(dacl);
  return info;
}

}  // namespace

long FakeFileSecurity::GetNamedSecurityInfoW(const std::u16string& name, platform::SecurityInfo* info) {
  std::string path = Utf16ToUtf8(name);
  if (path.rfind("\\\\?\\", 0) == 0) {
    path = path.substr(4);
  }
  while (path.size() > 2 && path.back() == '\\') {
    path.pop_back();
  }
  if (faults.shouldFail("GetNamedSecurityInfoW")) {
    return platform::kErrorAccessDenied;
  }
  const bool root = path.size() == 2 && path[1] == ':';
  const bool folder = root || fileSystem_.folderExists(path);
  if (!folder && !fileSystem_.fileExists(path)) {
    return platform::kErrorFileNotFound;
  }
  const platform::AccessEntry system{true, 0, kFullAccess, kSystem};
  const platform::AccessEntry administrators{true, 0, kFullAccess, kAdministrators};
  const platform::AccessEntry users{true, 0, kReadAndRun, "S-1-5-32-545"};
  if (const auto own = descriptors.find(path); own != descriptors.end()) {
    *info = own->second;
  } else if (root) {
    // Authenticated Users may add folders, which they then own, and change what they hold.
    *info = descriptor(kSystem, {administrators,
                                 system,
                                 users,
                                 {true, 0, platform::kFileAppendData, "S-1-5-11"},
                                 {true, kInheritOnly, kModify, "S-1-5-11"}});
  } else if (folder && fileSystem_.administratorsOnly(path)) {
    *info = descriptor(kAdministrators, {system, administrators, users});
  } else if (within(path, "C:\\Program Files") || within(path, "C:\\Program Files (x86)") ||
             within(path, "C:\\Windows")) {
    *info = descriptor(kTrustedInstaller,
                       {{true, 0, kFullAccess, kTrustedInstaller}, system, administrators, users});
  } else if (within(path, profile)) {
    *info = descriptor(user, {system, administrators, {true, 0, kFullAccess, user}});
  } else if (path == "C:\\ProgramData" || path == "C:\\Users") {
    // Users may add files and folders to ProgramData, not to the folder of the profiles.
    *info = descriptor(
        kSystem,
        {system, administrators, users, {true, 0, path == "C:\\Users" ? 0 : 0x116u, "S-1-5-32-545"}});
  } else {
    // Made by this user, where their rights let them: theirs, and Authenticated Users may change it.
    *info = descriptor(
        user, {system, administrators, {true, 0, kFullAccess, user}, {true, 0, kModify, "S-1-5-11"}});
  }
  if (info->attributes == 0) {
    info->attributes = folder ? platform::kFileAttributeDirectory : 0x20;
  }
  return platform::kErrorSuccess;
}

}  // namespace vantrel::fakes
