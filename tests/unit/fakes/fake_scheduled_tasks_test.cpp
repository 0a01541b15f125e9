#include "fake_scheduled_tasks.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "scheduled_tasks_contract.h"

namespace vantrel {
namespace {

TEST(FakeScheduledTasks, KeepsTheScheduledTasksContract) {
  fakes::FakeScheduledTasks tasks;
  contract::checkScheduledTasks(tasks, "PC\\Ann", false);
  // A system that loses the action is let through as Wine only.
  tasks.keepsNoAction = true;
  contract::checkScheduledTasks(tasks, "PC\\Ann", true);
  ::testing::TestPartResultArray failures;
  {
    const ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
    contract::checkScheduledTasks(tasks, "PC\\Ann", false);
  }
  EXPECT_GT(failures.size(), 0);
}

}  // namespace
}  // namespace vantrel
