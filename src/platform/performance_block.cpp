#include "platform/performance_block.h"

#include <algorithm>

#include "platform/registry.h"

namespace vantrel::platform {

using namespace perf;

std::optional<std::uint64_t> PerformanceBlock::read(std::uint64_t offset, std::size_t width) const {
  if (offset > length_ || length_ - offset < width) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (std::size_t i = width; i-- > 0;) {
    value = value << 8 | data_[offset + i];
  }
  return value;
}

std::optional<std::uint32_t> PerformanceBlock::read32(std::uint64_t offset) const {
  const auto value = read(offset, 4);
  return value ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*value)) : std::nullopt;
}

std::optional<std::size_t> PerformanceBlock::FindObject(std::uint32_t titleIndex) const {
  // A block too short for its own header holds no object, and one that has an object has a time stamp.
  if (length_ < kBlockFieldsEnd) {
    return std::nullopt;
  }
  std::uint64_t object = *read32(kBlockHeaderLength);
  const std::uint32_t objects = *read32(kBlockNumObjectTypes);
  for (std::uint32_t k = 0; k < objects; ++k) {
    if (!read(object, kObjectFieldsEnd)) {
      return std::nullopt;
    }
    if (*read32(object + kObjectNameTitleIndex) == titleIndex) {
      return static_cast<std::size_t>(object);
    }
    const std::uint32_t length = *read32(object + kObjectTotalByteLength);
    if (length < kObjectFieldsEnd) {
      return std::nullopt;
    }
    object += length;
  }
  return std::nullopt;
}

std::optional<std::int32_t> PerformanceBlock::NumInstances(std::size_t object) const {
  const auto count = read32(object + kObjectNumInstances);
  const auto definitions = read32(object + kObjectDefinitionLength);
  if (!count || !definitions) {
    return std::nullopt;
  }
  const auto instances = static_cast<std::int32_t>(*count);
  // Each instance takes at least its own length field and that of its counter block.
  const std::uint64_t first = object + std::uint64_t{*definitions};
  const std::uint64_t room = first < length_ ? length_ - first : 0;
  if (instances < 0 || static_cast<std::uint64_t>(instances) > room / (2 * kByteLengthEnd)) {
    return std::nullopt;
  }
  return instances;
}

std::optional<std::uint32_t> PerformanceBlock::FindCounter(std::size_t object,
                                                           std::uint32_t titleIndex) const {
  const auto definition = findDefinition(object, titleIndex);
  return definition ? read32(*definition + kCounterOffset) : std::nullopt;
}

std::optional<std::uint64_t> PerformanceBlock::findDefinition(std::size_t object,
                                                              std::uint32_t titleIndex) const {
  const auto header = read32(object + kObjectHeaderLength);
  const auto counters = read32(object + kObjectNumCounters);
  if (!header || !counters) {
    return std::nullopt;
  }
  std::uint64_t definition = object + std::uint64_t{*header};
  for (std::uint32_t k = 0; k < *counters; ++k) {
    if (!read(definition, kCounterFieldsEnd)) {
      return std::nullopt;
    }
    if (*read32(definition + kCounterNameTitleIndex) == titleIndex) {
      return definition;
    }
    const std::uint32_t length = *read32(definition + kCounterByteLength);
    if (length < kCounterFieldsEnd) {
      return std::nullopt;
    }
    definition += length;
  }
  return std::nullopt;
}

bool PerformanceBlock::ReadInstanceValues(std::size_t object, std::uint32_t counterOffset,
                                          std::span<std::int64_t> values) const {
  const auto count = read32(object + kObjectNumInstances);
  const auto definitions = read32(object + kObjectDefinitionLength);
  if (!count || !definitions || static_cast<std::int32_t>(*count) < 0 || *count < values.size()) {
    return false;
  }
  std::uint64_t instance = object + std::uint64_t{*definitions};
  for (std::int64_t& value : values) {
    const auto instanceLength = read32(instance + kByteLength);
    if (!instanceLength || *instanceLength < kByteLengthEnd) {
      return false;
    }
    const std::uint64_t counterBlock = instance + *instanceLength;
    const auto blockLength = read32(counterBlock + kByteLength);
    const auto raw = read(counterBlock + counterOffset, 8);
    if (!blockLength || *blockLength < kByteLengthEnd || !raw) {
      return false;
    }
    value = static_cast<std::int64_t>(*raw);
    instance = counterBlock + *blockLength;
  }
  return true;
}

std::optional<std::uint64_t> PerformanceBlock::ReadObjectCounter(std::size_t object,
                                                                 std::uint32_t titleIndex) const {
  const auto instances = read32(object + kObjectNumInstances);
  const auto definitions = read32(object + kObjectDefinitionLength);
  const auto definition = findDefinition(object, titleIndex);
  // PERF_NO_INSTANCES is -1.
  if (!instances || static_cast<std::int32_t>(*instances) != -1 || !definitions || !definition) {
    return std::nullopt;
  }
  const std::uint32_t width = *read32(*definition + kCounterSize) == 8 ? 8 : 4;
  const std::uint64_t counterBlock = object + std::uint64_t{*definitions};
  const auto blockLength = read32(counterBlock + kByteLength);
  const std::uint64_t offset = *read32(*definition + kCounterOffset);
  if (!blockLength || offset + width > *blockLength) {
    return std::nullopt;
  }
  return read(counterBlock + offset, width);
}

SystemTime PerformanceBlock::BlockSystemTime() const {
  std::uint16_t fields[8] = {};
  for (std::size_t i = 0; i < 8; ++i) {
    fields[i] = static_cast<std::uint16_t>(read(kBlockSystemTime + 2 * i, 2).value_or(0));
  }
  return {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7]};
}

std::optional<std::size_t> ReadPerformanceValue(PerformanceData& data, const char* valueName,
                                                std::vector<std::uint8_t>& buffer, std::size_t largest) {
  constexpr std::size_t kGrowth = 4096;
  auto size = static_cast<std::uint32_t>(buffer.size());
  long answer = data.RegQueryValueExA(valueName, buffer.data(), &size);
  while (answer == kErrorMoreData && buffer.size() + kGrowth <= largest) {
    buffer.resize(buffer.size() + kGrowth);
    size = static_cast<std::uint32_t>(buffer.size());
    answer = data.RegQueryValueExA(valueName, buffer.data(), &size);
  }
  if (answer != kErrorSuccess) {
    return std::nullopt;
  }
  return std::min<std::size_t>(size, buffer.size());
}

}  // namespace vantrel::platform
