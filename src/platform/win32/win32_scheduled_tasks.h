// Win32 only: the tasks of the Task Scheduler.
#pragma once

#include "platform/scheduled_tasks.h"

namespace vantrel::platform::win32 {

class Win32ScheduledTasks final : public ScheduledTasks {
 public:
  std::int32_t GetTask(const std::u16string& name, RegisteredTask& task) override;
  std::int32_t RegisterTask(const std::u16string& name, const std::u16string& xml) override;
  std::int32_t DeleteTask(const std::u16string& name) override;
  bool TaskFileMissing(const std::u16string& name) override;
  std::int32_t GetTasks(std::vector<RegisteredTask>& tasks) override;
  std::int32_t SetTaskEnabled(const std::u16string& path, bool enabled) override;
};

}  // namespace vantrel::platform::win32
