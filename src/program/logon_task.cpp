#include "program/logon_task.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

#include "platform/unicode.h"
#include "program/auto_start.h"

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

std::string unescaped(const std::string& xml) {
  // Each entity that XML writes, followed by the character it stands for.
  static constexpr std::string_view kEntities[] = {"&amp;&", "&lt;<", "&gt;>", "&quot;\"", "&apos;'"};
  std::string text;
  for (std::size_t at = 0; at < xml.size();) {
    char c = xml[at];
    std::size_t length = 1;
    for (const std::string_view entity : kEntities) {
      if (xml.compare(at, entity.size() - 1, entity.data(), entity.size() - 1) == 0) {
        c = entity.back();
        length = entity.size() - 1;
        break;
      }
    }
    text += c;
    at += length;
  }
  return text;
}

// Whether the path's file name is Vantrel.exe, in any case.
bool namesVantrel(const std::string& path) {
  constexpr std::string_view kName = "\\vantrel.exe";
  return path.size() >= kName.size() &&
         std::equal(kName.begin(), kName.end(), path.end() - static_cast<std::ptrdiff_t>(kName.size()),
                    [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); });
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
  constexpr std::string_view kOpen = "<Command>";
  const std::size_t exec = xml.find("<Exec>");
  const std::size_t open = xml.find(kOpen, exec);
  const std::size_t close = xml.find("</Command>", open);
  if (exec == std::string::npos || open == std::string::npos || close == std::string::npos) {
    return std::nullopt;
  }
  return CommandProgram(unescaped(xml.substr(open + kOpen.size(), close - open - kOpen.size())));
}

LogonTask FindLogonTask(platform::ScheduledTasks& tasks, const std::string& self) {
  std::u16string xml;
  LogonTask task;
  task.result = tasks.GetTask(kLogonTaskName, xml);
  if (task.result < 0) {
    return task;
  }
  task.program = TaskProgram(Utf16ToUtf8(xml)).value_or("");
  task.ours = task.program == self || namesVantrel(task.program);
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
