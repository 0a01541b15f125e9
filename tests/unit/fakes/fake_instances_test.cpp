#include "fake_instances.h"

#include <gtest/gtest.h>

#include "instances_contract.h"

namespace vantrel {
namespace {

TEST(FakeInstances, KeepsTheInstancesContract) {
  fakes::FakeInstances instances;
  contract::checkInstances(instances, "Local\\VantrelContract");
  contract::checkMutexHolding(instances, "Local\\VantrelContractHolding");
  instances.windows[{"VantrelContract", "Vantrel contract 2"}] = 0x99;
  contract::checkWindowFinding(instances, 0x99, "VantrelContract", "Vantrel contract 2");
  EXPECT_EQ(instances.liveHandles(), 0);
}

}  // namespace
}  // namespace vantrel
