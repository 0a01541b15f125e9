#include "platform/win32/win32_scheduled_tasks.h"

#include <gtest/gtest.h>

#include "platform/unicode.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_version.h"
#include "scheduled_tasks_contract.h"

namespace vantrel {
namespace {

TEST(Win32ScheduledTasks, KeepsTheScheduledTasksContract) {
  platform::win32::Win32Process process;
  const std::string account = Utf16ToUtf8(process.LookupAccountSidW());
  EXPECT_NE(account.find('\\'), std::string::npos) << account;
  platform::win32::Win32ScheduledTasks tasks;
  contract::checkScheduledTasks(tasks, account, !platform::win32::Win32Version().wine_get_version().empty());
}

}  // namespace
}  // namespace vantrel
