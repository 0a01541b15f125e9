// Win32 only: the program's worker threads.
#pragma once

#include "platform/worker.h"

namespace vantrel::platform::win32 {

// Each job runs in a single-threaded COM apartment: the Task Scheduler is reached through COM, and the shell
// may hand an execution to extensions that need one.
class Win32Workers final : public Workers {
 public:
  std::unique_ptr<Worker> NewWorker() override;
};

}  // namespace vantrel::platform::win32
