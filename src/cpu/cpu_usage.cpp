#include "cpu/cpu_usage.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "framework/exception.h"
#include "platform/performance_block.h"

namespace vantrel {

namespace {

constexpr std::size_t kInitialBlockSize = 8192;
// A system that keeps answering "more data" would otherwise have the buffer grow without end; the processor
// object of the largest machines takes a small part of this.
constexpr std::size_t kLargestBlockSize = 4 * 1024 * 1024;

constexpr char16_t kStartStatKey[] = u"PerfStats\\StartStat";
constexpr char16_t kStatDataKey[] = u"PerfStats\\StatData";
constexpr char16_t kStopStatKey[] = u"PerfStats\\StopStat";
constexpr char16_t kCpuUsageValue[] = u"KERNEL\\CPUUsage";

struct CpuUsageState {
  platform::PerformanceData* performanceData = nullptr;
  platform::Registry* registry = nullptr;
  bool IsNtPlatform = false;

  // NT family.
  std::int32_t InstanceCount = -1;
  std::vector<std::uint8_t> PerformanceBlock = std::vector<std::uint8_t>(kInitialBlockSize);
  std::vector<std::int64_t> LatestCounters;
  std::vector<std::int64_t> EarlierCounters;
  std::vector<std::int64_t> NewCounters;  // a sample's values, kept apart until all of them are read
  std::int64_t LatestSampleTime = 0;
  std::int64_t EarlierSampleTime = 0;
  int SamplesTaken = 0;  // counted up to 2

  // Windows 95/98/Me.
  bool StatisticsStarted = false;
  platform::HKey StatDataKey = 0;
  std::uint32_t KernelCpuUsage = 0;
};

std::unique_ptr<CpuUsageState> state;

CpuUsageState& started() {
  if (!state) {
    throw std::logic_error("the CPU usage sampler is used before its start-up");
  }
  return *state;
}

// Signed 64-bit differences wrap as the system's own arithmetic does, whatever a block holds.
std::int64_t difference(std::int64_t later, std::int64_t earlier) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(later) - static_cast<std::uint64_t>(earlier));
}

void refreshNt(CpuUsageState& s) {
  // None of it when the query failed.
  const std::size_t length =
      platform::ReadPerformanceValue(*s.performanceData, platform::kProcessorObjectValue, s.PerformanceBlock,
                                     kLargestBlockSize)
          .value_or(0);
  const platform::PerformanceBlock block(s.PerformanceBlock.data(), length);

  const auto object = block.FindObject(platform::kProcessorObjectTitleIndex);
  if (!object) {
    throw Exception(kNoProcessorObjectMessage);
  }
  if (s.InstanceCount == -1) {
    const auto instances = block.NumInstances(*object);
    if (!instances) {
      throw Exception(kNoProcessorObjectMessage);
    }
    s.InstanceCount = *instances;
    s.LatestCounters.assign(*instances, 0);
    s.EarlierCounters.assign(*instances, 0);
    s.NewCounters.assign(*instances, 0);
  }
  const auto counterOffset = block.FindCounter(*object, platform::kProcessorTimeCounterTitleIndex);
  if (!counterOffset) {
    throw Exception(kNoUsageCounterMessage);
  }
  // Every instance's value is read before any moves, so a block that lists fewer instances than the first
  // one, or ends inside one, leaves the two samples as they were.
  if (!block.ReadInstanceValues(*object, *counterOffset, s.NewCounters)) {
    throw Exception(kNoUsageCounterMessage);
  }
  std::swap(s.EarlierCounters, s.LatestCounters);
  std::swap(s.LatestCounters, s.NewCounters);

  // The conversion's result is not looked at: a time stamp it cannot convert counts as no time passed.
  std::int64_t sampleTime = s.LatestSampleTime;
  s.performanceData->SystemTimeToFileTime(block.BlockSystemTime(), sampleTime);
  s.EarlierSampleTime = s.LatestSampleTime;
  s.LatestSampleTime = sampleTime;
  s.SamplesTaken = std::min(s.SamplesTaken + 1, 2);
}

