#include "scheduled_tasks_contract.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/unicode.h"
#include "program/logon_task.h"

namespace vantrel::contract {

void checkScheduledTasks(platform::ScheduledTasks& tasks, const std::string& account, bool wine) {
  // Not the program's own name: a test must not touch the user's task.
  const std::u16string name = u"Vantrel contract";
  tasks.DeleteTask(name);  // left by a run that stopped half-way
  std::u16string xml;
  EXPECT_EQ(tasks.GetTask(name, xml), platform::kTaskNotFound);
  EXPECT_EQ(tasks.DeleteTask(name), platform::kTaskNotFound);
  EXPECT_TRUE(tasks.TaskFileMissing(name));

  // Read back as written: a path outside the ANSI code page, with a character that XML escapes.
  const std::string program =
      "C:\\\xCE\xA0\xCF\x81\xCF\x8C\xCE\xB3\xCF\x81\xCE\xB1\xCE\xBC\xCE\xBC\xCE\xB1 & "
      "\xE5\x86\x85\xE5\xAD\x98\\Vantrel.exe";
  ASSERT_EQ(tasks.RegisterTask(name, Utf8ToUtf16(LogonTaskXml(account, program))), platform::kSOk);
  ASSERT_EQ(tasks.GetTask(name, xml), platform::kSOk);
  EXPECT_FALSE(tasks.TaskFileMissing(name));
  const auto keeps = [&](const std::string& expected) {
    const std::optional<std::string> read = TaskProgram(Utf16ToUtf8(xml));
    EXPECT_TRUE(read == expected || (wine && !read)) << read.value_or("(no action)");
  };
  keeps(program);

  // A second registration replaces the task.
  ASSERT_EQ(tasks.RegisterTask(name, Utf8ToUtf16(LogonTaskXml(account, "D:\\Tools\\Vantrel.exe"))),
            platform::kSOk);
  ASSERT_EQ(tasks.GetTask(name, xml), platform::kSOk);
  keeps("D:\\Tools\\Vantrel.exe");

  EXPECT_EQ(tasks.DeleteTask(name), platform::kSOk);
  EXPECT_EQ(tasks.GetTask(name, xml), platform::kTaskNotFound);
}

}  // namespace vantrel::contract
