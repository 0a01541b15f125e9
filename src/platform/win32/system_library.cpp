// Win32 only: libraries loaded from the system folder by full path, and the search kept to it.
#include "platform/win32/system_library.h"

#include <string>

#include "platform/win32/win32_services.h"

namespace vantrel::platform::win32 {

namespace {

// SetDefaultDllDirectories' flag, spelt out: older headers lack it.
constexpr DWORD kLoadLibrarySearchSystem32 = 0x00000800;

}  // namespace

HMODULE LoadSystemLibrary(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return nullptr;
  }
  return ::LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

void SearchSystemFolderOnly() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  if (const auto setDirectories = SystemCall<SetDefaultDllDirectoriesFn>(::GetModuleHandleW(L"kernel32.dll"),
                                                                         "SetDefaultDllDirectories")) {
    setDirectories(kLoadLibrarySearchSystem32);
  }
}

}  // namespace vantrel::platform::win32
