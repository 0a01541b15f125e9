// Win32 only: the file system.
#include "platform/win32/win32_file_system.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win32/com.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

namespace vantrel::platform::win32 {

namespace {

long lastError(BOOL done) {
  return done ? ERROR_SUCCESS : static_cast<long>(::GetLastError());
}

// FolderPermissions::AdministratorsOnly: owned by Administrators, whatever user made it; SYSTEM and
// administrators may do anything, users read and run, each inherited by what the folder holds; "P": nothing
// inherited from the parent.
constexpr wchar_t kAdministratorsOnly[] = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";

// The security descriptor of kAdministratorsOnly; empty where it cannot be made.
ScopedLocal administratorsOnly() {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(kAdministratorsOnly, SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
    return ScopedLocal();
  }
  return ScopedLocal(descriptor);
}

// version.dll is no known DLL: imported, it would be looked for in the program's folder first. Loaded once,
// from the system folder; every member stays null where it is missing.
struct VersionCalls {
  DWORD(WINAPI* size)(LPCWSTR, LPDWORD) = nullptr;
  BOOL(WINAPI* info)(LPCWSTR, DWORD, DWORD, LPVOID) = nullptr;
  BOOL(WINAPI* query)(LPCVOID, LPCWSTR, LPVOID*, PUINT) = nullptr;
};

const VersionCalls& versionCalls() {
  static const VersionCalls calls = [] {
    const HMODULE module = LoadSystemLibrary(L"version.dll");
    VersionCalls found;
    found.size = SystemCall<decltype(found.size)>(module, "GetFileVersionInfoSizeW");
    found.info = SystemCall<decltype(found.info)>(module, "GetFileVersionInfoW");
    found.query = SystemCall<decltype(found.query)>(module, "VerQueryValueW");
    return found;
  }();
  return calls;
}

}  // namespace

std::u16string Win32FileSystem::SHGetFolderPathW(int folder) {
  std::u16string path(MAX_PATH, u'\0');
  if (FAILED(::SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, wide(path)))) {
    return {};
  }
  path.resize(path.find(u'\0'));
  return path;
}

bool Win32FileSystem::CreateDirectoryW(const std::u16string& path, FolderPermissions permissions) {
  if (permissions == FolderPermissions::Inherited) {
    return ::CreateDirectoryW(wide(path), nullptr) != FALSE;
  }
  // Made with them, so that no one may put a file in before they are set.
  ScopedLocal descriptor = administratorsOnly();
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor.get(), FALSE};
  return descriptor && ::CreateDirectoryW(wide(path), &attributes) != FALSE;
}

long Win32FileSystem::SetNamedSecurityInfoW(const std::u16string& path) {
  ScopedLocal descriptor = administratorsOnly();
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  PSID owner = nullptr;
  if (!descriptor || !::GetSecurityDescriptorDacl(descriptor.get(), &present, &dacl, &defaulted) ||
      !::GetSecurityDescriptorOwner(descriptor.get(), &owner, &defaulted)) {
    return static_cast<long>(::GetLastError());
  }
  std::u16string name = path;  // the call takes a writable string
  // The owner too: whoever owns it may give themselves any permission again.
  return static_cast<long>(::SetNamedSecurityInfoW(
      wide(name), SE_FILE_OBJECT,
      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, owner,
      nullptr, dacl, nullptr));
}

std::uint32_t Win32FileSystem::GetFileAttributesW(const std::u16string& path, bool* missing) {
  const DWORD attributes = ::GetFileAttributesW(wide(path));
  const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS;
  *missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  return attributes;
}

