// Win32 only: the system's memory calls and the privileges they ask for.
#include "platform/win32/win32_system_memory.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "platform/unicode.h"
#include "platform/version.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <psapi.h>

namespace vantrel::platform::win32 {

namespace {

using NtSetSystemInformationFn = LONG(NTAPI*)(ULONG, PVOID, ULONG);
using NtQuerySystemInformationFn = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

constexpr ULONG kSystemPerformanceInformation = 2;
// Where PageReadCount lies in SYSTEM_PERFORMANCE_INFORMATION, the same in 32- and 64-bit processes (four
// 64-bit figures, then 32-bit ones); the structure has grown with each Windows, so the buffer is larger than
// any of them.
constexpr std::size_t kPageReadCountOffset = 80;
constexpr std::size_t kPerformanceInformationRoom = 1024;
constexpr ULONG kSystemPageFileInformation = 18;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
// SYSTEM_PAGEFILE_INFORMATION opens with four ULONGs (NextEntryOffset, TotalSize, TotalInUse, PeakUsage) in
// either bitness; the file's name follows them.
constexpr std::size_t kPageFileInUseOffset = 8;
constexpr std::size_t kPageFileEntryHead = 16;
using GetPerformanceInfoFn = BOOL(WINAPI*)(PPERFORMANCE_INFORMATION, DWORD);
using SetSystemFileCacheSizeFn = BOOL(WINAPI*)(SIZE_T, SIZE_T, DWORD);
using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EmptyWorkingSetFn = BOOL(WINAPI*)(HANDLE);
using GetProcessImageFileNameWFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD);

// What SystemCombinePhysicalMemoryInformation takes: a handle (none: the whole system), the count it gives
// back and flags, laid out as the system's own structure in either bitness (12 bytes in 32-bit processes, 24
// in 64-bit ones).
struct MemoryCombineInformationEx {
  HANDLE handle;
  ULONG_PTR pagesCombined;
  ULONG flags;
};
static_assert(sizeof(MemoryCombineInformationEx) == (sizeof(void*) == 8 ? 24 : 12));

NtSetSystemInformationFn ntSetSystemInformation() {
  static const auto fn =
      SystemCall<NtSetSystemInformationFn>(GetModuleHandleA("ntdll.dll"), "NtSetSystemInformation");
  return fn;
}

// Vista's narrower right to open a process; before it, only the full query right lets EmptyWorkingSet in.
constexpr DWORD kProcessQueryLimitedInformation = 0x1000;

// Loaded once, and kept for the process's life.
HMODULE psapi() {
  static const HMODULE module = LoadSystemLibrary(L"psapi.dll");
  return module;
}

// Windows 7 moved the process-status calls into kernel32 as K32*; before it they live in psapi.dll only.
template <typename Fn>
Fn processStatusCall(const char* name) {
  if (const auto fn = SystemCall<Fn>(GetModuleHandleA("kernel32.dll"), (std::string("K32") + name).c_str())) {
    return fn;
  }
  return SystemCall<Fn>(psapi(), name);
}

bool vistaOrLater() {
  static const bool vista = [] {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return ::GetVersionExA(&info) &&
           VistaOrLater({info.dwMajorVersion, info.dwMinorVersion, info.dwPlatformId});
  }();
  return vista;
}

SIZE_T sizeOf(std::uint64_t figure) {
  // SetSystemFileCacheSize's "all of it" is (SIZE_T)-1 in either bitness.
  return figure == kFlushFileCache ? static_cast<SIZE_T>(-1) : static_cast<SIZE_T>(figure);
}

}  // namespace

bool Win32SystemMemory::HoldsPrivilege(const char* name) {
  LUID luid{};
  HANDLE token = nullptr;
  if (!LookupPrivilegeValueA(nullptr, name, &luid) ||
      !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    return false;
  }
  const ScopedKernelHandle owned(token);
  DWORD size = 0;
  GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  if (size < sizeof(TOKEN_PRIVILEGES)) {
    return false;
  }
  // DWORDs, so that the record inside is aligned.
  std::vector<DWORD> buffer(size / sizeof(DWORD) + 1);
  auto* privileges = reinterpret_cast<TOKEN_PRIVILEGES*>(buffer.data());
  if (!GetTokenInformation(token, TokenPrivileges, privileges, size, &size)) {
    return false;
  }
  for (DWORD index = 0; index < privileges->PrivilegeCount; ++index) {
    const LUID& held = privileges->Privileges[index].Luid;
    if (held.LowPart == luid.LowPart && held.HighPart == luid.HighPart) {
      return true;
    }
  }
  return false;
}

