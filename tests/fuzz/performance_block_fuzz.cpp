// The walk through a performance-data block, on bytes that lie about themselves: every read must stay inside
// the bytes given (the buffer is exactly that long, so AddressSanitizer sees any read past them) and every
// walk must end. Half of the inputs are raw bytes; the other half spoil a well-formed processor block with a
// few 32-bit writes and a cut, which reaches the deep parts of the walk at once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/performance_block.h"
#include "platform/processor_block.h"

namespace {

using vantrel::platform::PerformanceBlock;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return position_ >= size_; }
  std::uint32_t take(std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes && position_ < size_; ++i) {
      value |= static_cast<std::uint32_t>(data_[position_++]) << (8 * i);
    }
    return value;
  }
  std::vector<std::uint8_t> rest() { return {data_ + position_, data_ + size_}; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

std::vector<std::uint8_t> spoiltProcessorBlock(Input& input) {
  vantrel::platform::ProcessorTimes times;
  const std::uint32_t processors = input.take(1) % 9;
  for (std::uint32_t i = 0; i < processors; ++i) {
    times.idleTimes.push_back(static_cast<std::int64_t>(input.take(4)) << input.take(1) % 32);
  }
  std::vector<std::uint8_t> block = vantrel::platform::BuildProcessorBlock(times);
  const std::size_t cut = input.take(2);
  if (cut < block.size()) {
    block.resize(block.size() - cut);
  }
  while (!input.empty() && block.size() >= 4) {
    const std::size_t offset = input.take(2) % (block.size() - 3);
    const std::uint32_t value = input.take(4);
    for (std::size_t i = 0; i < 4; ++i) {
      block[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
  }
  return block;
}

void check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const bool raw = input.take(1) % 2 == 0;
  // The count a first block would have set, which a later block may not live up to.
  const std::uint32_t earlierCount = input.take(1);
  const std::vector<std::uint8_t> bytes = raw ? input.rest() : spoiltProcessorBlock(input);

  // A heap copy of exactly the bytes, so that nothing past them is readable.
  auto* exact = static_cast<std::uint8_t*>(std::malloc(bytes.size() ? bytes.size() : 1));
  std::copy(bytes.begin(), bytes.end(), exact);
  const PerformanceBlock block(exact, bytes.size());

  const auto object = block.FindObject(vantrel::platform::kProcessorObjectTitleIndex);
  if (object) {
    check(*object + vantrel::platform::perf::kObjectFieldsEnd <= bytes.size());
    block.BlockSystemTime();
    const auto instances = block.NumInstances(*object);
    const auto counter = block.FindCounter(*object, vantrel::platform::kProcessorTimeCounterTitleIndex);
    if (instances && counter) {
      check(static_cast<std::size_t>(*instances) <= bytes.size() / 8);
      std::vector<std::int64_t> values(*instances);
      block.ReadInstanceValues(*object, *counter, values);
      std::vector<std::int64_t> earlier(earlierCount);
      block.ReadInstanceValues(*object, *counter, earlier);
    }
  }
  std::free(exact);
  return 0;
}
