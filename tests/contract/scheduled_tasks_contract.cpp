#include "scheduled_tasks_contract.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/unicode.h"
#include "program/logon_task.h"

namespace vantrel::contract {

void checkScheduledTasks(platform::ScheduledTasks& tasks, const std::string& account, bool wine) {
  // Not the program's own name: a test must not touch the user's task.
  const std::u16string path = u"\\Vantrel contract";
  const std::u16string name = path.substr(1);
  tasks.DeleteTask(name);  // left by a run that stopped half-way
  platform::RegisteredTask task;
  EXPECT_EQ(tasks.GetTask(name, task), platform::kTaskNotFound);
  EXPECT_EQ(tasks.SetTaskEnabled(path, false), platform::kTaskNotFound);
  EXPECT_EQ(tasks.DeleteTask(name), platform::kTaskNotFound);
  EXPECT_TRUE(tasks.TaskFileMissing(name));

  // Read back as written: a path outside the ANSI code page, with a character that XML escapes.
  const std::string program =
      "C:\\\xCE\xA0\xCF\x81\xCF\x8C\xCE\xB3\xCF\x81\xCE\xB1\xCE\xBC\xCE\xBC\xCE\xB1 & "
      "\xE5\x86\x85\xE5\xAD\x98\\Vantrel.exe";
  ASSERT_EQ(tasks.RegisterTask(name, Utf8ToUtf16(LogonTaskXml(account, program))), platform::kSOk);
  ASSERT_EQ(tasks.GetTask(name, task), platform::kSOk);
  EXPECT_TRUE(task.Enabled);
  EXPECT_FALSE(tasks.TaskFileMissing(name));
  const auto keeps = [&](const std::string& expected) {
    const std::optional<std::string> read = TaskProgram(Utf16ToUtf8(task.Xml));
    EXPECT_TRUE(read == expected || (wine && !read)) << read.value_or("(no action)");
  };
  keeps(program);

  // Switched off and on again, as the listing of every folder shows it; its definition stays.
  const auto listed = [&]() -> std::optional<bool> {
    std::vector<platform::RegisteredTask> all;
    EXPECT_EQ(tasks.GetTasks(all), platform::kSOk);
    for (const platform::RegisteredTask& each : all) {
      if (each.Path == path) {
        return each.Enabled;
      }
    }
    return std::nullopt;
  };
  for (const bool enabled : {false, true}) {
    SCOPED_TRACE(enabled);
    const std::int32_t result = tasks.SetTaskEnabled(path, enabled);
    ASSERT_EQ(tasks.GetTask(name, task), platform::kSOk);
    // "Done" only where the task reads back switched. Wine 8 keeps no switch off and answers so; nor does
    // its listing of the folders hold the task.
    EXPECT_TRUE(result == platform::kSOk ? task.Enabled == enabled
                                         : wine && result == platform::kTaskNotSwitched);
    if (!wine) {
      EXPECT_EQ(listed(), std::optional(enabled));
    }
    keeps(program);
  }

  // A second registration replaces the task.
  ASSERT_EQ(tasks.RegisterTask(name, Utf8ToUtf16(LogonTaskXml(account, "D:\\Tools\\Vantrel.exe"))),
            platform::kSOk);
  ASSERT_EQ(tasks.GetTask(name, task), platform::kSOk);
  keeps("D:\\Tools\\Vantrel.exe");

  EXPECT_EQ(tasks.DeleteTask(name), platform::kSOk);
  EXPECT_EQ(tasks.GetTask(name, task), platform::kTaskNotFound);
  if (!wine) {
    EXPECT_EQ(listed(), std::nullopt);
  }
}

}  // namespace vantrel::contract
