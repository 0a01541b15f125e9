// Every fake service in one place, wired into the Services a program instance takes.
#pragma once

#include "fake_clock.h"
#include "fake_dialogs.h"
#include "fake_file_security.h"
#include "fake_file_system.h"
#include "fake_gdi.h"
#include "fake_instances.h"
#include "fake_locale.h"
#include "fake_memory.h"
#include "fake_multimedia.h"
#include "fake_performance_data.h"
#include "fake_process.h"
#include "fake_profile.h"
#include "fake_registry.h"
#include "fake_scheduled_tasks.h"
#include "fake_shell.h"
#include "fake_shell_execution.h"
#include "fake_signatures.h"
#include "fake_system_memory.h"
#include "fake_time_of_day.h"
#include "fake_version.h"
#include "fake_window_system.h"
#include "fake_worker.h"
#include "platform/services.h"

namespace vantrel::fakes {

struct FakeServices {
  FakeMemory memory;
  FakeRegistry registry;
  FakeVersion version;
  FakePerformanceData performanceData;
  FakeProcess process;
  FakeFileSystem fileSystem{process};
  FakeProfile profile{fileSystem};
  FakeDialogs dialogs;
  FakeLocale locale;
  // One clock for every timer, the framework's and the window system's.
  FakeClock clock;
  FakeWindowSystem windowSystem{clock};
  FakeShell shell;
  FakeGdi gdi;
  FakeMultimedia multimedia;
  FakeShellExecution shellExecution;
  FakeInstances instances;
  FakeTimeOfDay timeOfDay;
  FakeSystemMemory systemMemory;
  FakeScheduledTasks scheduledTasks;
  FakeFileSecurity fileSecurity{fileSystem};
  FakeWorkers workers;
  FakeSignatures signatures;
  platform::Services services{.memory = &memory,
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

  // The program runs on 64-bit Windows, as a 32-bit program or a 64-bit one; the fakes start as 32-bit
  // Windows.
  void on64BitWindows(bool program32) {
    process.systemWow64Directory = "C:\\Windows\\SysWOW64";
    process.wow64 = program32;
    registry.system64 = true;
    registry.program32 = program32;
  }
};

}  // namespace vantrel::fakes
