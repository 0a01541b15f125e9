// The Task Scheduler in memory: tasks by path, each its XML as registered and its switch.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fault_plan.h"
#include "platform/scheduled_tasks.h"
#include "platform/unicode.h"

namespace vantrel::fakes {

class FakeScheduledTasks final : public platform::ScheduledTasks {
 public:
  struct Task {
    Task(std::string xml = {}) : xml(std::move(xml)) {}  // NOLINT: a task is set as its XML
    std::string xml;                                     // UTF-8
    bool enabled = true;
    // Registered by an administrator: a standard user may not switch it.
    bool administrators = false;
  };

  std::int32_t GetTask(const std::u16string& name, platform::RegisteredTask& task) override {
    if (const std::int32_t refused = answer("GetTask", false)) {
      return refused;
    }
    const auto found = tasks.find(keyOf(name));
    if (found == tasks.end()) {
      return platform::kTaskNotFound;
    }
    task = registered(*found);
    return platform::kSOk;
  }
  std::int32_t RegisterTask(const std::u16string& name, const std::u16string& xml) override {
    if (const std::int32_t refused = answer("RegisterTask", true)) {
      return refused;
    }
    if (!keepsNothing) {
      tasks[keyOf(name)] = keepsNoAction ? kWithoutAction : Utf16ToUtf8(xml);
    }
    return platform::kSOk;
  }
  std::int32_t DeleteTask(const std::u16string& name) override {
    if (const std::int32_t refused = answer("DeleteTask", true)) {
      return refused;
    }
    return tasks.erase(keyOf(name)) != 0 ? platform::kSOk : platform::kTaskNotFound;
  }

  bool TaskFileMissing(const std::u16string& name) override { return tasks.count(keyOf(name)) == 0; }

  std::int32_t GetTasks(std::vector<platform::RegisteredTask>& listed) override {
    if (const std::int32_t refused = answer("GetTasks", false)) {
      return refused;
    }
    for (const auto& task : tasks) {
      listed.push_back(registered(task));
    }
    return platform::kSOk;
  }
  std::int32_t SetTaskEnabled(const std::u16string& path, bool enabled) override {
    if (faults.shouldFail("Vanish")) {
      tasks.erase(keyOf(path));
    }
    if (faults.shouldFail("SetTaskEnabled")) {
      return static_cast<std::int32_t>(0x80004005);
    }
    if (service != platform::kSOk) {
      return service;
    }
    const auto task = tasks.find(keyOf(path));
    if (task == tasks.end()) {
      return platform::kTaskNotFound;
    }
    if (standardUser && task->second.administrators) {
      return platform::kEAccessDenied;
    }
    if (!keepsNothing) {
      task->second.enabled = enabled;
    }
    return task->second.enabled == enabled ? platform::kSOk : platform::kTaskNotSwitched;
  }

  // By path without its first backslash: "Vantrel" is the root folder's task \Vantrel, "Vendor\\Updater" is
  // \Vendor\Updater.
  std::map<std::string, Task> tasks;
  // What every call answers while it is not kSOk: kSchedEServiceNotRunning, or REGDB_E_CLASSNOTREG before
  // Vista.
  std::int32_t service = platform::kSOk;
  // As Windows refuses a user without administrator rights: a task at the highest run level, the deletion
  // of one that an administrator registered, and the switch of a task marked `administrators`.
  bool standardUser = false;
  // A registration or a switch that answers done and keeps nothing; or a registration that keeps a task
  // without its action, as Wine 8 does.
  bool keepsNothing = false;
  bool keepsNoAction = false;
  static constexpr char kWithoutAction[] = "<Task><Triggers/><Actions><Exec/></Actions></Task>";
  // Calls: "GetTask", "RegisterTask", "DeleteTask", "GetTasks", "SetTaskEnabled" (a failing call answers
  // E_FAIL); "Vanish", counted at each SetTaskEnabled: the task goes just before it is switched.
  FaultPlan faults;

 private:
  static std::string keyOf(const std::u16string& path) {
    return Utf16ToUtf8(!path.empty() && path.front() == u'\\' ? path.substr(1) : path);
  }
  static platform::RegisteredTask registered(const std::pair<const std::string, Task>& task) {
    std::u16string path(1, u'\\');
    path += Utf8ToUtf16(task.first);
    return {path, task.second.enabled, Utf8ToUtf16(task.second.xml)};
  }
  std::int32_t answer(const char* call, bool changes) {
    if (faults.shouldFail(call)) {
      return static_cast<std::int32_t>(0x80004005);
    }
    if (service != platform::kSOk) {
      return service;
    }
    return changes && standardUser ? platform::kEAccessDenied : platform::kSOk;
  }
};

}  // namespace vantrel::fakes
