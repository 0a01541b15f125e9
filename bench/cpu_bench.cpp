// One sample and one reading of the CPU usage sampler (RefreshProcessorData, ProcessorCount, the usage of
// the last instance, as the main window's ticks take them), against the bare query for the processor object
// in the same run. Natively the service is the fake with a block of eight processors; on Windows (Wine) the
// real one follows.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cpu/cpu_usage.h"
#include "fake_performance_data.h"
#include "fake_version.h"
#include "median.h"
#include "platform/performance_block.h"
#include "platform/processor_block.h"
#include "platform/unicode.h"
#ifdef _WIN32
#include "platform/win32/win32_services.h"
#endif

namespace {

using vantrel::platform::PerformanceData;

volatile double sink = 0;

void sampleAndRead() {
  vantrel::RefreshProcessorData();
  sink = sink + vantrel::ProcessorUsage(vantrel::ProcessorCount() - 1);
}

// The reference is the bare query for the processor object: the fake's, or the system's own through the
// registry (which under Wine answers without the object, and slowly).
void report(const char* name, const vantrel::platform::Services& services, int rounds, int calls) {
  std::vector<std::uint8_t> buffer(65536);
  const double query = vantrel::bench::microsecondsPerCall(rounds, calls, [&] {
    auto size = static_cast<std::uint32_t>(buffer.size());
    if (services.registry) {
      const std::u16string object = vantrel::Utf8ToUtf16(vantrel::platform::kProcessorObjectValue);
      services.registry->RegQueryValueExW(vantrel::platform::kHKeyPerformanceData, object.c_str(), nullptr,
                                          buffer.data(), &size);
    } else {
      services.performanceData->RegQueryValueExA(vantrel::platform::kProcessorObjectValue, buffer.data(),
                                                 &size);
    }
  });
  vantrel::StartupCpuUsage(services);
  const double sample = vantrel::bench::microsecondsPerCall(rounds, calls, sampleAndRead);
  vantrel::ShutdownCpuUsage();
  std::printf("%-6s %14.2f %16.2f %8.3f\n", name, query, sample, sample / query);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 9;
  std::printf("%-6s %14s %16s %8s\n", "system", "query us", "sample+read us", "ratio");

  vantrel::fakes::FakeVersion version;
  vantrel::fakes::FakePerformanceData fake;
  vantrel::platform::ProcessorTimes times;
  times.time = {2024, 3, 5, 1, 12, 0, 0, 0};
  times.idleTimes.assign(8, 123456789);
  fake.block = vantrel::platform::BuildProcessorBlock(times);
  vantrel::platform::Services fakeServices;
  fakeServices.version = &version;
  fakeServices.performanceData = &fake;
  report("fake", fakeServices, rounds, 20000);

#ifdef _WIN32
  report("real", vantrel::platform::win32::services(), rounds, 50);
#endif
  return 0;
}
