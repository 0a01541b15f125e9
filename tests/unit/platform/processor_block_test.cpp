#include "platform/processor_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cpu/cpu_usage.h"
#include "fake_performance_data.h"
#include "fake_version.h"
#include "performance_data_contract.h"
#include "platform/registry.h"
#include "test_blocks.h"

namespace vantrel {
namespace {

using fakes::kTicksPerMillisecond;
constexpr std::int64_t kSecond = 1000 * kTicksPerMillisecond;

platform::ProcessorTimes timesAt(std::int64_t milliseconds, std::vector<std::int64_t> idleTimes) {
  platform::ProcessorTimes times;
  times.time = fakes::sampleTime(milliseconds);
  fakes::FakePerformanceData{}.SystemTimeToFileTime(times.time, times.fileTime);
  times.idleTimes = std::move(idleTimes);
  return times;
}

std::uint32_t u32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return bytes.at(offset) | bytes.at(offset + 1) << 8 | bytes.at(offset + 2) << 16 |
         static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}

std::string utf16(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i + 1 < length; i += 2) {
    const int c = bytes.at(offset + i) | bytes.at(offset + i + 1) << 8;
    if (c == 0) {
      break;
    }
    text += static_cast<char>(c);
  }
  return text;
}

// The sampler reads a built block as it reads Windows' own, and the last instance is the whole machine.
TEST(ProcessorBlock, TheSamplerReadsEachProcessorAndTheTotalLast) {
  fakes::FakeVersion version;
  fakes::FakePerformanceData performanceData;
  platform::Services services;
  services.version = &version;
  services.performanceData = &performanceData;
  StartupCpuUsage(services);
  performanceData.block = BuildProcessorBlock(timesAt(0, {7 * kSecond, 9 * kSecond, 0}));
  RefreshProcessorData();
  // Idle for all, a quarter and none of the two seconds.
  performanceData.block = BuildProcessorBlock(timesAt(2000, {9 * kSecond, 9 * kSecond + kSecond / 2, 0}));
  RefreshProcessorData();
  ASSERT_EQ(ProcessorCount(), 4);
  const double expected[] = {0.0, 0.75, 1.0, (0.0 + 0.75 + 1.0) / 3};
  for (std::int32_t i = 0; i < 4; ++i) {
    // The total is kept in whole 100 ns units, a few parts in a hundred million of the interval.
    EXPECT_NEAR(ProcessorUsage(i), expected[i], 1e-7) << i;
  }
  ShutdownCpuUsage();
}

TEST(ProcessorBlock, IsLaidOutAsWindowsLaysItsBlocks) {
  const auto bytes = BuildProcessorBlock(timesAt(61234, {5, 6}));
  EXPECT_EQ(utf16(bytes, 0, 8), "PERF");
  EXPECT_EQ(u32(bytes, 20), bytes.size());  // the block's total length
  ASSERT_EQ(u32(bytes, 28), 1u);
  EXPECT_EQ(bytes.at(36 + 2 * 6), 1);  // the stamp's seconds
  EXPECT_EQ(bytes.at(36 + 2 * 7) | bytes.at(36 + 2 * 7 + 1) << 8, 234);

  const std::size_t object = u32(bytes, 24);
  EXPECT_EQ(object + u32(bytes, object), bytes.size());  // one object fills the block
  EXPECT_EQ(u32(bytes, object + 12), 238u);
  ASSERT_EQ(u32(bytes, object + 40), 3u);
  const std::size_t counter = object + u32(bytes, object + 8);
  EXPECT_EQ(u32(bytes, counter + 4), 6u);
  EXPECT_EQ(u32(bytes, counter + 28), 0x21510500u);  // a 100 ns timer counted inversely, as a percentage
  const std::size_t valueOffset = u32(bytes, counter + 36);

  std::size_t instance = object + u32(bytes, object + 4);
  std::vector<std::string> names;
  std::vector<std::uint32_t> values;
  for (int i = 0; i < 3; ++i) {
    names.push_back(utf16(bytes, instance + u32(bytes, instance + 16), u32(bytes, instance + 20)));
    const std::size_t counterBlock = instance + u32(bytes, instance);
    values.push_back(u32(bytes, counterBlock + valueOffset));
    EXPECT_EQ(counterBlock % 8, 0u);  // 64-bit values stay aligned
    instance = counterBlock + u32(bytes, counterBlock);
  }
  EXPECT_EQ(instance, bytes.size());
  EXPECT_EQ(names, (std::vector<std::string>{"0", "1", "_Total"}));
  EXPECT_EQ(values, (std::vector<std::uint32_t>{5, 6, 5}));
}

TEST(ProcessorBlock, IsDeliveredOnlyIntoABufferThatHoldsIt) {
  const auto block = BuildProcessorBlock(timesAt(0, {1, 2}));
  std::vector<std::uint8_t> buffer(block.size() + 8, 0xEE);
  std::uint32_t size = static_cast<std::uint32_t>(block.size() - 1);
  EXPECT_EQ(platform::DeliverPerformanceBlock(block, buffer.data(), &size), platform::kErrorMoreData);
  EXPECT_EQ(buffer[0], 0xEE);
  size = static_cast<std::uint32_t>(block.size());
  EXPECT_EQ(platform::DeliverPerformanceBlock(block, buffer.data(), &size), platform::kErrorSuccess);
  size = static_cast<std::uint32_t>(buffer.size());
  EXPECT_EQ(platform::DeliverPerformanceBlock(block, buffer.data(), &size), platform::kErrorSuccess);
  EXPECT_EQ(size, block.size());
  EXPECT_TRUE(std::equal(block.begin(), block.end(), buffer.begin()));
  EXPECT_EQ(buffer[block.size()], 0xEE);
}

TEST(FakePerformanceData, KeepsThePerformanceDataContract) {
  fakes::FakePerformanceData performanceData;
  performanceData.block = BuildProcessorBlock(timesAt(0, {1, 2}));
  contract::checkPerformanceData(performanceData);
}

}  // namespace
}  // namespace vantrel
