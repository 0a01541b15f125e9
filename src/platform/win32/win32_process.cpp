// Win32 only: the running process's own facts.
#include "platform/win32/win32_process.h"

#include <algorithm>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"
// After <windows.h>: CommandLineToArgvW.
#include <shellapi.h>

namespace vantrel::platform::win32 {

namespace {

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

// Windows before XP SP2 lacks IsWow64Process; none of them runs on a 64-bit system.
IsWow64ProcessFn isWow64Process() {
  static const auto fn = SystemCall<IsWow64ProcessFn>(GetModuleHandleA("kernel32.dll"), "IsWow64Process");
  return fn;
}

}  // namespace

std::u16string Win32Process::GetModuleFileNameW() {
  // The longest path the system allows, in characters with the terminator.
  constexpr DWORD kLongestPath = 32768;
  // The result is cut without an error when the buffer is too small: grow it until the path fits.
  for (DWORD size = MAX_PATH;; size = std::min(2 * size, kLongestPath)) {
    std::u16string buffer(size, u'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, wide(buffer), size);
    if (length == 0) {
      return {};
    }
    if (length < size) {
      buffer.resize(length);
      return buffer;
    }
    if (size == kLongestPath) {
      return {};
    }
  }
}

std::u16string Win32Process::GetCommandLineW() {
  return reinterpret_cast<const char16_t*>(::GetCommandLineW());
}

std::vector<std::u16string> Win32Process::CommandLineToArgvW(const std::u16string& commandLine) {
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(wide(commandLine), &count);
  const ScopedLocal owner(reinterpret_cast<HLOCAL>(arguments));
  std::vector<std::u16string> result;
  for (int index = 0; arguments && index < count; ++index) {
    result.emplace_back(reinterpret_cast<const char16_t*>(arguments[index]));
  }
  return result;
}

bool Win32Process::IsWow64Process() {
  BOOL wow64 = FALSE;
  const auto fn = isWow64Process();
  return fn && fn(GetCurrentProcess(), &wow64) && wow64;
}

std::string Win32Process::GetSystemWow64DirectoryA() {
  char folder[MAX_PATH];
  const UINT length = ::GetSystemWow64DirectoryA(folder, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::string() : std::string(folder, length);
}

std::u16string Win32Process::LookupAccountSidW() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    return {};
  }
  const ScopedKernelHandle owned(token);
  // The user's SID follows the structure; SECURITY_MAX_SID_SIZE is 68 bytes.
  union {
    TOKEN_USER user;
    BYTE bytes[sizeof(TOKEN_USER) + 68];
  } owner;
  // The longest names that Windows gives an account and a domain, with their terminators.
  wchar_t name[257];
  wchar_t domain[257];
  DWORD size = sizeof owner;
  DWORD nameLength = 257;
  DWORD domainLength = 257;
  SID_NAME_USE use{};
  if (!GetTokenInformation(token, TokenUser, &owner, size, &size) ||
      !::LookupAccountSidW(nullptr, owner.user.User.Sid, name, &nameLength, domain, &domainLength, &use)) {
    return {};
  }
  domain[domainLength] = L'\\';
  return std::u16string(reinterpret_cast<const char16_t*>(domain), domainLength + 1) +
         reinterpret_cast<const char16_t*>(name);
}

}  // namespace vantrel::platform::win32
