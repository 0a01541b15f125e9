#include "performance_data_contract.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/performance_block.h"
#include "platform/registry.h"

namespace vantrel::contract {

namespace {

platform::SystemTime at(int year, int month, int day, int hour, int minute, int second, int milliseconds) {
  platform::SystemTime time;
  time.year = static_cast<std::uint16_t>(year);
  time.month = static_cast<std::uint16_t>(month);
  time.day = static_cast<std::uint16_t>(day);
  time.hour = static_cast<std::uint16_t>(hour);
  time.minute = static_cast<std::uint16_t>(minute);
  time.second = static_cast<std::uint16_t>(second);
  time.milliseconds = static_cast<std::uint16_t>(milliseconds);
  return time;
}

void checkTimeConversion(platform::PerformanceData& performanceData) {
  struct Valid {
    platform::SystemTime time;
    std::int64_t fileTime;
  };
  const Valid valid[] = {
      {at(1601, 1, 1, 0, 0, 0, 0), 0},
      {at(1970, 1, 1, 0, 0, 0, 0), 116444736000000000},
      {at(2000, 2, 29, 23, 59, 59, 999), 125963423999990000},  // a leap day in a year divisible by 400
      {at(2024, 3, 1, 12, 0, 0, 1), 133537680000010000},
  };
  for (const Valid& v : valid) {
    std::int64_t fileTime = -1;
    EXPECT_TRUE(performanceData.SystemTimeToFileTime(v.time, fileTime)) << v.time.year;
    EXPECT_EQ(fileTime, v.fileTime) << v.time.year;
  }
  // Wine takes 29 February of any year, so the contract leaves that day out.
  const platform::SystemTime invalid[] = {
      at(2024, 13, 1, 0, 0, 0, 0),   at(2024, 0, 1, 0, 0, 0, 0),   at(2024, 4, 31, 0, 0, 0, 0),
      at(2024, 1, 0, 0, 0, 0, 0),    at(2024, 1, 1, 24, 0, 0, 0),  at(2024, 1, 1, 0, 60, 0, 0),
      at(2024, 1, 1, 0, 0, 0, 1000), at(1600, 12, 31, 0, 0, 0, 0),
  };
  for (const platform::SystemTime& time : invalid) {
    std::int64_t fileTime = 0;
    EXPECT_FALSE(performanceData.SystemTimeToFileTime(time, fileTime))
        << time.year << "-" << time.month << "-" << time.day << " " << time.hour << ":" << time.minute << "."
        << time.milliseconds;
  }
}

}  // namespace

void checkPerformanceData(platform::PerformanceData& performanceData) {
  std::vector<std::uint8_t> small(16);
  std::uint32_t size = static_cast<std::uint32_t>(small.size());
  EXPECT_EQ(performanceData.RegQueryValueExA("238", small.data(), &size), platform::kErrorMoreData);

  std::vector<std::uint8_t> buffer(65536);
  size = static_cast<std::uint32_t>(buffer.size());
  ASSERT_EQ(performanceData.RegQueryValueExA("238", buffer.data(), &size), platform::kErrorSuccess);
  ASSERT_LE(size, buffer.size());
  const platform::PerformanceBlock block(buffer.data(), size);
  const auto object = block.FindObject(platform::kProcessorObjectTitleIndex);
  ASSERT_TRUE(object);
  const auto instances = block.NumInstances(*object);
  ASSERT_TRUE(instances);
  EXPECT_GE(*instances, 2);  // at least one processor and the total
  const auto counter = block.FindCounter(*object, platform::kProcessorTimeCounterTitleIndex);
  ASSERT_TRUE(counter);
  std::vector<std::int64_t> idleTimes(*instances);
  ASSERT_TRUE(block.ReadInstanceValues(*object, *counter, idleTimes));
  for (const std::int64_t idle : idleTimes) {
    EXPECT_GE(idle, 0);
  }
  std::int64_t stamp = 0;
  EXPECT_TRUE(performanceData.SystemTimeToFileTime(block.BlockSystemTime(), stamp));
  EXPECT_GT(stamp, 116444736000000000);  // after 1970

  checkTimeConversion(performanceData);
}

}  // namespace vantrel::contract
