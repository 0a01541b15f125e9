// Win32 only: the system's performance data.
#include "platform/win32/win32_performance_data.h"

#include <cstring>
#include <vector>

#include "platform/performance_block.h"
#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

namespace {

// The system's record for one processor, 100 ns units; the idle time is part of the kernel time.
struct ProcessorPerformance {
  LARGE_INTEGER idleTime;
  LARGE_INTEGER kernelTime;
  LARGE_INTEGER userTime;
  LARGE_INTEGER reserved[2];
  ULONG interruptCount;
};
static_assert(sizeof(ProcessorPerformance) == 48);

constexpr int kSystemProcessorPerformanceInformation = 8;
using NtQuerySystemInformationFn = LONG(WINAPI*)(int, void*, ULONG, ULONG*);

// Reached at run time: ntdll is not among the libraries the program may import, and the 95/98/Me family has
// none.
NtQuerySystemInformationFn ntQuerySystemInformation() {
  static const auto fn =
      SystemCall<NtQuerySystemInformationFn>(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
  return fn;
}

std::int64_t quad(const FILETIME& time) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 |
                                   time.dwLowDateTime);
}

}  // namespace

bool GatherProcessorTimes(ProcessorTimes& times) {
  const auto query = ntQuerySystemInformation();
  if (!query) {
    return false;
  }
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  std::vector<ProcessorPerformance> processors(system.dwNumberOfProcessors ? system.dwNumberOfProcessors : 1);
  ULONG written = 0;
  if (query(kSystemProcessorPerformanceInformation, processors.data(),
            static_cast<ULONG>(processors.size() * sizeof(ProcessorPerformance)), &written) < 0 ||
      written < sizeof(ProcessorPerformance)) {
    return false;
  }
  // The stamp is taken right after the idle times, at the system time's own resolution, as Windows stamps
  // its blocks: two samples within one millisecond carry the same stamp.
  SYSTEMTIME now{};
  GetSystemTime(&now);
  FILETIME fileTime{};
  ::SystemTimeToFileTime(&now, &fileTime);

  times.time = {now.wYear, now.wMonth,  now.wDayOfWeek, now.wDay,
                now.wHour, now.wMinute, now.wSecond,    now.wMilliseconds};
  times.fileTime = quad(fileTime);
  times.idleTimes.clear();
  for (std::size_t i = 0; i < written / sizeof(ProcessorPerformance); ++i) {
    times.idleTimes.push_back(processors[i].idleTime.QuadPart);
  }
  return true;
}

long Win32PerformanceData::RegQueryValueExA(const char* valueName, std::uint8_t* data,
                                            std::uint32_t* dataSize) {
  const bool processorQuery = std::strcmp(valueName, kProcessorObjectValue) == 0;
  if (!(processorQuery && systemLacksProcessorObject_)) {
    DWORD size = *dataSize;
    const LONG answer = ::RegQueryValueExA(HKEY_PERFORMANCE_DATA, valueName, nullptr, nullptr, data, &size);
    if (answer != ERROR_SUCCESS || !processorQuery ||
        PerformanceBlock(data, size).FindObject(kProcessorObjectTitleIndex)) {
      *dataSize = size;
      return answer;
    }
    // A system that answers without the object does so every time, and its query is slow (milliseconds
    // under Wine), so it is asked no more.
    systemLacksProcessorObject_ = true;
  }
  ProcessorTimes times;
  if (!GatherProcessorTimes(times)) {
    return ERROR_FILE_NOT_FOUND;
  }
  return DeliverPerformanceBlock(BuildProcessorBlock(times), data, dataSize);
}

bool Win32PerformanceData::SystemTimeToFileTime(const SystemTime& systemTime, std::int64_t& fileTime) {
  const SYSTEMTIME native{systemTime.year, systemTime.month,  systemTime.dayOfWeek, systemTime.day,
                          systemTime.hour, systemTime.minute, systemTime.second,    systemTime.milliseconds};
  FILETIME converted{};
  if (!::SystemTimeToFileTime(&native, &converted)) {
    return false;
  }
  fileTime = quad(converted);
  return true;
}

}  // namespace vantrel::platform::win32
