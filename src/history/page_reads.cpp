#include "history/page_reads.h"

#include <vector>

#include "platform/performance_block.h"

namespace vantrel {

namespace {

// The Memory object is a few hundred bytes; a system that asks for more than this has gone astray.
constexpr std::size_t kFirstBuffer = 4096;
constexpr std::size_t kLargestBuffer = 1 << 20;

}  // namespace

std::optional<std::uint32_t> PageReads::readPerformanceData() {
  std::vector<std::uint8_t> buffer(kFirstBuffer);
  const std::optional<std::size_t> size =
      platform::ReadPerformanceValue(performanceData_, platform::kMemoryObjectValue, buffer, kLargestBuffer);
  if (!size) {
    return std::nullopt;
  }
  const platform::PerformanceBlock block(buffer.data(), *size);
  const auto object = block.FindObject(platform::kMemoryObjectTitleIndex);
  const auto value =
      object ? block.ReadObjectCounter(*object, platform::kPageInputsCounterTitleIndex) : std::nullopt;
  if (!value) {
    performanceDataLacksIt_ = true;
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(*value);
}

std::optional<std::uint64_t> PageReads::Read() {
  std::optional<std::uint32_t> count;
  if (!performanceDataLacksIt_) {
    count = readPerformanceData();
  }
  std::uint32_t pages = 0;
  if (performanceDataLacksIt_ && systemMemory_.NtQuerySystemInformation_PageReadCount(pages)) {
    count = pages;
  }
  if (!count) {
    return std::nullopt;
  }
  if (last_ && *count < *last_) {
    wraps_ += std::uint64_t{1} << 32;
  }
  last_ = count;
  return wraps_ + *count;
}

}  // namespace vantrel
