#include "instances_contract.h"

#include <gtest/gtest.h>

namespace vantrel::contract {

void checkInstances(platform::Instances& instances, const char* name) {
  bool existed = true;
  const platform::KernelHandle first = instances.CreateMutexA(name, existed);
  ASSERT_NE(first, 0u);
  EXPECT_FALSE(existed);
  // Opened again while it is held, even by the same process, it tells that it was there.
  const platform::KernelHandle second = instances.CreateMutexA(name, existed);
  EXPECT_NE(second, 0u);
  EXPECT_TRUE(existed);
  EXPECT_TRUE(instances.CloseHandle(second));
  EXPECT_TRUE(instances.CloseHandle(first));
  // Gone with its last handle.
  const platform::KernelHandle again = instances.CreateMutexA(name, existed);
  EXPECT_FALSE(existed);
  EXPECT_TRUE(instances.CloseHandle(again));
  EXPECT_EQ(instances.FindWindowA("VantrelContractNoSuchClass", "Vantrel contract"), 0u);
}

}  // namespace vantrel::contract
