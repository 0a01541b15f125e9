// Reading a performance-data block as the performance-data root returns it: the fields the program uses, at
// their published offsets, all little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/performance_data.h"

namespace vantrel::platform {

constexpr std::uint32_t kProcessorObjectTitleIndex = 238;
// The value name that asks the performance-data root for the processor object alone.
constexpr char kProcessorObjectValue[] = "238";
constexpr std::uint32_t kProcessorTimeCounterTitleIndex = 6;  // idle time in 100 ns, per processor
constexpr std::uint32_t kMemoryObjectTitleIndex = 4;
constexpr char kMemoryObjectValue[] = "4";
// "Page Inputs/sec": its raw value counts the pages read in from disk since start-up.
constexpr std::uint32_t kPageInputsCounterTitleIndex = 822;

namespace perf {

// Data block.
constexpr std::size_t kBlockHeaderLength = 24;
constexpr std::size_t kBlockNumObjectTypes = 28;
constexpr std::size_t kBlockSystemTime = 36;
constexpr std::size_t kBlockFieldsEnd = kBlockSystemTime + 16;
// Object.
constexpr std::size_t kObjectTotalByteLength = 0;
constexpr std::size_t kObjectDefinitionLength = 4;
constexpr std::size_t kObjectHeaderLength = 8;
constexpr std::size_t kObjectNameTitleIndex = 12;
constexpr std::size_t kObjectNumCounters = 32;
constexpr std::size_t kObjectNumInstances = 40;
constexpr std::size_t kObjectFieldsEnd = kObjectNumInstances + 4;
// Counter definition.
constexpr std::size_t kCounterByteLength = 0;
constexpr std::size_t kCounterNameTitleIndex = 4;
constexpr std::size_t kCounterSize = 32;
constexpr std::size_t kCounterOffset = 36;
constexpr std::size_t kCounterFieldsEnd = kCounterOffset + 4;
// Instance definition and counter block: each begins with its own byte length.
constexpr std::size_t kByteLength = 0;
constexpr std::size_t kByteLengthEnd = 4;

}  // namespace perf

// A view of the bytes a query returned. Every field is read only where it lies wholly inside them, and a
// structure is taken only when its length covers at least the fields read from it, so every walk moves
// forward: a truncated or inconsistent block ends a search instead of reading past its end or looping.
class PerformanceBlock {
 public:
  PerformanceBlock(const std::uint8_t* data, std::size_t length) : data_(data), length_(length) {}

  // Offset of the first object with this title index, examining at most the block's NumObjectTypes objects;
  // nullopt when none can be reached.
  std::optional<std::size_t> FindObject(std::uint32_t titleIndex) const;
  // The object's NumInstances when the block can hold that many instances; nullopt when it is negative (an
  // object without instances) or larger.
  std::optional<std::int32_t> NumInstances(std::size_t object) const;
  // CounterOffset of the object's first counter definition with this title index, examining at most its
  // NumCounters definitions; nullopt when none can be reached.
  std::optional<std::uint32_t> FindCounter(std::size_t object, std::uint32_t titleIndex) const;
  // The 64-bit value at `counterOffset` in the counter block of each of the object's first values.size()
  // instances. False, with `values` partly written, when the object lists fewer instances or one of them
  // does not lie inside the block.
  bool ReadInstanceValues(std::size_t object, std::uint32_t counterOffset,
                          std::span<std::int64_t> values) const;
  // The raw value of the counter with this title index in an object without instances, whose one counter
  // block follows its definitions; read as wide as the counter's definition says (4 or 8 bytes). Nullopt for
  // an object with instances, and where the counter or its value cannot be reached.
  std::optional<std::uint64_t> ReadObjectCounter(std::size_t object, std::uint32_t titleIndex) const;
  // The block's time stamp; all zero when the block is too short to hold it.
  SystemTime BlockSystemTime() const;

 private:
  std::optional<std::uint64_t> read(std::uint64_t offset, std::size_t width) const;
  std::optional<std::uint32_t> read32(std::uint64_t offset) const;
  // Where the object's first counter definition with this title index begins.
  std::optional<std::uint64_t> findDefinition(std::size_t object, std::uint32_t titleIndex) const;

  const std::uint8_t* data_;
  std::size_t length_;
};

// Queries one value of the performance-data root into `buffer`, which grows a page at a time, up to `largest`
// bytes, while the system asks for more room. The count of bytes the system wrote, never more than the buffer
// holds; nullopt when the query failed.
std::optional<std::size_t> ReadPerformanceValue(PerformanceData& data, const char* valueName,
                                                std::vector<std::uint8_t>& buffer, std::size_t largest);

}  // namespace vantrel::platform
