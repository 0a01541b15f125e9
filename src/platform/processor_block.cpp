#include "platform/processor_block.h"

#include <algorithm>
#include <string>

#include "platform/performance_block.h"
#include "platform/registry.h"

namespace vantrel::platform {

namespace {

// The whole structures as Windows lays them out; performance_block.h names the fields that are read back.
constexpr std::uint32_t kDataBlockSize = 88;
constexpr std::size_t kDataBlockTotalByteLength = 20;
constexpr std::uint32_t kObjectSize = 64;
constexpr std::uint32_t kCounterDefinitionSize = 40;
constexpr std::uint32_t kInstanceDefinitionSize = 24;
constexpr std::uint32_t kCounterBlockSize = 16;  // its length, 4 bytes of padding, the 64-bit value
constexpr std::uint32_t kValueOffset = 8;

constexpr std::uint32_t kPerfDataVersion = 1;
constexpr std::uint32_t kPerfDataRevision = 1;
constexpr std::uint32_t kPerfDetailNovice = 100;
constexpr std::uint32_t kPerf100NsecTimerInv = 0x21510500;
constexpr std::uint32_t kPerfNoUniqueId = 0xFFFFFFFF;
constexpr std::int64_t kFileTimeFrequency = 10000000;

class Writer {
 public:
  std::size_t size() const { return bytes_.size(); }
  void put16(std::uint16_t value) { put(value, 2); }
  void put32(std::uint32_t value) { put(value, 4); }
  void put64(std::int64_t value) { put(static_cast<std::uint64_t>(value), 8); }
  void padTo(std::size_t alignment) {
    bytes_.resize((bytes_.size() + alignment - 1) / alignment * alignment);
  }
  void patch32(std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
      bytes_[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
  }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  void put(std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
      bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
  }
  std::vector<std::uint8_t> bytes_;
};

// The mean without overflow, whatever the values.
std::int64_t mean(const std::vector<std::int64_t>& values) {
  if (values.empty()) {
    return 0;
  }
  const auto n = static_cast<std::int64_t>(values.size());
  std::int64_t quotients = 0;
  std::int64_t remainders = 0;
  for (const std::int64_t value : values) {
    quotients += value / n;
    remainders += value % n;
  }
  return quotients + remainders / n;
}

void writeInstance(Writer& out, const std::string& name, std::int64_t idleTime) {
  const auto nameLength = static_cast<std::uint32_t>(2 * (name.size() + 1));  // UTF-16 with terminator
  const std::uint32_t paddedName = (nameLength + 7) / 8 * 8;
  out.put32(kInstanceDefinitionSize + paddedName);
  out.put32(0);  // parent object
  out.put32(0);  // parent instance
  out.put32(kPerfNoUniqueId);
  out.put32(kInstanceDefinitionSize);  // the name follows the definition
  out.put32(nameLength);
  for (const char c : name) {
    out.put16(static_cast<std::uint8_t>(c));
  }
  out.put16(0);
  out.padTo(8);
  out.put32(kCounterBlockSize);
  out.put32(0);
  out.put64(idleTime);
}

}  // namespace

std::vector<std::uint8_t> BuildProcessorBlock(const ProcessorTimes& times) {
  Writer out;
  for (const char c : std::string("PERF")) {
    out.put16(static_cast<std::uint8_t>(c));
  }
  out.put32(1);  // little-endian
  out.put32(kPerfDataVersion);
  out.put32(kPerfDataRevision);
  out.put32(0);  // total length, patched below
  out.put32(kDataBlockSize);
  out.put32(1);  // one object
  out.put32(kProcessorObjectTitleIndex);
  for (const std::uint16_t field :
       {times.time.year, times.time.month, times.time.dayOfWeek, times.time.day, times.time.hour,
        times.time.minute, times.time.second, times.time.milliseconds}) {
    out.put16(field);
  }
  out.padTo(8);
  out.put64(times.fileTime);  // performance time, counted in 100 ns
  out.put64(kFileTimeFrequency);
  out.put64(times.fileTime);
  out.put32(0);  // no system name
  out.put32(0);

  const std::size_t object = out.size();
  const auto instances = static_cast<std::uint32_t>(times.idleTimes.size() + 1);
  out.put32(0);  // total length, patched below
  out.put32(kObjectSize + kCounterDefinitionSize);
  out.put32(kObjectSize);
  out.put32(kProcessorObjectTitleIndex);
  out.put32(0);
  out.put32(kProcessorObjectTitleIndex + 1);  // its help text
  out.put32(0);
  out.put32(kPerfDetailNovice);
  out.put32(1);  // one counter
  out.put32(0);  // the default counter
  out.put32(instances);
  out.put32(0);  // code page: names are UTF-16
  out.put64(times.fileTime);
  out.put64(kFileTimeFrequency);

  out.put32(kCounterDefinitionSize);
  out.put32(kProcessorTimeCounterTitleIndex);
  out.put32(0);
  out.put32(kProcessorTimeCounterTitleIndex + 1);
  out.put32(0);
  out.put32(0);  // scale
  out.put32(kPerfDetailNovice);
  out.put32(kPerf100NsecTimerInv);
  out.put32(8);
  out.put32(kValueOffset);

  for (std::size_t i = 0; i < times.idleTimes.size(); ++i) {
    writeInstance(out, std::to_string(i), times.idleTimes[i]);
  }
  writeInstance(out, "_Total", mean(times.idleTimes));

  out.patch32(object + perf::kObjectTotalByteLength, static_cast<std::uint32_t>(out.size() - object));
  out.patch32(kDataBlockTotalByteLength, static_cast<std::uint32_t>(out.size()));
  return out.take();
}

long DeliverPerformanceBlock(const std::vector<std::uint8_t>& block, std::uint8_t* data,
                             std::uint32_t* dataSize) {
  if (*dataSize < block.size()) {
    return kErrorMoreData;
  }
  std::copy(block.begin(), block.end(), data);
  *dataSize = static_cast<std::uint32_t>(block.size());
  return kErrorSuccess;
}

}  // namespace vantrel::platform
