// Win32 only: libraries that are not among Windows' known DLLs, loaded from the system folder alone.
#pragma once

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

// The library `name` ("version.dll") from the system folder by its full path, never from the program's
// folder, where anyone could have put one of their own. Null where it is missing.
HMODULE LoadSystemLibrary(const wchar_t* name);

// An entry point of `module`, which need not be a system library; null where the module or the entry point
// is missing.
template <typename Fn>
Fn SystemCall(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace vantrel::platform::win32
