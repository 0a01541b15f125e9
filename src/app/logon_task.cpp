#include "app/logon_task.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <utility>

#include "app/auto_start.h"
#include "platform/unicode.h"

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
  static constexpr std::pair<const char*, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string text;
  for (std::size_t at = 0; at < xml.size();) {
    const auto entity = std::find_if(std::begin(kEntities), std::end(kEntities), [&](const auto& e) {
      return xml.compare(at, std::strlen(e.first), e.first) == 0;
    });
    if (entity != std::end(kEntities)) {
      text += entity->second;
      at += std::strlen(entity->first);
    } else {
      text += xml[at++];
    }
  }
  return text;
}

std::string lowerFileName(const std::string& path) {
  std::string name = path.substr(path.find_last_of("\\/") + 1);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return name;
}

}  // namespace

std::string LogonTaskXml(const std::string& account, const std::string& program) {
  const std::string user = escaped(account);
  return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
         "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
         "<RegistrationInfo><Description>Starts Vantrel with administrator rights at log-on.</Description>"
         "</RegistrationInfo>\n"
         "<Triggers><LogonTrigger><Enabled>true</Enabled><UserId>" +
         user +
         "</UserId></LogonTrigger></Triggers>\n"
         "<Principals><Principal id=\"Author\"><UserId>" +
         user +
         "</UserId><LogonType>InteractiveToken</LogonType><RunLevel>HighestAvailable</RunLevel></Principal>"
         "</Principals>\n"
         "<Settings><DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"
         "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries><RunOnlyIfIdle>false</RunOnlyIfIdle>"
         "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit></Settings>\n"
         "<Actions Context=\"Author\"><Exec><Command>&quot;" +
         escaped(program) + "&quot;</Command><Arguments>" + kLogonSwitch +
         "</Arguments></Exec></Actions>\n"
         "</Task>\n";
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
  const std::string name = lowerFileName(task.program);
  task.ours = !task.program.empty() && (name == "vantrel.exe" || name == lowerFileName(self));
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
  switch (result) {
    case platform::kEAccessDenied:
      return "Windows refused it (access denied).";
    case platform::kSchedEServiceNotRunning:
      return "the Task Scheduler service is not running.";
    case kForeignTask:
      return "a task named Vantrel that starts another program is there; Vantrel leaves it alone.";
    case platform::kTaskNotFound:
      return "the Task Scheduler did not keep the task.";
    case platform::kRegdbEClassNotReg:
      return "this Windows has no Task Scheduler that Vantrel can use.";
    default:
      break;
  }
  char number[11];
  std::snprintf(number, sizeof number, "0x%08X", static_cast<unsigned>(result));
  return std::string("the Task Scheduler answered error ") + number + ".";
}

}  // namespace vantrel
