// The tasks of the Task Scheduler (Task Scheduler 2.0: Vista and later): those of its root folder by name, as
// XML; every task of every folder, and its switch.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::platform {

// The HRESULTs that the Task Scheduler answers and its callers tell apart.
constexpr std::int32_t kSOk = 0;
constexpr std::int32_t kEAccessDenied = static_cast<std::int32_t>(0x80070005);
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND): no task of that name.
constexpr std::int32_t kTaskNotFound = static_cast<std::int32_t>(0x80070002);
constexpr std::int32_t kSchedEServiceNotRunning = static_cast<std::int32_t>(0x80041315);
// E_FAIL: a switch that the Task Scheduler answered as done, but that the task read back does not show.
constexpr std::int32_t kTaskNotSwitched = static_cast<std::int32_t>(0x80004005);

// A registered task as the Task Scheduler lists it.
struct RegisteredTask {
  std::u16string Path;  // full, from the root folder, as \Vendor\Updater
  bool Enabled = true;
  std::u16string Xml;  // its definition
};

class ScheduledTasks {
 public:
  virtual ~ScheduledTasks() = default;

  // Each call connects to the Task Scheduler service of this computer and answers an HRESULT.
  // The registered task of the root folder, its definition as XML.
  virtual std::int32_t GetTask(const std::u16string& name, RegisteredTask& task) = 0;
  // Creates the task from its definition's XML, or replaces the one of that name; it runs with the
  // interactive token of the user who registers it.
  virtual std::int32_t RegisterTask(const std::u16string& name, const std::u16string& xml) = 0;
  virtual std::int32_t DeleteTask(const std::u16string& name) = 0;
  // Whether the system says plainly that the task's file is not there, and so no task of that name: a look at
  // one local file, which waits on no service. False where it cannot tell.
  virtual bool TaskFileMissing(const std::u16string& name) = 0;
  // Every task of every folder, hidden ones too. A folder that refuses to be read is left out, not a failure.
  virtual std::int32_t GetTasks(std::vector<RegisteredTask>& tasks) = 0;
  // Switches the task of that full path on or off (its definition stays as it is) and reads its switch back:
  // kTaskNotFound where it is not there, kEAccessDenied where this user may not change it, kTaskNotSwitched
  // where the task read back does not show the change.
  virtual std::int32_t SetTaskEnabled(const std::u16string& path, bool enabled) = 0;
};

}  // namespace vantrel::platform
