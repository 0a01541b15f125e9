#include "fake_file_system.h"

#include <algorithm>
#include <cctype>

#include "framework/unicode.h"

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

}  // namespace

std::map<std::string, std::string>::iterator FakeFileSystem::findFile(const std::string& path) {
  return std::find_if(files.begin(), files.end(), [&](const auto& file) { return same(file.first, path); });
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

bool FakeFileSystem::CreateDirectoryW(const std::u16string& path) {
  const std::string folder = Utf16ToUtf8(path);
  if (faults.shouldFail("CreateDirectoryW") || fileExists(folder) || folderExists(folder) ||
      !mayWrite(folder)) {
    return false;
  }
  folders_.push_back(folder);
  return true;
}

std::uint32_t FakeFileSystem::GetFileAttributesW(const std::u16string& path, bool* missing) {
  const std::string name = Utf16ToUtf8(path);
  *missing = false;
  if (faults.shouldFail("GetFileAttributesW")) {
    return platform::kInvalidFileAttributes;
  }
  if (fileExists(name)) {
    return 0x20;  // FILE_ATTRIBUTE_ARCHIVE, as a file newly written has
  }
  if (folderExists(name)) {
    return platform::kFileAttributeDirectory;
  }
  *missing = true;
  return platform::kInvalidFileAttributes;
}

bool FakeFileSystem::CreateFileW(const std::u16string& path) {
  const std::string name = Utf16ToUtf8(path);
  // Deleted as it is closed: nothing stays.
  return !faults.shouldFail("CreateFileW") && !fileExists(name) && !folderExists(name) && mayWrite(name);
}

long FakeFileSystem::FindFirstFileW(const std::u16string& folder, std::vector<platform::FindData>* found) {
  const std::string path = Utf16ToUtf8(folder);
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
      found->push_back(
          {Utf8ToUtf16(name), fileExists(path + "\\" + name) ? 0x20u : platform::kFileAttributeDirectory});
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
  const std::string source = Utf16ToUtf8(from);
  const std::string target = Utf16ToUtf8(to);
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
  return platform::kErrorSuccess;
}

long FakeFileSystem::CopyFileW(const std::u16string& from, const std::u16string& to) {
  const std::string source = Utf16ToUtf8(from);
  const std::string target = Utf16ToUtf8(to);
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
  return platform::kErrorSuccess;
}

long FakeFileSystem::DeleteFileW(const std::u16string& path) {
  const std::string name = Utf16ToUtf8(path);
  if (faults.shouldFail("DeleteFileW")) {
    return kErrorSharingViolation;
  }
  const auto file = findFile(name);
  if (file == files.end()) {
    return folderExists(parent(name)) ? platform::kErrorFileNotFound : platform::kErrorPathNotFound;
  }
  if (!mayWrite(name)) {
    return platform::kErrorAccessDenied;
  }
  files.erase(file);
  return platform::kErrorSuccess;
}

long FakeFileSystem::SHFileOperationW(const std::u16string& path) {
  const std::string name = Utf16ToUtf8(path);
  if (faults.shouldFail("SHFileOperationW")) {
    return kErrorSharingViolation;
  }
  const auto file = findFile(name);
  if (file == files.end()) {
    return platform::kErrorFileNotFound;
  }
  if (!mayWrite(name)) {
    return platform::kErrorAccessDenied;
  }
  recycled[file->first] = file->second;
  files.erase(file);
  return platform::kErrorSuccess;
}

bool FakeFileSystem::IShellLinkW_GetPath(const std::u16string& shortcut, std::u16string* path,
                                         std::u16string* arguments) {
  const auto file = findFile(Utf16ToUtf8(shortcut));
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
         std::none_of(denied_.begin(), denied_.end(), [&](const std::string& d) { return same(d, folder); });
}

}  // namespace vantrel::fakes
