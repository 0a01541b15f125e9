#include "program/settings_location.h"

#include "framework/sysutils.h"
#include "platform/unicode.h"

namespace vantrel {

namespace {

constexpr char kSettingsFile[] = "Vantrel.ini";
constexpr char kUserFolder[] = "Vantrel";
// Made and gone again at once, to learn whether this user may create files in the executable's folder.
constexpr char kProbeFile[] = "Vantrel.ini.probe";

// Whether this user's programs without administrator rights may create files in the folder: an elevated copy
// may where they may not, and must choose as they would.
bool mayCreateFilesIn(platform::FileSystem& fileSystem, platform::FileSecurity& security,
                      const std::string& folder) {
  platform::SecurityInfo info;
  return !folder.empty() && fileSystem.CreateFileW(Utf8ToUtf16(folder + kProbeFile)) &&
         security.GetNamedSecurityInfoW(Utf8ToUtf16(folder), &info) == platform::kErrorSuccess &&
         (platform::OthersRights(info, security.GetTokenInformation_User()) & platform::kFileWriteData) != 0;
}

bool fileExists(platform::FileSystem& fileSystem, const std::string& path) {
  bool missing = false;
  const std::uint32_t attributes = fileSystem.GetFileAttributesW(Utf8ToUtf16(path), &missing);
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory) == 0;
}

}  // namespace

SettingsFiles LocateSettings(platform::FileSystem& fileSystem, platform::FileSecurity& security,
                             const std::string& executable) {
  const std::string folder = ExtractFilePath(executable);
  const std::string portable = folder + kSettingsFile;
  if (mayCreateFilesIn(fileSystem, security, folder)) {
    return {portable, portable, ""};
  }
  const std::string appData = Utf16ToUtf8(fileSystem.SHGetFolderPathW(platform::kCsidlAppData));
  if (appData.empty()) {
    // Nowhere else to go: the exit tries beside the executable and says so when it cannot write there.
    return {portable, portable, ""};
  }
  const std::string userFolder = appData + "\\" + kUserFolder;
  const std::string user = userFolder + "\\" + kSettingsFile;
  return {fileExists(fileSystem, user) ? user : portable, user, userFolder};
}

void MakeSettingsFolder(platform::FileSystem& fileSystem, const SettingsFiles& files) {
  if (!files.writeFolder.empty()) {
    fileSystem.CreateDirectoryW(Utf8ToUtf16(files.writeFolder), platform::FolderPermissions::Inherited);
  }
}

}  // namespace vantrel
