// The tasks of the Task Scheduler's root folder, by name, as XML (Task Scheduler 2.0: Vista and later).
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::platform {

// The HRESULTs that the Task Scheduler answers and its callers tell apart.
constexpr std::int32_t kSOk = 0;
constexpr std::int32_t kEAccessDenied = static_cast<std::int32_t>(0x80070005);
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND): no task of that name.
constexpr std::int32_t kTaskNotFound = static_cast<std::int32_t>(0x80070002);
constexpr std::int32_t kSchedEServiceNotRunning = static_cast<std::int32_t>(0x80041315);

class ScheduledTasks {
 public:
  virtual ~ScheduledTasks() = default;

  // Each call connects to the Task Scheduler service of this computer and answers an HRESULT.
  // The registered task's definition as XML.
  virtual std::int32_t GetTask(const std::u16string& name, std::u16string& xml) = 0;
  // Creates the task from its definition's XML, or replaces the one of that name; it runs with the
  // interactive token of the user who registers it.
  virtual std::int32_t RegisterTask(const std::u16string& name, const std::u16string& xml) = 0;
  virtual std::int32_t DeleteTask(const std::u16string& name) = 0;
  // Whether the system says plainly that the task's file is not there, and so no task of that name: a look at
  // one local file, which waits on no service. False where it cannot tell.
  virtual bool TaskFileMissing(const std::u16string& name) = 0;
};

}  // namespace vantrel::platform
