// Win32 only: the tasks of the Task Scheduler's root folder.
#pragma once

#include "platform/scheduled_tasks.h"

namespace vantrel::platform::win32 {

class Win32ScheduledTasks final : public ScheduledTasks {
 public:
  std::int32_t GetTask(const std::u16string& name, std::u16string& xml) override;
  std::int32_t RegisterTask(const std::u16string& name, const std::u16string& xml) override;
  std::int32_t DeleteTask(const std::u16string& name) override;
  bool TaskFileMissing(const std::u16string& name) override;
};

}  // namespace vantrel::platform::win32