// Reads the kernel's value into KernelCpuUsage; after a failed read the value last stored stands.
void readKernelCpuUsage(CpuUsageState& s, platform::HKey key) {
  std::uint8_t bytes[4];
  std::uint32_t size = sizeof bytes;
  if (s.registry->RegQueryValueExW(key, kCpuUsageValue, nullptr, bytes, &size) == platform::kErrorSuccess &&
      size == sizeof bytes) {
    s.KernelCpuUsage = static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16) |
                       static_cast<std::uint32_t>(bytes[3]) << 24;
  }
}

void refresh9x(CpuUsageState& s) {
  if (!s.StatisticsStarted) {
    platform::HKey startKey = 0;
    if (s.registry->RegOpenKeyExW(platform::kHKeyDynData, kStartStatKey, platform::kKeyAllAccess,
                                  &startKey) != platform::kErrorSuccess) {
      throw Exception(kCannotStartStatisticsMessage);
    }
    // Reading under the start key is what starts the statistics.
    readKernelCpuUsage(s, startKey);
    s.registry->RegCloseKey(startKey);
    if (s.registry->RegOpenKeyExW(platform::kHKeyDynData, kStatDataKey, platform::kKeyRead, &s.StatDataKey) !=
        platform::kErrorSuccess) {
      throw Exception(kCannotReadStatisticsMessage);
    }
    s.StatisticsStarted = true;
  }
  readKernelCpuUsage(s, s.StatDataKey);
}

double usageNt(CpuUsageState& s, std::int32_t index) {
  if (s.InstanceCount == -1) {
    refreshNt(s);
  }
  if (index < 0 || index >= s.InstanceCount) {
    throw Exception(kCpuIndexOutOfBoundsMessage);
  }
  // One sample alone has no interval to measure.
  if (s.SamplesTaken < 2 || s.LatestSampleTime == s.EarlierSampleTime) {
    return 0;
  }
  const std::int64_t idle = difference(s.LatestCounters[index], s.EarlierCounters[index]);
  const std::int64_t elapsed = difference(s.LatestSampleTime, s.EarlierSampleTime);
  return static_cast<double>(1 - static_cast<long double>(idle) / static_cast<long double>(elapsed));
}

double usage9x(CpuUsageState& s, std::int32_t index) {
  if (index != 0) {
    throw Exception(kCpuIndexOutOfBoundsMessage);
  }
  if (!s.StatisticsStarted) {
    refresh9x(s);
  }
  return s.KernelCpuUsage / 100.0;
}

}  // namespace

void StartupCpuUsage(const platform::Services& services) {
  if (state) {
    throw std::logic_error("the CPU usage sampler is started twice");
  }
  platform::OsVersionInfo version;
  if (!services.version->GetVersionExA(version)) {
    throw Exception(kNoWindowsVersionMessage);
  }
  auto fresh = std::make_unique<CpuUsageState>();
  fresh->performanceData = services.performanceData;
  fresh->registry = services.registry;
  fresh->IsNtPlatform = version.platformId == platform::kVerPlatformWin32Nt;
  state = std::move(fresh);
}

void ShutdownCpuUsage() {
  if (!state) {
    return;
  }
  StopProcessorStatistics();
  state.reset();
}

void RefreshProcessorData() {
  CpuUsageState& s = started();
  if (s.IsNtPlatform) {
    refreshNt(s);
  } else {
    refresh9x(s);
  }
}

std::int32_t ProcessorCount() {
  CpuUsageState& s = started();
  if (!s.IsNtPlatform) {
    return 1;
  }
  if (s.InstanceCount == -1) {
    refreshNt(s);
  }
  return s.InstanceCount;
}

double ProcessorUsage(std::int32_t index) {
  CpuUsageState& s = started();
  return s.IsNtPlatform ? usageNt(s, index) : usage9x(s, index);
}

void StopProcessorStatistics() {
  CpuUsageState& s = started();
  if (s.IsNtPlatform || !s.StatisticsStarted) {
    return;
  }
  s.StatisticsStarted = false;
  s.registry->RegCloseKey(s.StatDataKey);
  platform::HKey stopKey = 0;
  if (s.registry->RegOpenKeyExW(platform::kHKeyDynData, kStopStatKey, platform::kKeyAllAccess, &stopKey) ==
      platform::kErrorSuccess) {
    readKernelCpuUsage(s, stopKey);
    s.registry->RegCloseKey(stopKey);
  }
}

}  // namespace vantrel
