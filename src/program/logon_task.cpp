#include "program/logon_task.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

#include "platform/unicode.h"
#include "program/auto_start.h"
#include "startup/task_xml.h"

namespace vantrel {

namespace {

// E_FAIL: the account to start the task for is not known.
constexpr std::int32_t kNoAccount = static_cast<std::int32_t>(0x80004005);

std::string escaped(const std::string& text) {
  std::string xml;
  for (const char c : text) {
    switch (c) {
      case '&':
        xml += "&amp;";
        break;
      case '<':
        xml += "&lt;";
        break;
      case '>':
        xml += "&gt;";
        break;
      case '"':
        xml += "&quot;";
        break;
      default:
        xml += c;
    }
  }
  return xml;
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the program is a Vantrel executable: `self`, or any file named Vantrel.exe, in any case.
bool runsVantrel(const std::string& program, const std::string& self) {
  constexpr std::string_view kName = "\\vantrel.exe";
  return program == self ||
         (program.size() >= kName.size() &&
          std::equal(kName.begin(), kName.end(), program.end() - static_cast<std::ptrdiff_t>(kName.size()),
                     [](char a, char b) { return a == lower(b); }));
}

}  // namespace

std::string LogonTaskXml(const std::string& account, const std::string& program) {
  const std::string user = escaped(account);
  // Appended piece by piece: the shortest code for the executable's size. Priority 4 is the normal
  // priority a start from the Run key gets; a task's default, 7, is below normal.
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
      "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
      "<Triggers><LogonTrigger><Enabled>true</Enabled><UserId>";
  xml += user;
  xml += "</UserId></LogonTrigger></Triggers>\n<Principals><Principal id=\"Author\"><UserId>";
  xml += user;
  xml +=
      "</UserId><LogonType>InteractiveToken</LogonType><RunLevel>HighestAvailable</RunLevel></Principal>"
      "</Principals>\n"
      "<Settings><DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"
      "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries><RunOnlyIfIdle>false</RunOnlyIfIdle>"
      "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit><Priority>4</Priority></Settings>\n"
      "<Actions Context=\"Author\"><Exec><Command>&quot;";
  xml += escaped(program);
  xml += "&quot;</Command><Arguments>/logon</Arguments></Exec></Actions>\n</Task>\n";
  return xml;
}

std::optional<std::string> TaskProgram(const std::string& xml) {
  const std::optional<XmlSpan> exec = XmlElement(xml, "Exec", XmlWhole(xml));
  const std::optional<std::string> command = exec ? XmlChildText(xml, "Command", *exec) : std::nullopt;
  if (!command) {
    return std::nullopt;
  }
  return CommandProgram(*command);
}

bool IsOwnTask(const std::string& path, const std::string& command, const std::string& self) {
  const std::string own = "\\" + Utf16ToUtf8(kLogonTaskName);
  const auto same = [](char a, char b) { return lower(a) == lower(b); };
  return path.size() == own.size() && std::equal(path.begin(), path.end(), own.begin(), same) &&
         runsVantrel(CommandProgram(command), self);
}

LogonTask FindLogonTask(platform::ScheduledTasks& tasks, const std::string& self) {
  platform::RegisteredTask registered;
  LogonTask task;
  task.result = tasks.GetTask(kLogonTaskName, registered);
  if (task.result < 0) {
    return task;
  }
  task.program = TaskProgram(Utf16ToUtf8(registered.Xml)).value_or("");
  task.ours = runsVantrel(task.program, self);
  task.enabled = registered.Enabled;
  return task;
}

std::int32_t RegisterLogonTask(platform::ScheduledTasks& tasks, const std::string& account,
                               const std::string& self) {
  const LogonTask found = FindLogonTask(tasks, self);
  if (found.result < 0 && found.result != platform::kTaskNotFound) {
    return found.result;
  }
  if (found.result >= 0 && !found.ours) {
    return kForeignTask;
  }
  if (account.empty()) {
    return kNoAccount;
  }
  const std::int32_t result = tasks.RegisterTask(kLogonTaskName, Utf8ToUtf16(LogonTaskXml(account, self)));
  if (result < 0) {
    return result;
  }
  // A registration that says it was done may not have been, or may have lost the action (Wine keeps none): a
  // task that would start nothing goes again, so that the Run value can stand in for it.
  const LogonTask written = FindLogonTask(tasks, self);
  if (written.result >= 0 && written.program == self) {
    return platform::kSOk;
  }
  if (written.result >= 0) {
    tasks.DeleteTask(kLogonTaskName);
  }
  return written.result < 0 && written.result != platform::kTaskNotFound ? written.result
                                                                         : platform::kTaskNotFound;
}

std::int32_t DeleteLogonTask(platform::ScheduledTasks& tasks, const std::string& self) {
  const LogonTask found = FindLogonTask(tasks, self);
  if (found.result == platform::kTaskNotFound) {
    return platform::kSOk;
  }
  if (found.result < 0) {
    return found.result;
  }
  if (!found.ours) {
    return kForeignTask;
  }
  const std::int32_t result = tasks.DeleteTask(kLogonTaskName);
  return result == platform::kTaskNotFound ? platform::kSOk : result;
}

std::string TaskFailure(std::int32_t result) {
  static constexpr std::pair<std::int32_t, const char*> kFailures[] = {
      {platform::kEAccessDenied, "Windows refused it (access denied)."},
      {platform::kSchedEServiceNotRunning, "the Task Scheduler service is not running."},
      {kForeignTask, "a task named Vantrel that starts another program is there; Vantrel leaves it alone."},
      {platform::kTaskNotFound, "the Task Scheduler did not keep the task."}};
  for (const auto& [code, text] : kFailures) {
    if (code == result) {
      return text;
    }
  }
  char text[48];
  std::snprintf(text, sizeof text, "the Task Scheduler answered error 0x%08X.",
                static_cast<unsigned>(result));
  return text;
}

}  // namespace vantrel