std::uint32_t Win32FileSystem::GetDriveTypeW(const std::u16string& root) {
  return ::GetDriveTypeW(wide(root));
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

long Win32FileSystem::SetFileAttributesW(const std::u16string& path, std::uint32_t attributes) {
  return lastError(::SetFileAttributesW(wide(path), attributes));
}

long Win32FileSystem::WriteFile_Append(const std::u16string& path, const std::string& bytes,
                                       std::uint64_t* size) {
  // FILE_APPEND_DATA alone: every write goes to the end, whoever else appends meanwhile.
  const ScopedFile file(::CreateFileW(wide(path), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    return static_cast<long>(::GetLastError());
  }
  DWORD written = 0;
  if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    return static_cast<long>(::GetLastError());
  }
  DWORD high = 0;
  const DWORD low = ::GetFileSize(file.get(), &high);
  *size = static_cast<std::uint64_t>(high) << 32 | low;
  return ERROR_SUCCESS;
}

bool Win32FileSystem::SHQueryRecycleBinW(const std::u16string& path) {
  // A network path has no bin, nor has a folder redirected to one.
  if (path.size() < 3 || path[1] != u':' || path[2] != u'\\') {
    return false;
  }
  const std::u16string root = path.substr(0, 3);
  // Removable, network, RAM and optical drives delete for good; a fixed disk keeps a bin, which the shell
  // answers for where it has one.
  SHQUERYRBINFO bin{};
  bin.cbSize = sizeof(bin);
  return ::GetDriveTypeW(wide(root)) == DRIVE_FIXED && SUCCEEDED(::SHQueryRecycleBinW(wide(root), &bin));
}

long Win32FileSystem::SHFileOperationW(const std::u16string& path) {
  // A list of names, each ending in a NUL, and the list in one more.
  std::u16string names = path;
  names.append(2, u'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = wide(names);
  // FOF_WANTNUKEWARNING: where the file would not go to the bin but be destroyed, the shell asks first even
  // with FOF_NOCONFIRMATION.
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_WANTNUKEWARNING;
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
  if (FAILED(apartment.CreateInstance(CLSID_ShellLink, IID_IShellLinkW, link.out())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.out())) ||
      FAILED(file->Load(wide(shortcut), STGM_READ))) {
    return false;
  }
  std::u16string target(MAX_PATH, u'\0');
  std::u16string text(INFOTIPSIZE, u'\0');
  // A shortcut to something that is not a file (a shell folder) has no path: S_FALSE, an empty text. The raw
  // path, unexpanded: a 32-bit process would expand "%ProgramFiles%" to the 32-bit programs' folder.
  if (FAILED(link->GetPath(wide(target), MAX_PATH, nullptr, SLGP_RAWPATH)) ||
      FAILED(link->GetArguments(wide(text), INFOTIPSIZE))) {
    return false;
  }
  target.resize(target.find(u'\0'));
  text.resize(text.find(u'\0'));
  *path = target;
  *arguments = text;
  return true;
}

std::u16string Win32FileSystem::ExpandEnvironmentStringsW(const std::u16string& text) {
  std::u16string expanded(text.size() + 1, u'\0');
  for (;;) {
    const DWORD needed =
        ::ExpandEnvironmentStringsW(wide(text), wide(expanded), static_cast<DWORD>(expanded.size()));
    if (needed == 0) {
      return text;
    }
    if (needed <= expanded.size()) {
      expanded.resize(needed - 1);
      return expanded;
    }
    expanded.resize(needed);
  }
}

bool Win32FileSystem::GetFileVersionInfoW_CompanyName(const std::u16string& path, std::u16string* company) {
  const VersionCalls& version = versionCalls();
  if (!version.size || !version.info || !version.query) {
    return false;
  }
  DWORD handle = 0;
  const DWORD size = version.size(wide(path), &handle);
  if (size == 0) {
    return false;
  }
  std::vector<unsigned char> info(size);
  struct Translation {
    WORD language;
    WORD codePage;
  };
  void* translations = nullptr;
  UINT length = 0;
  if (!version.info(wide(path), 0, size, info.data()) ||
      !version.query(info.data(), L"\\VarFileInfo\\Translation", &translations, &length) ||
      length < sizeof(Translation)) {
    return false;
  }
  const auto* first = static_cast<const Translation*>(translations);
  char block[64];
  std::snprintf(block, sizeof block, "\\StringFileInfo\\%04x%04x\\CompanyName", first->language,
                first->codePage);
  const std::u16string query(block, block + std::strlen(block));
  void* text = nullptr;
  if (!version.query(info.data(), wide(query), &text, &length) || !text) {
    return false;
  }
  // The length counts characters, with the terminating NUL where the resource keeps one.
  const std::u16string value(static_cast<const char16_t*>(text), length);
  *company = value.substr(0, value.find(u'\0'));
  return true;
}

}  // namespace vantrel::platform::win32
