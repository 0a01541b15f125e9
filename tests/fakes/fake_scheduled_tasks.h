// The Task Scheduler's root folder in memory: tasks by name, each its XML as registered.
#pragma once

#include <map>
#include <string>

#include "fault_plan.h"
#include "platform/scheduled_tasks.h"
#include "platform/unicode.h"

namespace vantrel::fakes {

class FakeScheduledTasks final : public platform::ScheduledTasks {
 public:
  std::int32_t GetTask(const std::u16string& name, std::u16string& xml) override {
    if (const std::int32_t refused = answer("GetTask", false)) {
      return refused;
    }
    const auto task = tasks.find(Utf16ToUtf8(name));
    if (task == tasks.end()) {
      return platform::kTaskNotFound;
    }
    xml = Utf8ToUtf16(task->second);
    return platform::kSOk;
  }
  std::int32_t RegisterTask(const std::u16string& name, const std::u16string& xml) override {
    if (const std::int32_t refused = answer("RegisterTask", true)) {
      return refused;
    }
    if (!keepsNothing) {
      tasks[Utf16ToUtf8(name)] = keepsNoAction ? kWithoutAction : Utf16ToUtf8(xml);
    }
    return platform::kSOk;
  }
  std::int32_t DeleteTask(const std::u16string& name) override {
    if (const std::int32_t refused = answer("DeleteTask", true)) {
      return refused;
    }
    return tasks.erase(Utf16ToUtf8(name)) != 0 ? platform::kSOk : platform::kTaskNotFound;
  }

  bool TaskFileMissing(const std::u16string& name) override { return tasks.count(Utf16ToUtf8(name)) == 0; }

  std::map<std::string, std::string> tasks;  // UTF-8
  // What every call answers while it is not kSOk: kSchedEServiceNotRunning, or REGDB_E_CLASSNOTREG before
  // Vista.
  std::int32_t service = platform::kSOk;
  // As Windows refuses a user without administrator rights: a task at the highest run level, and the deletion
  // of one that an administrator registered.
  bool standardUser = false;
  // A registration that answers done and keeps nothing; or keeps a task without its action, as Wine 8 does.
  bool keepsNothing = false;
  bool keepsNoAction = false;
  static constexpr char kWithoutAction[] = "<Task><Triggers/><Actions><Exec/></Actions></Task>";
  FaultPlan faults;  // calls: "GetTask", "RegisterTask", "DeleteTask"; a failing call answers E_FAIL

 private:
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
