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

}  // namespace

std::u16string FakeFileSystem::SHGetFolderPathW(int folder) {
  if (faults.shouldFail("SHGetFolderPathW") || folder != platform::kCsidlAppData) {
    return {};
  }
  return Utf8ToUtf16(appData);
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

void FakeFileSystem::addFolder(const std::string& path) {
  folders_.push_back(path);
}

void FakeFileSystem::addFile(const std::string& path) {
  files[path];
}

void FakeFileSystem::denyWriting(const std::string& folder) {
  folders_.push_back(folder);
  denied_.push_back(folder);
}

bool FakeFileSystem::folderExists(const std::string& path) const {
  if (path.empty() || fileExists(path)) {
    return false;
  }
  const auto within = [&](const std::string& inner) { return holds(path, inner); };
  return within(process_.moduleFileName) || (!appData.empty() && within(appData)) ||
         std::any_of(folders_.begin(), folders_.end(), within) ||
         std::any_of(files.begin(), files.end(), [&](const auto& file) { return within(file.first); });
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
