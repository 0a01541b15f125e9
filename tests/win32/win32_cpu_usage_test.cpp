// The real version, time-of-day and performance-data services, and the sampler on them, under Windows (Wine
// in CI).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <sstream>
#include <thread>
#include <vector>

#include "cpu/cpu_usage.h"
#include "performance_data_contract.h"
#include "platform/performance_block.h"
#include "platform/win32/win32_performance_data.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_time_of_day.h"
#include "platform/win32/win32_version.h"
#include "platform/win32/windows_api.h"

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;

std::int64_t quad(const FILETIME& time) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 |
                                   time.dwLowDateTime);
}

std::int64_t now() {
  FILETIME time;
  GetSystemTimeAsFileTime(&time);
  return quad(time);
}

std::size_t processors() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  return system.dwNumberOfProcessors;
}

// Wine counts the host's idle time in ticks of 10 ms.
constexpr std::int64_t kIdleTick = 100000;

TEST(Win32Version, TellsTheNtFamilyAndARelease) {
  platform::win32::Win32Version version;
  platform::OsVersionInfo info;
  ASSERT_TRUE(version.GetVersionExA(info));
  EXPECT_EQ(info.platformId, platform::kVerPlatformWin32Nt);
  // Every NT release this program runs on is 5.1 or later.
  EXPECT_TRUE(platform::AtLeast(info, 5, 1)) << info.majorVersion << "." << info.minorVersion;
}

TEST(Win32TimeOfDay, TellsNowInUtc) {
  platform::win32::Win32TimeOfDay timeOfDay;
  // Seconds from 1601 to 1970.
  const auto expected = (static_cast<std::uint64_t>(std::time(nullptr)) + 11644473600ULL) * 10000000ULL;
  const std::uint64_t told = timeOfDay.GetSystemTimeAsFileTime();
  EXPECT_LT(told > expected ? told - expected : expected - told, 60 * 10000000ULL);
}

TEST(Win32PerformanceData, KeepsThePerformanceDataContract) {
  platform::win32::Win32PerformanceData performanceData;
  contract::checkPerformanceData(performanceData);
}

TEST(Win32PerformanceData, TheProcessorBlockListsEveryProcessorAndTheTotalAndIsStampedNow) {
  platform::win32::Win32PerformanceData performanceData;
  std::vector<std::uint8_t> buffer(65536);
  auto size = static_cast<std::uint32_t>(buffer.size());
  const std::int64_t before = now();
  ASSERT_EQ(performanceData.RegQueryValueExA("238", buffer.data(), &size), platform::kErrorSuccess);
  const std::int64_t after = now();
  const platform::PerformanceBlock block(buffer.data(), size);
  const auto object = block.FindObject(platform::kProcessorObjectTitleIndex);
  ASSERT_TRUE(object);
  EXPECT_EQ(block.NumInstances(*object), static_cast<std::int32_t>(processors() + 1));
  std::int64_t stamp = 0;
  ASSERT_TRUE(performanceData.SystemTimeToFileTime(block.BlockSystemTime(), stamp));
  // The stamp has whole milliseconds.
  EXPECT_GE(stamp, before - 10000);
  EXPECT_LE(stamp, after);
}

TEST(Win32PerformanceData, GathersEachProcessorsIdleTime) {
  using GetSystemTimesFn = BOOL(WINAPI*)(FILETIME*, FILETIME*, FILETIME*);
  const auto getSystemTimes = reinterpret_cast<GetSystemTimesFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimes")));
  ASSERT_NE(getSystemTimes, nullptr);
  FILETIME idle, kernel, user;
  ASSERT_TRUE(getSystemTimes(&idle, &kernel, &user));
  const std::int64_t idleBefore = quad(idle);
  platform::ProcessorTimes times;
  ASSERT_TRUE(platform::win32::GatherProcessorTimes(times));
  ASSERT_TRUE(getSystemTimes(&idle, &kernel, &user));
  const std::int64_t idleAfter = quad(idle);

  ASSERT_EQ(times.idleTimes.size(), processors());
  std::int64_t sum = 0;
  for (const std::int64_t processorIdle : times.idleTimes) {
    EXPECT_GT(processorIdle, 0);
    sum += processorIdle;
  }
  const auto slack = static_cast<std::int64_t>(2 * kIdleTick * processors());
  EXPECT_GE(sum, idleBefore - slack);
  EXPECT_LE(sum, idleAfter + slack);

  platform::win32::Win32PerformanceData performanceData;
  std::int64_t fileTime = 0;
  ASSERT_TRUE(performanceData.SystemTimeToFileTime(times.time, fileTime));
  EXPECT_EQ(fileTime, times.fileTime);
}

TEST(RealSampler, ABusyThreadShowsInTheTotalAndEveryLoadIsAShare) {
  StartupCpuUsage(platform::win32::services());
  RefreshProcessorData();
  const auto started = Clock::now();
  std::atomic<bool> stop{false};
  std::thread spinner([&] {
    volatile std::uint64_t spins = 0;
    while (!stop.load(std::memory_order_relaxed)) {
      spins = spins + 1;
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  RefreshProcessorData();
  const double interval = std::chrono::duration<double>(Clock::now() - started).count();
  stop = true;
  spinner.join();

  const std::int32_t count = ProcessorCount();
  ASSERT_EQ(count, static_cast<std::int32_t>(processors() + 1));
  // The idle counters move in whole ticks, so a load may stray from [0, 1] by a tick or two of the interval.
  const double tolerance = 2 * kIdleTick / (interval * 1e7);
  std::ostringstream readings;
  for (std::int32_t i = 0; i < count; ++i) {
    const double usage = ProcessorUsage(i);
    readings << (i ? " " : "") << usage;
    EXPECT_GE(usage, -tolerance) << i;
    EXPECT_LE(usage, 1 + tolerance) << i;
  }
  RecordProperty("usages", readings.str());
  // One processor of n was kept busy the whole time; the total is the last instance.
  EXPECT_GE(ProcessorUsage(count - 1), 0.5 / static_cast<double>(count - 1)) << readings.str();
  ShutdownCpuUsage();
}

}  // namespace
}  // namespace vantrel