long Win32SystemMemory::AdjustTokenPrivileges(const char* name, bool enable, bool& wasEnabled) {
  TOKEN_PRIVILEGES wanted{};
  wanted.PrivilegeCount = 1;
  wanted.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  if (!LookupPrivilegeValueA(nullptr, name, &wanted.Privileges[0].Luid)) {
    return static_cast<long>(GetLastError());
  }
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    return static_cast<long>(GetLastError());
  }
  const ScopedKernelHandle owned(token);
  TOKEN_PRIVILEGES previous{};
  DWORD size = 0;
  // It answers TRUE for a privilege the token lacks too: only the last error tells.
  SetLastError(ERROR_SUCCESS);
  if (!::AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous, &previous, &size)) {
    return static_cast<long>(GetLastError());
  }
  if (const DWORD error = GetLastError(); error != ERROR_SUCCESS) {
    return static_cast<long>(error);
  }
  // Windows lists only the privileges it changed: none listed means it already was as asked.
  wasEnabled =
      previous.PrivilegeCount == 0 ? enable : (previous.Privileges[0].Attributes & SE_PRIVILEGE_ENABLED) != 0;
  return 0;
}

std::uint32_t Win32SystemMemory::NtSetSystemInformation(std::uint32_t infoClass, std::uint32_t command) {
  const auto fn = ntSetSystemInformation();
  if (!fn) {
    return kStatusProcedureNotFound;
  }
  ULONG value = command;
  return static_cast<std::uint32_t>(fn(infoClass, &value, sizeof value));
}

std::uint32_t Win32SystemMemory::NtSetSystemInformation_CombinePages(std::uint64_t& pagesCombined) {
  pagesCombined = 0;
  const auto fn = ntSetSystemInformation();
  if (!fn) {
    return kStatusProcedureNotFound;
  }
  MemoryCombineInformationEx information{};
  const auto status = static_cast<std::uint32_t>(
      fn(kSystemCombinePhysicalMemoryInformation, &information, sizeof information));
  // A refusal may leave anything in the count.
  if (status < 0x80000000u) {
    pagesCombined = information.pagesCombined;
  }
  return status;
}

std::uint32_t Win32SystemMemory::NtSetSystemInformation_NoInput(std::uint32_t infoClass) {
  const auto fn = ntSetSystemInformation();
  if (!fn) {
    return kStatusProcedureNotFound;
  }
  return static_cast<std::uint32_t>(fn(infoClass, nullptr, 0));
}

