#include "fake_file_system.h"

#include <algorithm>
#include <cctype>

#include "platform/unicode.h"

namespace vantrel::fakes {

namespace {

bool same(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// Whether `path` is `inner` or one of the folders it lies in.
bool holds(const std::string& path, const std::string& inner) {
  return same(path, inner) || (inner.size() > path.size() && inner[path.size()] == '\\' &&
                               same(path, inner.substr(0, path.size())));
}

std::string parent(const std::string& path) {
  const std::size_t last = path.rfind('\\');
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string volumeOf(const std::string& path) {
  return path.substr(0, path.find('\\'));
}

constexpr char kShortcutMark[] = "[shortcut]\r\n";
constexpr std::uint32_t kArchive = 0x20;

// A path as the system takes it: the literal form as it is, any other without the dots and blanks that end
// its names.
std::string pathOf(const std::u16string& path) {
  const std::string text = Utf16ToUtf8(path);
  if (text.rfind("\\\\?\\UNC\\", 0) == 0) {
    return "\\\\" + text.substr(8);
  }
  if (text.rfind("\\\\?\\", 0) == 0) {
    return text.substr(4);
  }
  std::string normal;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\\', start), text.size());
    std::string name = text.substr(start, end - start);
    if (name != "." && name != "..") {
      name.erase(name.find_last_not_of(". ") + 1);
    }
    normal += (start == 0 ? "" : "\\") + name;
    start = end + 1;
  }
  return normal;
}

}  // namespace

std::map<std::string, std::string>::iterator FakeFileSystem::findFile(const std::string& path) {
  return std::find_if(files.begin(), files.end(), [&](const auto& file) { return same(file.first, path); });
}

std::uint32_t FakeFileSystem::attributesOf(const std::string& path) const {
  const auto found = std::find_if(attributes.begin(), attributes.end(),
                                  [&](const auto& file) { return same(file.first, path); });
  return found == attributes.end() ? kArchive : found->second;
}

void FakeFileSystem::carryAttributes(const std::string& from, const std::string& to, bool moved) {
  const std::uint32_t kept = attributesOf(from);
  if (moved) {
    std::erase_if(attributes, [&](const auto& file) { return same(file.first, from); });
  }
  std::erase_if(attributes, [&](const auto& file) { return same(file.first, to); });
  attributes[to] = kept;
}

std::vector<std::string> FakeFileSystem::knownPaths() const {
  std::vector<std::string> known = folders_;
  for (const std::string* folder : {&appData, &startup, &commonAppData, &commonStartup}) {
    if (!folder->empty()) {
      known.push_back(*folder);
    }
  }
  known.push_back(process_.moduleFileName);
  for (const auto& file : files) {
    known.push_back(file.first);
  }
  return known;
}

std::u16string FakeFileSystem::SHGetFolderPathW(int folder) {
  if (faults.shouldFail("SHGetFolderPathW")) {
    return {};
  }
  switch (folder) {
    case platform::kCsidlAppData:
      return Utf8ToUtf16(appData);
    case platform::kCsidlStartup:
      return Utf8ToUtf16(startup);
    case platform::kCsidlCommonAppData:
      return Utf8ToUtf16(commonAppData);
    case platform::kCsidlCommonStartup:
      return Utf8ToUtf16(commonStartup);
    default:
      return {};
  }
}

bool FakeFileSystem::CreateDirectoryW(const std::u16string& path, platform::FolderPermissions permissions) {
  const std::string folder = pathOf(path);
  if (faults.shouldFail("CreateDirectoryW") || fileExists(folder) || folderExists(folder) ||
      !mayWrite(folder)) {
    return false;
  }
  folders_.push_back(folder);
  if (permissions == platform::FolderPermissions::AdministratorsOnly) {
    forAdministrators_.push_back(folder);
  }
  return true;
}

long FakeFileSystem::SetNamedSecurityInfoW(const std::u16string& path) {
  const std::string folder = pathOf(path);
  if (faults.shouldFail("SetNamedSecurityInfoW")) {
    return platform::kErrorAccessDenied;
  }
  if (!folderExists(folder)) {
    return fileExists(folder) ? platform::kErrorAccessDenied : platform::kErrorFileNotFound;
  }
  if (!administrator) {
    return platform::kErrorAccessDenied;
  }
  if (!administratorsOnly(folder)) {
    forAdministrators_.push_back(folder);
  }
  return platform::kErrorSuccess;
}

std::uint32_t FakeFileSystem::GetFileAttributesW(const std::u16string& path, bool* missing) {
  const std::string name = pathOf(path);
  *missing = false;
  if (faults.shouldFail("GetFileAttributesW") ||
      std::any_of(unreadable_.begin(), unreadable_.end(),
                  [&](const std::string& p) { return holds(p, name); })) {
    return platform::kInvalidFileAttributes;
  }
  if (fileExists(name)) {
    return attributesOf(name);
  }
  if (folderExists(name)) {
    return platform::kFileAttributeDirectory;
  }
  *missing = true;
  return platform::kInvalidFileAttributes;
}

std::uint32_t FakeFileSystem::GetDriveTypeW(const std::u16string& root) {
  const std::string drive = volumeOf(Utf16ToUtf8(root));
  if (std::any_of(networkDrives.begin(), networkDrives.end(),
                  [&](const std::string& d) { return same(d, drive); })) {
    return platform::kDriveRemote;
  }
  const std::vector<std::string> known = knownPaths();
  return std::any_of(known.begin(), known.end(),
                     [&](const std::string& p) { return same(volumeOf(p), drive); })
             ? platform::kDriveFixed
             : platform::kDriveNoRootDir;
}

bool FakeFileSystem::CreateFileW(const std::u16string& path) {
  const std::string name = pathOf(path);
  // Deleted as it is closed: nothing stays.
  return !faults.shouldFail("CreateFileW") && !fileExists(name) && !folderExists(name) && mayWrite(name);
}

long FakeFileSystem::FindFirstFileW(const std::u16string& folder, std::vector<platform::FindData>* found) {
  const std::string path = pathOf(folder);
  found->clear();
  if (faults.shouldFail("FindFirstFileW")) {
    return platform::kErrorAccessDenied;
  }
  if (!folderExists(path)) {
    return platform::kErrorPathNotFound;
  }
  std::vector<std::string> names;
  for (const std::string& known : knownPaths()) {
    if (known.size() <= path.size() + 1 || !holds(path, known)) {
      continue;
    }
    const std::string name =
        known.substr(path.size() + 1, known.find('\\', path.size() + 1) - path.size() - 1);
    if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return same(n, name); })) {
      names.push_back(name);
      const std::string inner = path + "\\" + name;
      found->push_back(
          {Utf8ToUtf16(name), fileExists(inner) ? attributesOf(inner) : platform::kFileAttributeDirectory});
    }
  }
  return platform::kErrorSuccess;
}

