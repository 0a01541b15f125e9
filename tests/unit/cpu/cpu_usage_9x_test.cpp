#include <string>
#include <vector>

#include "cpu_sampler_support.h"

namespace vantrel {
namespace {

using platform::kHKeyDynData;
using Log = std::vector<std::string>;

const std::string kStart = "HKDD\\PerfStats\\StartStat";
const std::string kData = "HKDD\\PerfStats\\StatData";
const std::string kStop = "HKDD\\PerfStats\\StopStat";
const std::string kValue = " [KERNEL\\CPUUsage]";

class Sampler9x : public CpuSamplerTest {
 protected:
  void SetUp() override {
    for (const char* key : {"PerfStats\\StartStat", "PerfStats\\StatData", "PerfStats\\StopStat"}) {
      registry.setDword(kHKeyDynData, key, "KERNEL\\CPUUsage", 99);
    }
    setUsage(37);
    start(platform::kVerPlatformWin32Windows);
  }
  void setUsage(std::uint32_t percent) {
    registry.setDword(kHKeyDynData, "PerfStats\\StatData", "KERNEL\\CPUUsage", percent);
  }
  static Log startLog() {
    return {"RegOpenKeyExW " + kStart, "RegQueryValueExW " + kStart + kValue, "RegCloseKey " + kStart,
            "RegOpenKeyExW " + kData};
  }
};

TEST_F(Sampler9x, TheFirstReadingStartsTheStatisticsAndReadsThePercentage) {
  EXPECT_DOUBLE_EQ(ProcessorUsage(0), 0.37);
  Log expected = startLog();
  expected.push_back("RegQueryValueExW " + kData + kValue);
  EXPECT_EQ(registry.log, expected);

  // Later samples read the open data key only; a reading reads what the last sample got.
  setUsage(5);
  EXPECT_DOUBLE_EQ(ProcessorUsage(0), 0.37);
  RefreshProcessorData();
  expected.push_back("RegQueryValueExW " + kData + kValue);
  EXPECT_EQ(registry.log, expected);
  EXPECT_DOUBLE_EQ(ProcessorUsage(0), 0.05);
  setUsage(100);
  RefreshProcessorData();
  EXPECT_DOUBLE_EQ(ProcessorUsage(0), 1.0);
}

TEST_F(Sampler9x, OneProcessorAtIndexZeroWithoutAskingTheRegistry) {
  EXPECT_EQ(ProcessorCount(), 1);
  for (const std::int32_t index : {1, -1, 2}) {
    SCOPED_TRACE(index);
    expectFailure([index] { ProcessorUsage(index); }, kCpuIndexOutOfBoundsMessage);
  }
  EXPECT_TRUE(registry.log.empty());
}

TEST_F(Sampler9x, AFailedStartIsTriedAgainAtTheNextSample) {
  struct Case {
    const char* name;
    void (*refuse)(fakes::FakeRegistry&);
    const char* message;
    Log log;
  };
  const std::vector<Case> cases = {
      {"no start key",
       [](fakes::FakeRegistry& r) { r.denyAll(kHKeyDynData, "PerfStats\\StartStat"); },
       kCannotStartStatisticsMessage,
       {"RegOpenKeyExW " + kStart}},
      {"a start key that cannot be written",
       [](fakes::FakeRegistry& r) { r.denyWriting(kHKeyDynData, "PerfStats\\StartStat"); },
       kCannotStartStatisticsMessage,
       {"RegOpenKeyExW " + kStart}},
      {"no data key", [](fakes::FakeRegistry& r) { r.denyAll(kHKeyDynData, "PerfStats\\StatData"); },
       kCannotReadStatisticsMessage, startLog()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::FakeRegistry refusing;
    for (const char* key : {"PerfStats\\StartStat", "PerfStats\\StatData"}) {
      refusing.setDword(kHKeyDynData, key, "KERNEL\\CPUUsage", 12);
    }
    c.refuse(refusing);
    ShutdownCpuUsage();
    platform::Services s = services();
    s.registry = &refusing;
    StartupCpuUsage(s);

    expectFailure([] { RefreshProcessorData(); }, c.message);
    EXPECT_EQ(refusing.log, c.log);
    expectFailure([] { ProcessorUsage(0); }, c.message);
    EXPECT_EQ(refusing.log.size(), 2 * c.log.size());
    EXPECT_EQ(refusing.openHandles(), 0);
    // Never started, so there is nothing to stop.
    refusing.log.clear();
    ShutdownCpuUsage();
    EXPECT_TRUE(refusing.log.empty());
    start(platform::kVerPlatformWin32Windows);
  }
}

TEST_F(Sampler9x, ADataKeyOpenForReadingIsEnough) {
  registry.denyWriting(kHKeyDynData, "PerfStats\\StatData");
  RefreshProcessorData();
  EXPECT_DOUBLE_EQ(ProcessorUsage(0), 0.37);
}

TEST_F(Sampler9x, AFailedReadLeavesTheLastValue) {
  RefreshProcessorData();
  registry.faults.failOn("RegQueryValueExW", 3);
  setUsage(80);
  RefreshProcessorData();
  EXPECT_DOUBLE_EQ(ProcessorUsage(0), 0.37);
  // A value of another size is not a percentage either.
  registry.setValue(kHKeyDynData, "PerfStats\\StatData", "KERNEL\\CPUUsage", platform::kRegBinary, {1, 2});
  RefreshProcessorData();
  EXPECT_DOUBLE_EQ(ProcessorUsage(0), 0.37);
  setUsage(80);
  RefreshProcessorData();
  EXPECT_DOUBLE_EQ(ProcessorUsage(0), 0.8);
}

TEST_F(Sampler9x, OnlyStartedStatisticsAreStopped) {
  StopProcessorStatistics();
  EXPECT_TRUE(registry.log.empty());

  RefreshProcessorData();
  registry.log.clear();
  StopProcessorStatistics();
  EXPECT_EQ(registry.log, (Log{"RegCloseKey " + kData, "RegOpenKeyExW " + kStop,
                               "RegQueryValueExW " + kStop + kValue, "RegCloseKey " + kStop}));
  EXPECT_EQ(registry.openHandles(), 0);
  StopProcessorStatistics();
  ShutdownCpuUsage();
  EXPECT_EQ(registry.log.size(), 4u);

  // The next sample starts them again; shut-down stops them.
  start(platform::kVerPlatformWin32Windows);
  RefreshProcessorData();
  registry.log.clear();
  ShutdownCpuUsage();
  EXPECT_EQ(registry.log.size(), 4u);
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(Sampler9x, StoppingIgnoresAMissingStopKey) {
  registry.denyAll(kHKeyDynData, "PerfStats\\StopStat");
  RefreshProcessorData();
  registry.log.clear();
  ShutdownCpuUsage();
  EXPECT_EQ(registry.log, (Log{"RegCloseKey " + kData, "RegOpenKeyExW " + kStop}));
  EXPECT_EQ(registry.openHandles(), 0);
}

}  // namespace
}  // namespace vantrel
