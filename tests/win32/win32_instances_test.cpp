#include "platform/win32/win32_instances.h"

#include <gtest/gtest.h>

#include "instances_contract.h"

namespace vantrel {
namespace {

TEST(Win32Instances, KeepsTheInstancesContract) {
  platform::win32::Win32Instances instances;
  contract::checkInstances(instances, "Local\\VantrelContract");
  contract::checkMutexHolding(instances, "Local\\VantrelContractHolding");
}

}  // namespace
}  // namespace vantrel
