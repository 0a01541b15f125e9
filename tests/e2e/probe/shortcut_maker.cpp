// The end-to-end tests' maker of shortcuts, through the shell-link interface as installers make them:
//   shortcut_maker SHORTCUT TARGET ARGUMENTS
// Exits with 0 when the shortcut is saved. Names in any script: the command line is read in UTF-16.
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <objbase.h>
#include <shlobj.h>

namespace {

bool save(const wchar_t* shortcut, const wchar_t* target, const wchar_t* arguments) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  IPersistFile* file = nullptr;
  const bool saved = SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetArguments(arguments)) &&
                     SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                     SUCCEEDED(file->Save(shortcut, TRUE));
  if (file != nullptr) {
    file->Release();
  }
  link->Release();
  return saved;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 4 || FAILED(CoInitialize(nullptr))) {
    return 2;
  }
  const bool saved = save(arguments[1], arguments[2], arguments[3]);
  CoUninitialize();
  LocalFree(arguments);
  return saved ? 0 : 1;
}