long FakeFileSystem::transferError(const char* call, const std::string& source, const std::string& target) {
  if (faults.shouldFail(call)) {
    return kErrorSharingViolation;
  }
  if (findFile(source) == files.end()) {
    return platform::kErrorFileNotFound;
  }
  if (!folderExists(parent(target))) {
    return platform::kErrorPathNotFound;
  }
  return platform::kErrorSuccess;
}

long FakeFileSystem::MoveFileExW(const std::u16string& from, const std::u16string& to) {
  const std::string source = pathOf(from);
  const std::string target = pathOf(to);
  if (const long error = transferError("MoveFileExW", source, target); error != platform::kErrorSuccess) {
    return error;
  }
  const auto file = findFile(source);
  if (fileExists(target) || folderExists(target)) {
    return platform::kErrorAlreadyExists;
  }
  if (!mayWrite(source) || !mayWrite(target)) {
    return platform::kErrorAccessDenied;
  }
  if (!same(volumeOf(source), volumeOf(target))) {
    return platform::kErrorNotSameDevice;
  }
  const std::string content = file->second;
  files.erase(file);
  files[target] = content;
  carryAttributes(source, target, true);
  return platform::kErrorSuccess;
}

long FakeFileSystem::CopyFileW(const std::u16string& from, const std::u16string& to) {
  const std::string source = pathOf(from);
  const std::string target = pathOf(to);
  if (const long error = transferError("CopyFileW", source, target); error != platform::kErrorSuccess) {
    return error;
  }
  const auto file = findFile(source);
  if (fileExists(target)) {
    return platform::kErrorFileExists;
  }
  if (folderExists(target) || !mayWrite(target)) {
    return platform::kErrorAccessDenied;
  }
  files[target] = file->second;
  carryAttributes(source, target, false);
  return platform::kErrorSuccess;
}

