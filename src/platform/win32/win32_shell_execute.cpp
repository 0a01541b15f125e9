// Win32 only: opening documents and addresses through the shell.
#include "platform/win32/win32_shell_execute.h"

#include "platform/win32/com.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <shellapi.h>

namespace vantrel::platform::win32 {

std::intptr_t Win32ShellExecution::ShellExecuteA(WindowHandle owner, const std::string& operation,
                                                 const std::string& file, const std::string& parameters,
                                                 const std::string& directory, int showCommand) {
  const ComApartment apartment;
  return reinterpret_cast<std::intptr_t>(::ShellExecuteA(reinterpret_cast<HWND>(owner), operation.c_str(),
                                                         file.c_str(), parameters.c_str(), directory.c_str(),
                                                         showCommand));
}

std::intptr_t Win32ShellExecution::ShellExecuteW(WindowHandle owner, const std::u16string& operation,
                                                 const std::u16string& file, const std::u16string& parameters,
                                                 const std::u16string& directory, int showCommand) {
  // The shell may hand the file to a handler of its own through COM, also on a thread that has none yet.
  const ComApartment apartment;
  return reinterpret_cast<std::intptr_t>(::ShellExecuteW(reinterpret_cast<HWND>(owner), wide(operation),
                                                         wide(file), wide(parameters), wide(directory),
                                                         showCommand));
}

}  // namespace vantrel::platform::win32
