#include "fake_scheduled_tasks.h"

#include <gtest/gtest.h>

#include "scheduled_tasks_contract.h"

namespace vantrel {
namespace {

TEST(FakeScheduledTasks, KeepsTheScheduledTasksContract) {
  fakes::FakeScheduledTasks tasks;
  contract::checkScheduledTasks(tasks, "PC\\Ann", true);
}

}  // namespace
}  // namespace vantrel