long FakeFileSystem::DeleteFileW(const std::u16string& path) {
  const std::string name = pathOf(path);
  if (faults.shouldFail("DeleteFileW")) {
    return kErrorSharingViolation;
  }
  const auto file = findFile(name);
  if (file == files.end()) {
    return folderExists(parent(name)) ? platform::kErrorFileNotFound : platform::kErrorPathNotFound;
  }
  if (!mayWrite(name) || (attributesOf(name) & platform::kFileAttributeReadOnly) != 0) {
    return platform::kErrorAccessDenied;
  }
  files.erase(file);
  std::erase_if(attributes, [&](const auto& entry) { return same(entry.first, name); });
  return platform::kErrorSuccess;
}

long FakeFileSystem::WriteFile_Append(const std::u16string& path, const std::string& bytes,
                                      std::uint64_t* size) {
  const std::string name = pathOf(path);
  if (faults.shouldFail("WriteFile_Append")) {
    return kErrorSharingViolation;
  }
  if (folderExists(name)) {
    return platform::kErrorAccessDenied;
  }
  if (!folderExists(parent(name))) {
    return platform::kErrorPathNotFound;
  }
  if (!mayWrite(name) || (attributesOf(name) & platform::kFileAttributeReadOnly) != 0) {
    return platform::kErrorAccessDenied;
  }
  auto file = findFile(name);
  if (file == files.end()) {
    file = files.emplace(name, "").first;
  }
  file->second += bytes;
  *size = file->second.size();
  return platform::kErrorSuccess;
}

long FakeFileSystem::SetFileAttributesW(const std::u16string& path, std::uint32_t newAttributes) {
  const std::string name = pathOf(path);
  if (faults.shouldFail("SetFileAttributesW")) {
    return kErrorSharingViolation;
  }
  if (!fileExists(name)) {
    return folderExists(parent(name)) ? platform::kErrorFileNotFound : platform::kErrorPathNotFound;
  }
  if (!mayWrite(name)) {
    return platform::kErrorAccessDenied;
  }
  std::erase_if(attributes, [&](const auto& entry) { return same(entry.first, name); });
  attributes[findFile(name)->first] = newAttributes;
  return platform::kErrorSuccess;
}

bool FakeFileSystem::SHQueryRecycleBinW(const std::u16string& path) {
  const std::string name = pathOf(path);
  return !faults.shouldFail("SHQueryRecycleBinW") && name.rfind("\\\\", 0) != 0 &&
         std::none_of(withoutRecycleBin.begin(), withoutRecycleBin.end(),
                      [&](const std::string& volume) { return same(volume, volumeOf(name)); });
}

long FakeFileSystem::SHFileOperationW(const std::u16string& path) {
  const std::string text = Utf16ToUtf8(path);
  if (faults.shouldFail("SHFileOperationW")) {
    return kErrorSharingViolation;
  }
  // The shell takes no literal paths: its own code for a path it cannot take.
  if (text.rfind("\\\\?\\", 0) == 0) {
    return 0x7C;
  }
  const std::string name = pathOf(path);
  const auto file = findFile(name);
  if (file == files.end()) {
    return platform::kErrorFileNotFound;
  }
  if (!mayWrite(name)) {
    return platform::kDeAccessDeniedSource;
  }
  if (shellKeepsFiles) {
    return platform::kErrorSuccess;
  }
  if (SHQueryRecycleBinW(path)) {
    recycled[file->first] = file->second;
  }
  files.erase(file);
  std::erase_if(attributes, [&](const auto& entry) { return same(entry.first, name); });
  return platform::kErrorSuccess;
}

