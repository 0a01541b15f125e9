#include "test_blocks.h"

namespace vantrel::fakes {

namespace {

// Sizes chosen apart from Windows' own, so that only the stored lengths lead to the next structure.
constexpr std::uint32_t kBlockHeader = 104;
constexpr std::uint32_t kObjectHeader = 72;
constexpr std::uint32_t kCounterDefinition = 48;
constexpr std::uint32_t kCounterBlockHeader = 16;

void put(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint64_t value, std::size_t width) {
  if (bytes.size() < offset + width) {
    bytes.resize(offset + width);
  }
  for (std::size_t i = 0; i < width; ++i) {
    bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

TestBlock::Object writeObject(std::vector<std::uint8_t>& bytes, const TestObject& wanted) {
  TestBlock::Object layout;
  layout.start = bytes.size();
  const std::size_t o = layout.start;
  const std::size_t counters = wanted.counters.size();
  const auto definitionLength = static_cast<std::uint32_t>(kObjectHeader + kCounterDefinition * counters + 8);
  put(bytes, o + 4, definitionLength, 4);
  put(bytes, o + 8, kObjectHeader, 4);
  put(bytes, o + 12, wanted.titleIndex, 4);
  put(bytes, o + 32, counters, 4);
  put(bytes, o + 40, wanted.instances.size(), 4);
  // The values lie in the counter blocks in the reverse order of their definitions.
  for (std::size_t c = 0; c < counters; ++c) {
    const std::size_t d = o + kObjectHeader + kCounterDefinition * c;
    layout.counters.push_back(d);
    put(bytes, d + 0, kCounterDefinition, 4);
    put(bytes, d + 4, wanted.counters[c], 4);
    put(bytes, d + 36, kCounterBlockHeader + 8 * (counters - 1 - c), 4);
  }
  std::size_t instance = o + definitionLength;
  for (std::size_t i = 0; i < wanted.instances.size(); ++i) {
    layout.instances.push_back(instance);
    const std::size_t instanceLength = 24 + 8 * (1 + i % 3);  // names of several lengths
    const std::size_t counterBlock = instance + instanceLength;
    const std::size_t blockLength = kCounterBlockHeader + 8 * counters;
    layout.counterBlocks.push_back(counterBlock);
    put(bytes, instance, instanceLength, 4);
    put(bytes, counterBlock, blockLength, 4);
    for (std::size_t c = 0; c < counters; ++c) {
      const auto value = static_cast<std::uint64_t>(wanted.instances[i].at(c));
      put(bytes, counterBlock + kCounterBlockHeader + 8 * (counters - 1 - c), value, 8);
    }
    instance = counterBlock + blockLength;
  }
  put(bytes, instance + 7, 0, 1);  // trailing padding inside the object
  put(bytes, o, bytes.size() - o, 4);
  return layout;
}

}  // namespace

void TestBlock::put32(std::size_t offset, std::uint32_t value) {
  put(bytes, offset, value, 4);
}

TestBlock buildTestBlock(const platform::SystemTime& time, const std::vector<TestObject>& objects) {
  TestBlock block;
  put(block.bytes, 24, kBlockHeader, 4);
  put(block.bytes, 28, objects.size(), 4);
  const std::uint16_t fields[] = {time.year, time.month,  time.dayOfWeek, time.day,
                                  time.hour, time.minute, time.second,    time.milliseconds};
  for (std::size_t i = 0; i < 8; ++i) {
    put(block.bytes, 36 + 2 * i, fields[i], 2);
  }
  block.bytes.resize(kBlockHeader);
  for (const TestObject& object : objects) {
    block.objects.push_back(writeObject(block.bytes, object));
  }
  return block;
}

TestBlock processorBlock(const platform::SystemTime& time, const std::vector<std::int64_t>& idleTimes) {
  TestObject processor;
  for (const std::int64_t idle : idleTimes) {
    processor.instances.push_back({idle});
  }
  return buildTestBlock(time, {processor});
}

TestBlock memoryBlock(std::uint32_t pageInputs) {
  TestBlock block = buildTestBlock(sampleTime(0), {TestObject{4, {28, 822}, {}}});
  const TestBlock::Object& object = block.objects.front();
  block.put32(object.start + 40, 0xFFFFFFFF);  // PERF_NO_INSTANCES
  block.put32(object.counters[0] + 32, 8);
  block.put32(object.counters[0] + 36, 8);
  block.put32(object.counters[1] + 32, 4);
  block.put32(object.counters[1] + 36, 16);
  const std::size_t counterBlock =
      object.start + (block.bytes[object.start + 4] | block.bytes[object.start + 5] << 8);
  block.bytes.resize(counterBlock + 24);
  block.put32(counterBlock, 20);
  block.put32(counterBlock + 16, pageInputs);
  block.put32(object.start, static_cast<std::uint32_t>(block.bytes.size() - object.start));
  return block;
}

platform::SystemTime sampleTime(std::int64_t milliseconds) {
  platform::SystemTime time;
  time.year = 2024;
  time.month = 3;
  time.day = 1;
  time.hour = static_cast<std::uint16_t>(12 + milliseconds / 3600000);
  time.minute = static_cast<std::uint16_t>(milliseconds / 60000 % 60);
  time.second = static_cast<std::uint16_t>(milliseconds / 1000 % 60);
  time.milliseconds = static_cast<std::uint16_t>(milliseconds % 1000);
  return time;
}

}  // namespace vantrel::fakes
