#include "startup/startup_tasks.h"

#include <cstdio>
#include <string_view>

#include "platform/unicode.h"
#include "startup/publisher_column.h"
#include "startup/startup_entries.h"
#include "startup/startup_rows.h"
#include "startup/task_xml.h"

namespace vantrel {

namespace {

constexpr char kAllUsers[] = "All users";
constexpr char kThisUser[] = "This user";

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

// Whether a trigger's account is this user's: written whole (DOMAIN\name) or by the name alone.
bool thisUser(const std::string& userId, const std::string& account) {
  const std::size_t slash = account.rfind('\\');
  return sameName(userId, account) || (slash != std::string::npos && userId.find('\\') == std::string::npos &&
                                       sameName(userId, std::string_view(account).substr(slash + 1)));
}

// The scope of a definition's log-on and boot triggers; none where it has neither.
std::optional<std::string> startScope(const std::string& xml, const std::string& account) {
  const std::optional<XmlSpan> triggers = XmlElement(xml, "Triggers", XmlWhole(xml));
  if (!triggers) {
    return std::nullopt;
  }
  if (XmlElement(xml, "BootTrigger", *triggers)) {
    return kAllUsers;
  }
  std::optional<std::string> scope;
  for (std::optional<XmlSpan> logon = XmlElement(xml, "LogonTrigger", *triggers); logon;
       logon = XmlElement(xml, "LogonTrigger", *triggers, logon->End)) {
    const std::optional<std::string> user = XmlChildText(xml, "UserId", *logon);
    // Anyone's log-on starts it: that says the most.
    if (!user || user->empty()) {
      return kAllUsers;
    }
    if (!scope) {
      scope = thisUser(*user, account) ? kThisUser : *user;
    }
  }
  return scope;
}

std::string failure(std::int32_t result) {
  char text[64];
  std::snprintf(text, sizeof text, "the Task Scheduler answered error 0x%08X", static_cast<unsigned>(result));
  return text;
}

}  // namespace

std::vector<TaskEntry> StartupTasks(const std::vector<platform::RegisteredTask>& tasks,
                                    const std::string& account) {
  std::vector<TaskEntry> entries;
  for (const platform::RegisteredTask& task : tasks) {
    const std::string xml = Utf16ToUtf8(task.Xml);
    std::optional<std::string> scope = startScope(xml, account);
    if (!scope) {
      continue;
    }
    TaskEntry entry{Utf16ToUtf8(task.Path), task.Enabled, std::move(*scope), std::nullopt, std::nullopt};
    const std::optional<XmlSpan> actions = XmlElement(xml, "Actions", XmlWhole(xml));
    const std::optional<XmlSpan> exec = actions ? XmlElement(xml, "Exec", *actions) : std::nullopt;
    if (exec) {
      entry.Command = XmlChildText(xml, "Command", *exec);
    }
    if (entry.Command) {
      const std::string arguments = XmlChildText(xml, "Arguments", *exec).value_or("");
      entry.Program = arguments.empty() ? *entry.Command : *entry.Command + " " + arguments;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

TListRow TaskRow(const TaskEntry& task, bool status) {
  TListRow row = EntryRow(
      task.Path, kTaskLocation, task.Scope,
      status ? std::optional<std::string>(task.Enabled ? kEnabled : kDisabled) : std::nullopt, task.Program);
  row.Key = task.Path;
  row.Tag = task.Enabled ? kEnabledTaskRow : kDisabledTaskRow;
  return row;
}

bool TaskRowEnabled(const TListRow& row) {
  return row.Tag == kEnabledTaskRow;
}

void FillTaskRows(const std::vector<TaskEntry>& tasks, bool status, TListView& liveList) {
  TListViewUpdate update(liveList);
  for (int i = liveList.RowCount() - 1; i >= 0; --i) {
    if (IsTaskRow(liveList.Rows()[i])) {
      liveList.DeleteRow(i);
    }
  }
  for (const TaskEntry& task : tasks) {
    liveList.AddRow(TaskRow(task, status));
  }
}

bool SetSelectedTasksEnabled(platform::ScheduledTasks& scheduler, TListView& liveList, bool enabled,
                             TRefusals& refusals, std::vector<TaskEntry>& switched) {
  bool gone = false;
  const int statusItem = SubItemOf(liveList, kStatusColumn);
  for (int i = 0; i < liveList.RowCount(); ++i) {
    const TListRow& row = liveList.Rows()[i];
    if (!row.Selected || !IsTaskRow(row)) {
      continue;
    }
    const std::int32_t result = scheduler.SetTaskEnabled(Utf8ToUtf16(row.Key), enabled);
    if (result == platform::kTaskNotFound) {
      gone = true;
      refusals.Refused(row.Caption, PlaceText(kTaskLocation, ScopeOf(row)), kReasonGone);
    } else if (result == platform::kEAccessDenied) {
      refusals.Refused(row.Caption, PlaceText(kTaskLocation, ScopeOf(row)),
                       "only an administrator may change this task", true);
    } else if (result == platform::kTaskNotSwitched) {
      refusals.Refused(row.Caption, PlaceText(kTaskLocation, ScopeOf(row)),
                       "the Task Scheduler did not keep the change");
    } else if (result < 0) {
      refusals.Refused(row.Caption, PlaceText(kTaskLocation, ScopeOf(row)), failure(result));
    } else {
      switched.push_back({row.Key, enabled, ScopeOf(row), std::nullopt, row.Value});
      liveList.SetTag(i, enabled ? kEnabledTaskRow : kDisabledTaskRow);
      liveList.SetSubItem(i, statusItem, enabled ? kEnabled : kDisabled);
    }
  }
  return gone;
}

void RefuseTaskDeletion(const TListView& liveList, TRefusals& refusals) {
  for (const TListRow& row : liveList.Rows()) {
    if (row.Selected && IsTaskRow(row)) {
      refusals.Refused(row.Caption, PlaceText(kTaskLocation, ScopeOf(row)),
                       "tasks are turned off here, not deleted (\"Disable at log-on\" or \"Turn off\")");
    }
  }
}

}  // namespace vantrel