bool Win32SystemMemory::NtQuerySystemInformation_PageReadCount(std::uint32_t& pages) {
  static const auto fn =
      SystemCall<NtQuerySystemInformationFn>(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
  alignas(8) unsigned char information[kPerformanceInformationRoom] = {};
  ULONG written = 0;
  if (!fn || fn(kSystemPerformanceInformation, information, sizeof information, &written) < 0 ||
      written < kPageReadCountOffset + sizeof(ULONG)) {
    return false;
  }
  std::memcpy(&pages, information + kPageReadCountOffset, sizeof pages);
  return pages != 0;
}

bool Win32SystemMemory::GetPerformanceInfo_Commit(CommitCharge& commit) {
  static const auto fn = processStatusCall<GetPerformanceInfoFn>("GetPerformanceInfo");
  PERFORMANCE_INFORMATION information{};
  information.cb = sizeof information;
  if (!fn || !fn(&information, sizeof information) || information.CommitLimit == 0) {
    return false;
  }
  commit.committed = std::uint64_t{information.CommitTotal} * information.PageSize;
  commit.limit = std::uint64_t{information.CommitLimit} * information.PageSize;
  return true;
}

std::optional<PageFileUse> Win32SystemMemory::NtQuerySystemInformation_PageFiles() {
  static const auto fn =
      SystemCall<NtQuerySystemInformationFn>(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
  if (!fn) {
    return std::nullopt;
  }
  SYSTEM_INFO system{};
  ::GetSystemInfo(&system);
  // Each entry carries its file's name: the room grows until all of them fit.
  for (ULONG room = 4096; room <= (1u << 20); room *= 4) {
    std::vector<std::uint64_t> buffer(room / sizeof(std::uint64_t));
    ULONG written = 0;
    const LONG status = fn(kSystemPageFileInformation, buffer.data(), room, &written);
    if (status == kStatusInfoLengthMismatch) {
      continue;
    }
    if (status < 0) {
      return std::nullopt;
    }
    // No page file set up: success, and no entry written.
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
    const std::size_t end = std::min<std::size_t>(written, room);
    PageFileUse use;
    for (std::size_t offset = 0; offset + kPageFileEntryHead <= end;) {
      ULONG next = 0;
      ULONG inUse = 0;
      std::memcpy(&next, bytes + offset, sizeof next);
      std::memcpy(&inUse, bytes + offset + kPageFileInUseOffset, sizeof inUse);
      ++use.files;
      use.inUse += std::uint64_t{inUse} * system.dwPageSize;
      if (next < kPageFileEntryHead) {
        break;
      }
      offset += next;
    }
    return use;
  }
  return std::nullopt;
}

long Win32SystemMemory::SetSystemFileCacheSize(std::uint64_t minimum, std::uint64_t maximum,
                                               std::uint32_t flags) {
  // Windows Server 2003 SP1 and XP x64 on.
  static const auto fn =
      SystemCall<SetSystemFileCacheSizeFn>(GetModuleHandleA("kernel32.dll"), "SetSystemFileCacheSize");
  if (!fn) {
    return kErrorProcNotFound;
  }
  constexpr std::uint64_t kLargest = std::numeric_limits<SIZE_T>::max();
  if ((minimum != kFlushFileCache && minimum > kLargest) ||
      (maximum != kFlushFileCache && maximum > kLargest)) {
    return kErrorInvalidParameter;
  }
  return fn(sizeOf(minimum), sizeOf(maximum), flags) ? 0 : static_cast<long>(GetLastError());
}

std::vector<std::uint32_t> Win32SystemMemory::EnumProcesses() {
  static const auto fn = processStatusCall<EnumProcessesFn>("EnumProcesses");
  if (!fn) {
    return {};
  }
  // It cuts the list without an error when the buffer is too small: grow it until some room is left.
  for (DWORD count = 1024; count <= 1024 * 1024; count *= 2) {
    std::vector<DWORD> ids(count);
    DWORD bytes = 0;
    if (!fn(ids.data(), count * sizeof(DWORD), &bytes)) {
      return {};
    }
    if (bytes < count * sizeof(DWORD)) {
      return std::vector<std::uint32_t>(ids.begin(), ids.begin() + bytes / sizeof(DWORD));
    }
  }
  return {};
}

long Win32SystemMemory::EmptyWorkingSet(std::uint32_t processId) {
  static const auto fn = processStatusCall<EmptyWorkingSetFn>("EmptyWorkingSet");
  if (!fn) {
    return kErrorProcNotFound;
  }
  const DWORD query = vistaOrLater() ? kProcessQueryLimitedInformation : PROCESS_QUERY_INFORMATION;
  const ScopedKernelHandle process(OpenProcess(query | PROCESS_SET_QUOTA, FALSE, processId));
  if (!process) {
    return static_cast<long>(GetLastError());
  }
  return fn(process.get()) ? 0 : static_cast<long>(GetLastError());
}

std::string Win32SystemMemory::ProcessName(std::uint32_t processId) {
  static const auto fn = processStatusCall<GetProcessImageFileNameWFn>("GetProcessImageFileNameW");
  if (!fn) {
    return {};
  }
  const DWORD query = vistaOrLater() ? kProcessQueryLimitedInformation : PROCESS_QUERY_INFORMATION;
  const ScopedKernelHandle process(OpenProcess(query, FALSE, processId));
  if (!process) {
    return {};
  }
  // The path is in the kernel's form (\Device\HarddiskVolume2\...): only its last part is wanted.
  std::wstring path(MAX_PATH * 4, L'\0');
  const DWORD length = fn(process.get(), path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) {
    return {};
  }
  path.resize(length);
  const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
  return Utf16ToUtf8(std::u16string(name.begin(), name.end()));
}

}  // namespace vantrel::platform::win32
