// Performance-data blocks for tests, laid out from the published field table alone. Only the fields the
// sampler reads are written, and every structure is longer than its fields and of its own size, so a walk
// that assumes sizes instead of following lengths goes astray. The layout tells where each structure begins,
// so that a test can spoil one field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/performance_data.h"

namespace vantrel::fakes {

struct TestObject {
  std::uint32_t titleIndex = 238;
  std::vector<std::uint32_t> counters = {6};         // title indexes, in definition order
  std::vector<std::vector<std::int64_t>> instances;  // per instance, one value per counter
};

struct TestBlock {
  struct Object {
    std::size_t start = 0;
    std::vector<std::size_t> counters;  // where each counter definition begins
    std::vector<std::size_t> instances;
    std::vector<std::size_t> counterBlocks;
  };
  std::vector<std::uint8_t> bytes;
  std::vector<Object> objects;

  void put32(std::size_t offset, std::uint32_t value);
};

TestBlock buildTestBlock(const platform::SystemTime& time, const std::vector<TestObject>& objects);
// The processor object alone, with the usage counter only: one idle time per instance.
TestBlock processorBlock(const platform::SystemTime& time, const std::vector<std::int64_t>& idleTimes);

// The Memory object as Windows lays it out: no instances, and "Page Inputs/sec" a 32-bit counter after a
// 64-bit one, the last of its counter block (which other bytes follow), so that a read of the wrong width
// goes past it.
TestBlock memoryBlock(std::uint32_t pageInputs);

// 1 March 2024, 12:00:00.000 UTC plus `milliseconds` (less than half a day).
platform::SystemTime sampleTime(std::int64_t milliseconds);
// 100 ns units in a millisecond, the unit of idle times and time stamps.
constexpr std::int64_t kTicksPerMillisecond = 10000;

}  // namespace vantrel::fakes
