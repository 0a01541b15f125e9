// Win32 only: the real operating-system services of the product.
#include "platform/win32/win32_services.h"

#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_file_security.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_gdi.h"
#include "platform/win32/win32_instances.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_memory.h"
#include "platform/win32/win32_multimedia.h"
#include "platform/win32/win32_performance_data.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_scheduled_tasks.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_shell_execute.h"
#include "platform/win32/win32_signatures.h"
#include "platform/win32/win32_system_memory.h"
#include "platform/win32/win32_time_of_day.h"
#include "platform/win32/win32_version.h"
#include "platform/win32/win32_window_system.h"

namespace vantrel::platform::win32 {

Services& services() {
  static Win32Memory memory;
  static Win32Registry registry;
  static Win32Version version;
  static Win32PerformanceData performanceData;
  static Win32Profile profile;
  static Win32Process process;
  static Win32FileSystem fileSystem;
  static Win32Dialogs dialogs;
  static Win32Locale locale;
  static Win32WindowSystem windowSystem;
  static Win32Shell shell;
  static Win32Gdi gdi;
  static Win32Multimedia multimedia;
  static Win32ShellExecution shellExecution;
  static Win32Instances instances;
  static Win32TimeOfDay timeOfDay;
  static Win32SystemMemory systemMemory;
  static Win32ScheduledTasks scheduledTasks;
  static Win32FileSecurity fileSecurity;
  static Win32Signatures signatures;
  // Plain threads: each call that needs COM brings its own apartment (com.h).
  static ThreadWorkers workers;
  static Services real{.memory = &memory,
                       .registry = &registry,
                       .version = &version,
                       .performanceData = &performanceData,
                       .profile = &profile,
                       .process = &process,
                       .fileSystem = &fileSystem,
                       .dialogs = &dialogs,
                       .locale = &locale,
                       .windowSystem = &windowSystem,
                       .shell = &shell,
                       .gdi = &gdi,
                       .multimedia = &multimedia,
                       .shellExecution = &shellExecution,
                       .instances = &instances,
                       .timeOfDay = &timeOfDay,
                       .systemMemory = &systemMemory,
                       .scheduledTasks = &scheduledTasks,
                       .fileSecurity = &fileSecurity,
                       .workers = &workers,
                       .signatures = &signatures};
  return real;
}

}  // namespace vantrel::platform::win32
