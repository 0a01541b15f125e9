// What the sampler's tests share: the module started on fakes around each case, and failures checked for
// their class and exact text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "cpu/cpu_usage.h"
#include "fake_performance_data.h"
#include "fake_registry.h"
#include "fake_version.h"
#include "framework/exception.h"

namespace vantrel {

class CpuSamplerTest : public ::testing::Test {
 protected:
  void start(std::uint32_t platformId) {
    version.platformId = platformId;
    StartupCpuUsage(services());
  }
  void TearDown() override { ShutdownCpuUsage(); }
  platform::Services services() {
    platform::Services s;
    s.registry = &registry;
    s.version = &version;
    s.performanceData = &performanceData;
    return s;
  }

  fakes::FakeVersion version;
  fakes::FakeRegistry registry;
  fakes::FakePerformanceData performanceData;
};

// The call fails with the root exception class itself and exactly this text.
template <typename Call>
void expectFailure(Call&& call, const std::string& message) {
  try {
    call();
    ADD_FAILURE() << "no failure; expected \"" << message << "\"";
  } catch (const Exception& e) {
    EXPECT_EQ(typeid(e), typeid(Exception));
    EXPECT_EQ(e.Message(), message);
  }
}

}  // namespace vantrel
