// Win32 only: the file system.
#include "platform/win32/win32_file_system.h"

#include "platform/win32/scoped_handle.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <objbase.h>
#include <shlobj.h>

namespace vantrel::platform::win32 {

namespace {

long lastError(BOOL done) {
  return done ? ERROR_SUCCESS : static_cast<long>(::GetLastError());
}

// COM on this thread for as long as it lives, where the thread does not have it already.
class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (initialised_) {
      ::CoUninitialize();
    }
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

// A COM interface pointer, released when it goes.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() {
    if (pointer_ != nullptr) {
      pointer_->Release();
    }
  }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  Interface* operator->() const { return pointer_; }
  void** out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace

std::u16string Win32FileSystem::SHGetFolderPathW(int folder) {
  std::u16string path(MAX_PATH, u'\0');
  if (FAILED(::SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, wide(path)))) {
    return {};
  }
  path.resize(path.find(u'\0'));
  return path;
}

bool Win32FileSystem::CreateDirectoryW(const std::u16string& path) {
  return ::CreateDirectoryW(wide(path), nullptr) != FALSE;
}

std::uint32_t Win32FileSystem::GetFileAttributesW(const std::u16string& path, bool* missing) {
  const DWORD attributes = ::GetFileAttributesW(wide(path));
  const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS;
  *missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  return attributes;
}

bool Win32FileSystem::CreateFileW(const std::u16string& path) {
  const ScopedFile file(::CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

long Win32FileSystem::FindFirstFileW(const std::u16string& folder, std::vector<FindData>* found) {
  found->clear();
  WIN32_FIND_DATAW data{};
  const ScopedFind find(::FindFirstFileW(wide(folder + u"\\*"), &data));
  if (!find) {
    const DWORD error = ::GetLastError();
    // A folder with nothing in it at all (a drive's root can be one).
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : static_cast<long>(error);
  }
  std::vector<FindData> entries;
  do {
    const std::u16string name(reinterpret_cast<const char16_t*>(data.cFileName));
    if (name != u"." && name != u"..") {
      entries.push_back({name, data.dwFileAttributes});
    }
  } while (::FindNextFileW(find.get(), &data));
  const DWORD error = ::GetLastError();
  if (error != ERROR_NO_MORE_FILES) {
    return static_cast<long>(error);
  }
  *found = std::move(entries);
  return ERROR_SUCCESS;
}

long Win32FileSystem::MoveFileExW(const std::u16string& from, const std::u16string& to) {
  return lastError(::MoveFileExW(wide(from), wide(to), 0));
}

long Win32FileSystem::CopyFileW(const std::u16string& from, const std::u16string& to) {
  return lastError(::CopyFileW(wide(from), wide(to), TRUE));
}

long Win32FileSystem::DeleteFileW(const std::u16string& path) {
  return lastError(::DeleteFileW(wide(path)));
}

long Win32FileSystem::SHFileOperationW(const std::u16string& path) {
  // A list of names, each ending in a NUL, and the list in one more.
  std::u16string names = path;
  names.append(2, u'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = wide(names);
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  const int result = ::SHFileOperationW(&operation);
  if (result != 0) {
    return result;
  }
  return operation.fAnyOperationsAborted ? ERROR_CANCELLED : ERROR_SUCCESS;
}

bool Win32FileSystem::IShellLinkW_GetPath(const std::u16string& shortcut, std::u16string* path,
                                          std::u16string* arguments) {
  const ComApartment apartment;
  ComPointer<IShellLinkW> link;
  ComPointer<IPersistFile> file;
  if (FAILED(
          ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.out())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.out())) ||
      FAILED(file->Load(wide(shortcut), STGM_READ))) {
    return false;
  }
  std::u16string target(MAX_PATH, u'\0');
  std::u16string text(INFOTIPSIZE, u'\0');
  // A shortcut to something that is not a file (a shell folder) has no path: S_FALSE, an empty text.
  if (FAILED(link->GetPath(wide(target), MAX_PATH, nullptr, 0)) ||
      FAILED(link->GetArguments(wide(text), INFOTIPSIZE))) {
    return false;
  }
  target.resize(target.find(u'\0'));
  text.resize(text.find(u'\0'));
  *path = target;
  *arguments = text;
  return true;
}

}  // namespace vantrel::platform::win32