bool FakeFileSystem::IShellLinkW_GetPath(const std::u16string& shortcut, std::u16string* path,
                                         std::u16string* arguments) {
  const auto file = findFile(pathOf(shortcut));
  if (faults.shouldFail("IShellLinkW_GetPath") || file == files.end() ||
      file->second.rfind(kShortcutMark, 0) != 0) {
    return false;
  }
  const std::string link = file->second.substr(std::string(kShortcutMark).size());
  const std::size_t end = link.find("\r\n");
  *path = Utf8ToUtf16(link.substr(0, end));
  *arguments = end == std::string::npos ? std::u16string() : Utf8ToUtf16(link.substr(end + 2));
  return true;
}

std::u16string FakeFileSystem::ExpandEnvironmentStringsW(const std::u16string& text) {
  const std::string source = Utf16ToUtf8(text);
  std::string expanded;
  std::size_t start = 0;
  for (std::size_t open = source.find('%'); open != std::string::npos; open = source.find('%', start)) {
    const std::size_t close = source.find('%', open + 1);
    if (close == std::string::npos) {
      break;
    }
    const std::string name = source.substr(open + 1, close - open - 1);
    const auto value = std::find_if(environment.begin(), environment.end(),
                                    [&](const auto& variable) { return same(variable.first, name); });
    if (value == environment.end()) {
      // Not set: the first '%' stays as it is, and the second may open a name.
      expanded += source.substr(start, close - start);
      start = close;
      continue;
    }
    expanded += source.substr(start, open - start) + value->second;
    start = close + 1;
  }
  return Utf8ToUtf16(expanded + source.substr(start));
}

void FakeFileSystem::addFolder(const std::string& path) {
  folders_.push_back(path);
}

void FakeFileSystem::addFile(const std::string& path, const std::string& content) {
  files[path] = content;
}

void FakeFileSystem::addShortcut(const std::string& path, const std::string& target,
                                 const std::string& arguments) {
  files[path] = kShortcutMark + target + "\r\n" + arguments;
}

void FakeFileSystem::denyWriting(const std::string& folder) {
  folders_.push_back(folder);
  denied_.push_back(folder);
}

void FakeFileSystem::denyReading(const std::string& path) {
  unreadable_.push_back(path);
}

bool FakeFileSystem::administratorsOnly(const std::string& folder) const {
  return std::any_of(forAdministrators_.begin(), forAdministrators_.end(),
                     [&](const std::string& f) { return same(f, folder); });
}

bool FakeFileSystem::folderExists(const std::string& path) const {
  if (path.empty() || fileExists(path)) {
    return false;
  }
  const std::vector<std::string> known = knownPaths();
  return std::any_of(known.begin(), known.end(),
                     [&](const std::string& inner) { return holds(path, inner); });
}

bool FakeFileSystem::fileExists(const std::string& path) const {
  return !path.empty() &&
         (same(path, process_.moduleFileName) ||
          std::any_of(files.begin(), files.end(), [&](const auto& file) { return same(file.first, path); }));
}

bool FakeFileSystem::mayWrite(const std::string& path) const {
  const std::string folder = parent(path);
  return folderExists(folder) &&
         std::none_of(denied_.begin(), denied_.end(),
                      [&](const std::string& d) { return same(d, folder); }) &&
         (administrator || !administratorsOnly(folder));
}

bool FakeFileSystem::GetFileVersionInfoW_CompanyName(const std::u16string& path, std::u16string* company) {
  const auto file = findFile(pathOf(path));
  if (faults.shouldFail("GetFileVersionInfoW_CompanyName") || file == files.end()) {
    return false;
  }
  const auto named = std::find_if(companies.begin(), companies.end(),
                                  [&](const auto& entry) { return same(entry.first, file->first); });
  if (named == companies.end()) {
    return false;
  }
  *company = Utf8ToUtf16(named->second);
  return true;
}

}  // namespace vantrel::fakes
