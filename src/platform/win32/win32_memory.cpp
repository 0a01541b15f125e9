// Win32 only: memory status and virtual memory from the system.
#include "platform/win32/win32_memory.h"

#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

namespace {

using GlobalMemoryStatusExFn = BOOL(WINAPI*)(LPMEMORYSTATUSEX);

// Windows 95/98/Me and NT 4 lack GlobalMemoryStatusEx; the release build must still start there.
GlobalMemoryStatusExFn globalMemoryStatusEx() {
  static const auto fn =
      SystemCall<GlobalMemoryStatusExFn>(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx");
  return fn;
}

}  // namespace

bool Win32Memory::GlobalMemoryStatus(MemoryStatus& status) {
  if (const auto ex = globalMemoryStatusEx()) {
    MEMORYSTATUSEX record{};
    record.dwLength = sizeof record;
    if (!ex(&record)) {
      return false;
    }
    status.totalPhys = record.ullTotalPhys;
    status.availPhys = record.ullAvailPhys;
    return true;
  }
  MEMORYSTATUS record{};
  record.dwLength = sizeof record;
  ::GlobalMemoryStatus(&record);
  status.totalPhys = record.dwTotalPhys;
  status.availPhys = record.dwAvailPhys;
  return true;
}

void* Win32Memory::VirtualAlloc(void* address, std::size_t size, std::uint32_t allocationType,
                                std::uint32_t protect) {
  return ::VirtualAlloc(address, size, allocationType, protect);
}

bool Win32Memory::VirtualFree(void* address, std::size_t size, std::uint32_t freeType) {
  return ::VirtualFree(address, size, freeType) != FALSE;
}

std::uint32_t Win32Memory::GetSystemInfo_PageSize() {
  SYSTEM_INFO system{};
  ::GetSystemInfo(&system);
  return system.dwPageSize;
}

}  // namespace vantrel::platform::win32
