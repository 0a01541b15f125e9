#include "instances_contract.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

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
  EXPECT_EQ(instances.FindWindowExA(0, "VantrelContractNoSuchClass"), 0u);
}

void checkMutexHolding(platform::Instances& instances, const char* name) {
  bool existed = true;
  const platform::KernelHandle mine = instances.CreateMutexA(name, existed);
  ASSERT_NE(mine, 0u);
  // Held by another thread (another copy): not to be had until it gives it back.
  std::promise<void> checked;
  std::promise<void> held;
  std::thread other([&] {
    bool opened = false;
    const platform::KernelHandle theirs = instances.CreateMutexA(name, opened);
    EXPECT_TRUE(instances.WaitForSingleObject(theirs, 0));
    held.set_value();
    checked.get_future().wait();
    EXPECT_TRUE(instances.ReleaseMutex(theirs));
    EXPECT_TRUE(instances.CloseHandle(theirs));
  });
  held.get_future().wait();
  EXPECT_FALSE(instances.WaitForSingleObject(mine, 0));
  EXPECT_FALSE(instances.ReleaseMutex(mine)) << "not held here";
  checked.set_value();
  other.join();
  EXPECT_TRUE(instances.WaitForSingleObject(mine, 0));
  EXPECT_TRUE(instances.ReleaseMutex(mine));
  // A holder that ends without giving it back leaves it to be had.
  std::thread ending([&] {
    bool opened = false;
    const platform::KernelHandle theirs = instances.CreateMutexA(name, opened);
    EXPECT_TRUE(instances.WaitForSingleObject(theirs, 0));
    EXPECT_TRUE(instances.CloseHandle(theirs));
  });
  ending.join();
  EXPECT_TRUE(instances.WaitForSingleObject(mine, 0));
  EXPECT_TRUE(instances.ReleaseMutex(mine));
  EXPECT_TRUE(instances.CloseHandle(mine));
}

void checkWindowFinding(platform::Instances& instances, platform::HWnd window, const char* className,
                        const char* title) {
  bool found = false;
  for (platform::HWnd other = instances.FindWindowExA(0, className); other != 0;
       other = instances.FindWindowExA(other, className)) {
    found = found || other == window;
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(instances.GetWindowTextA(window), title);
}

}  // namespace vantrel::contract
