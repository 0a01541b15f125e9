// The operating-system services one program instance works with: the real ones in the product, fakes in
// tests.
#pragma once

#include "platform/dialogs.h"
#include "platform/file_security.h"
#include "platform/file_system.h"
#include "platform/gdi.h"
#include "platform/instances.h"
#include "platform/locale.h"
#include "platform/memory.h"
#include "platform/multimedia.h"
#include "platform/performance_data.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/scheduled_tasks.h"
#include "platform/shell.h"
#include "platform/shell_execute.h"
#include "platform/signatures.h"
#include "platform/system_memory.h"
#include "platform/time_of_day.h"
#include "platform/version.h"
#include "platform/window_system.h"
#include "platform/worker.h"

namespace vantrel::platform {

struct Services {
  Memory* memory = nullptr;
  Registry* registry = nullptr;
  Version* version = nullptr;
  PerformanceData* performanceData = nullptr;
  Profile* profile = nullptr;
  Process* process = nullptr;
  FileSystem* fileSystem = nullptr;
  Dialogs* dialogs = nullptr;
  Locale* locale = nullptr;
  WindowSystem* windowSystem = nullptr;
  Shell* shell = nullptr;
  Gdi* gdi = nullptr;
  Multimedia* multimedia = nullptr;
  ShellExecution* shellExecution = nullptr;
  Instances* instances = nullptr;
  TimeOfDay* timeOfDay = nullptr;
  SystemMemory* systemMemory = nullptr;
  ScheduledTasks* scheduledTasks = nullptr;
  FileSecurity* fileSecurity = nullptr;
  Workers* workers = nullptr;
  Signatures* signatures = nullptr;
};

}  // namespace vantrel::platform
