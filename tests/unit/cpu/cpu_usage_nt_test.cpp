#include <algorithm>
#include <functional>
#include <limits>
#include <vector>

#include "cpu_sampler_support.h"
#include "test_blocks.h"

namespace vantrel {
namespace {

using fakes::kTicksPerMillisecond;
using fakes::processorBlock;
using fakes::sampleTime;
using fakes::TestBlock;
using fakes::TestObject;

constexpr std::int64_t kSecond = 1000 * kTicksPerMillisecond;

class NtSampler : public CpuSamplerTest {
 protected:
  void SetUp() override { start(platform::kVerPlatformWin32Nt); }

  // The next queries answer with the processor object, stamped `milliseconds` after the base time.
  void answer(std::int64_t milliseconds, const std::vector<std::int64_t>& idleTimes) {
    performanceData.block = processorBlock(sampleTime(milliseconds), idleTimes).bytes;
  }
  void sample(std::int64_t milliseconds, const std::vector<std::int64_t>& idleTimes) {
    answer(milliseconds, idleTimes);
    RefreshProcessorData();
  }
  std::vector<double> usages() {
    std::vector<double> result;
    for (std::int32_t i = 0; i < ProcessorCount(); ++i) {
      result.push_back(ProcessorUsage(i));
    }
    return result;
  }
  int queries() const { return static_cast<int>(performanceData.bufferSizes.size()); }
};

void expectUsages(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(actual[i], expected[i], 1e-12) << "instance " << i;
  }
}

TEST_F(NtSampler, LoadIsTheShareOfTheIntervalThatWasNotIdle) {
  const std::int64_t start = 987654321;
  sample(0, {start, start, start, start, 0});
  // Idle grew by a quarter of the interval, by nothing, by 1.2 times it (not clamped), by all of it.
  sample(1000, {start + kSecond / 4, start, start + kSecond * 6 / 5, start + kSecond, 3 * kSecond / 5});
  expectUsages(usages(), {0.75, 1.0, -0.2, 0.0, 0.4});
  // A reading works on the samples taken; it asks the system nothing.
  EXPECT_EQ(queries(), 2);

  // Each sample starts a new interval: the load covers the two latest only.
  sample(3000, {start + kSecond / 4, start + 2 * kSecond, start + kSecond * 6 / 5, start + 4 * kSecond,
                3 * kSecond / 5 + kSecond});
  expectUsages(usages(), {1.0, 0.0, 1.0, -0.5, 0.5});
}

TEST_F(NtSampler, SamplesStampedInTheSameMillisecondReadZero) {
  sample(500, {100, 200, 300});
  sample(600, {100, 200, 300});
  sample(600, {100 + kSecond, 200, 300 - kSecond});
  expectUsages(usages(), {0, 0, 0});
}

TEST_F(NtSampler, TheFirstCallTakesTheFirstSampleAndReadsZero) {
  struct Case {
    const char* name;
    double (*firstCall)();
  };
  const Case cases[] = {
      {"count", [] { return static_cast<double>(ProcessorCount()); }},
      {"usage", [] { return ProcessorUsage(1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShutdownCpuUsage();
    start(platform::kVerPlatformWin32Nt);
    performanceData.valueNames.clear();
    answer(0, {kSecond, 2 * kSecond});
    c.firstCall();
    EXPECT_EQ(performanceData.valueNames, (std::vector<std::string>{"238"}));
    // One sample has no interval to measure.
    expectUsages(usages(), {0, 0});
    // The count is taken once: a later block with more instances does not change it.
    sample(1000, {kSecond + kSecond / 2, 2 * kSecond + kSecond / 2, 0});
    expectUsages(usages(), {0.5, 0.5});
    EXPECT_EQ(performanceData.valueNames.size(), 2u);
  }
}

TEST_F(NtSampler, IndexesOutsideTheInstancesAreRefused) {
  answer(0, {0, 0, 0});
  expectFailure([] { ProcessorUsage(3); }, kCpuIndexOutOfBoundsMessage);  // after taking the first sample
  EXPECT_EQ(queries(), 1);
  for (const std::int32_t index : {3, -1, std::numeric_limits<std::int32_t>::min(), 1000}) {
    SCOPED_TRACE(index);
    expectFailure([index] { ProcessorUsage(index); }, kCpuIndexOutOfBoundsMessage);
  }
  EXPECT_EQ(ProcessorUsage(2), 0.0);
}

TEST_F(NtSampler, FindsTheProcessorObjectAndItsCounterWhereverTheyLie) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> objectsBefore;  // title indexes of objects that come first
    std::vector<std::uint32_t> counters;       // of the processor object; 6 is the usage counter
  };
  const std::vector<Case> cases = {
      {"alone", {}, {6}},
      {"after one object", {2}, {6}},
      {"after three objects, one of them with a usage counter", {230, 6, 2}, {6}},
      {"usage counter last of three", {2}, {2, 4, 6}},
      {"usage counter first, another after it", {}, {6, 8}},
      {"usage counter between others, twice", {4}, {1, 6, 7, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShutdownCpuUsage();
    start(platform::kVerPlatformWin32Nt);
    const auto blockAt = [&](std::int64_t milliseconds, std::int64_t idle0, std::int64_t idle1) {
      std::vector<TestObject> objects;
      for (const std::uint32_t title : c.objectsBefore) {
        // Decoys carry the usage counter's index too, with values that would read as nonsense.
        objects.push_back({title, {6, 9}, {{-7, 1}, {-8, 2}, {-9, 3}}});
      }
      TestObject processor{238, c.counters, {}};
      // Only the first definition with index 6 holds the idle time.
      const auto usage = std::find(c.counters.begin(), c.counters.end(), 6u) - c.counters.begin();
      for (const std::int64_t idle : {idle0, idle1}) {
        std::vector<std::int64_t> values;
        for (std::ptrdiff_t k = 0; k < std::ssize(c.counters); ++k) {
          values.push_back(k == usage ? idle : 123456789 * (k + 1));
        }
        processor.instances.push_back(values);
      }
      objects.push_back(processor);
      objects.push_back({6, {6}, {{-1}}});
      return fakes::buildTestBlock(sampleTime(milliseconds), objects).bytes;
    };
    performanceData.block = blockAt(0, 10 * kSecond, 20 * kSecond);
    RefreshProcessorData();
    performanceData.block = blockAt(2000, 10 * kSecond + kSecond / 2, 20 * kSecond + 2 * kSecond);
    RefreshProcessorData();
    expectUsages(usages(), {0.75, 0.0});
  }
}

TEST_F(NtSampler, TheBufferGrowsInPagesAndKeepsItsSize) {
  TestBlock block = processorBlock(sampleTime(0), {0, 0});
  block.bytes.resize(20000);
  performanceData.block = block.bytes;
  RefreshProcessorData();
  EXPECT_EQ(performanceData.bufferSizes, (std::vector<std::uint32_t>{8192, 12288, 16384, 20480}));

  // The next sample starts at the grown size, and a smaller answer does not shrink it.
  answer(1000, {kSecond, kSecond / 2});
  RefreshProcessorData();
  RefreshProcessorData();
  EXPECT_EQ(performanceData.bufferSizes,
            (std::vector<std::uint32_t>{8192, 12288, 16384, 20480, 20480, 20480}));
  sample(2000, {2 * kSecond, kSecond});
  expectUsages(usages(), {0.0, 0.5});
}

TEST_F(NtSampler, ASystemThatAlwaysWantsMoreRoomIsNotFedForever) {
  performanceData.block.assign(5 * 1024 * 1024, 0);
  expectFailure([] { RefreshProcessorData(); }, kNoProcessorObjectMessage);
  const auto& sizes = performanceData.bufferSizes;
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back(), 4u * 1024 * 1024);
  EXPECT_EQ(sizes.size(), (4u * 1024 * 1024 - 8192) / 4096 + 1);
}

TEST_F(NtSampler, WithoutTheProcessorObjectTheFirstSampleIsTakenAgain) {
  struct Case {
    const char* name;
    std::function<std::vector<std::uint8_t>()> block;
  };
  const std::vector<Case> cases = {
      {"no objects at all", [] { return fakes::buildTestBlock(sampleTime(0), {}).bytes; }},
      {"other objects only",
       [] {
         return fakes::buildTestBlock(sampleTime(0), {{2, {6}, {{1}}}, {230, {6}, {{1}}}}).bytes;
       }},
      {"the object after the last one counted",
       [] {
         TestBlock block = fakes::buildTestBlock(sampleTime(0), {{2, {6}, {{1}}}, {238, {6}, {{1}}}});
         block.put32(28, 1);
         return block.bytes;
       }},
      {"a negative instance count",
       [] {
         TestBlock block = processorBlock(sampleTime(0), {1, 2});
         block.put32(block.objects[0].start + 40, 0xFFFFFFFF);
         return block.bytes;
       }},
      {"more instances than the block can hold",
       [] {
         TestBlock block = processorBlock(sampleTime(0), {1, 2});
         block.put32(block.objects[0].start + 40, 0x7FFFFFFF);
         return block.bytes;
       }},
      {"a hundred instances in a block of two",
       [] {
         TestBlock block = processorBlock(sampleTime(0), {1, 2});
         block.put32(block.objects[0].start + 40, 100);
         return block.bytes;
       }},
      // Nothing the system wrote has been seen yet: the buffer is still all zeros.
      {"a failed query", [] { return processorBlock(sampleTime(0), {1}).bytes; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShutdownCpuUsage();
    start(platform::kVerPlatformWin32Nt);
    performanceData.bufferSizes.clear();
    performanceData.block = c.block();
    if (std::string(c.name) == "a failed query") {
      performanceData.faults.failOn("RegQueryValueExA", 1, true);
    }
    expectFailure([] { RefreshProcessorData(); }, kNoProcessorObjectMessage);
    // The count is still unknown, so asking for it samples again.
    expectFailure([] { ProcessorCount(); }, kNoProcessorObjectMessage);
    EXPECT_EQ(queries(), 2);
    performanceData.faults.clear("RegQueryValueExA");
    answer(0, {1, 2, 3});
    EXPECT_EQ(ProcessorCount(), 3);
    EXPECT_EQ(queries(), 3);
  }
}

TEST_F(NtSampler, WithoutTheUsageCounterTheCountStandsAndNothingMoves) {
  const auto withoutCounter = [](std::int64_t milliseconds) {
    return fakes::buildTestBlock(sampleTime(milliseconds), {{238, {2, 4}, {{1, 1}, {2, 2}, {3, 3}}}}).bytes;
  };
  performanceData.block = withoutCounter(0);
  expectFailure([] { RefreshProcessorData(); }, kNoUsageCounterMessage);
  // The first sample has set the count up; no reading has an interval yet.
  EXPECT_EQ(ProcessorCount(), 3);
  EXPECT_EQ(ProcessorUsage(2), 0.0);
  EXPECT_EQ(queries(), 1);

  sample(1000, {0, 0, 0});
  performanceData.block = withoutCounter(1500);
  expectFailure([] { RefreshProcessorData(); }, kNoUsageCounterMessage);
  sample(2000, {kSecond / 4, kSecond / 2, kSecond});
  expectUsages(usages(), {0.75, 0.5, 0.0});
}

// A good sample of four instances, then a spoilt block, then a good one: the spoilt block fails with the
// expected text and moves nothing, so the last reading spans both good samples. The spoilt block follows
// the same layout, so the buffer still holds the first block's bytes where a walk would wrongly look.
TEST_F(NtSampler, InconsistentBlocksNeitherReadOutsideNorMoveAnything) {
  struct Case {
    const char* name;
    std::function<void(TestBlock&)> spoil;
    const char* message;
  };
  using Block = TestBlock;
  const std::vector<Case> cases = {
      {"truncated inside its header", [](Block& b) { b.bytes.resize(40); }, kNoProcessorObjectMessage},
      {"first object past the end", [](Block& b) { b.put32(24, 0xFFFFFFF0); }, kNoProcessorObjectMessage},
      {"object that does not fit", [](Block& b) { b.bytes.resize(b.objects[1].start + 30); },
       kNoProcessorObjectMessage},
      {"an object of zero length counted four billion times",
       [](Block& b) {
         b.put32(b.objects[0].start, 0);
         b.put32(28, 0xFFFFFFFF);
       },
       kNoProcessorObjectMessage},
      {"object length that wraps", [](Block& b) { b.put32(b.objects[0].start, 0xFFFFFFFF); },
       kNoProcessorObjectMessage},
      {"counter definitions past the end", [](Block& b) { b.put32(b.objects[1].start + 8, 0x7FFFFFFF); },
       kNoUsageCounterMessage},
      {"a counter definition of zero length counted four billion times",
       [](Block& b) {
         b.put32(b.objects[1].counters[0], 0);
         b.put32(b.objects[1].start + 32, 0xFFFFFFFF);
       },
       kNoUsageCounterMessage},
      {"counter offset past the end", [](Block& b) { b.put32(b.objects[1].counters[1] + 36, 0xFFFFFFF9); },
       kNoUsageCounterMessage},
      {"instances past the end", [](Block& b) { b.put32(b.objects[1].start + 4, 0xFFFFFF00); },
       kNoUsageCounterMessage},
      {"an instance of zero length", [](Block& b) { b.put32(b.objects[1].instances[1], 0); },
       kNoUsageCounterMessage},
      {"an instance shorter than its length field", [](Block& b) { b.put32(b.objects[1].instances[1], 3); },
       kNoUsageCounterMessage},
      {"an instance length that wraps", [](Block& b) { b.put32(b.objects[1].instances[0], 0xFFFFFFFF); },
       kNoUsageCounterMessage},
      {"a counter block of zero length", [](Block& b) { b.put32(b.objects[1].counterBlocks[2], 0); },
       kNoUsageCounterMessage},
      {"truncated inside the last value",
       [](Block& b) { b.bytes.resize(b.objects[1].counterBlocks[3] + 20); }, kNoUsageCounterMessage},
      {"fewer instances than the first block",
       [](Block& b) {
         b = fakes::buildTestBlock(sampleTime(1000),
                                   {{2, {6}, {{5}}}, {238, {2, 6}, {{0, 0}, {0, 0}, {0, 0}}}});
       },
       kNoUsageCounterMessage},
      {"fewer instances counted than listed", [](Block& b) { b.put32(b.objects[1].start + 40, 3); },
       kNoUsageCounterMessage},
      {"a negative instance count", [](Block& b) { b.put32(b.objects[1].start + 40, 0xFFFFFFFF); },
       kNoUsageCounterMessage},
  };
  const auto good = [](std::int64_t milliseconds, std::int64_t idle) {
    std::vector<std::vector<std::int64_t>> instances;
    for (int i = 0; i < 4; ++i) {
      instances.push_back({-1, idle * (i + 1)});
    }
    return fakes::buildTestBlock(sampleTime(milliseconds), {{2, {6}, {{5}}}, {238, {2, 6}, instances}});
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShutdownCpuUsage();
    start(platform::kVerPlatformWin32Nt);
    performanceData.block = good(0, kSecond).bytes;
    RefreshProcessorData();
    TestBlock spoilt = good(1000, 2 * kSecond);
    c.spoil(spoilt);
    performanceData.block = spoilt.bytes;
    expectFailure([] { RefreshProcessorData(); }, c.message);
    EXPECT_EQ(ProcessorCount(), 4);
    performanceData.block = good(4000, kSecond + kSecond / 2).bytes;
    RefreshProcessorData();
    expectUsages(usages(), {0.875, 0.75, 0.625, 0.5});
  }
}

TEST_F(NtSampler, AFailedQueryMovesNothing) {
  sample(0, {0, 0});
  performanceData.faults.failOn("RegQueryValueExA", 2);
  answer(500, {kSecond, kSecond});
  expectFailure([] { RefreshProcessorData(); }, kNoProcessorObjectMessage);
  sample(1000, {kSecond / 10, kSecond / 5});
  expectUsages(usages(), {0.9, 0.8});
}

TEST_F(NtSampler, ATimeStampThatCannotBeConvertedCountsAsNoTimePassed) {
  sample(0, {0});
  performanceData.faults.failOn("SystemTimeToFileTime", 2);
  sample(1000, {kSecond / 2});
  expectUsages(usages(), {0});
  sample(2000, {kSecond / 2 + kSecond / 4});
  expectUsages(usages(), {0.875});
}

TEST_F(NtSampler, StoppingStatisticsTouchesNoRegistry) {
  sample(0, {0});
  StopProcessorStatistics();
  ShutdownCpuUsage();
  EXPECT_TRUE(registry.log.empty());
}

TEST(CpuUsageStartup, WithoutTheWindowsVersionTheModuleDoesNotStart) {
  fakes::FakeVersion version;
  fakes::FakePerformanceData performanceData;
  platform::Services services;
  services.version = &version;
  services.performanceData = &performanceData;
  version.faults.failOn("GetVersionExA", 1);
  expectFailure([&] { StartupCpuUsage(services); }, kNoWindowsVersionMessage);
  EXPECT_THROW(RefreshProcessorData(), std::logic_error);
  StartupCpuUsage(services);
  EXPECT_THROW(StartupCpuUsage(services), std::logic_error);
  ShutdownCpuUsage();
}

}  // namespace
}  // namespace vantrel
