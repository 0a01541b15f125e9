// Program entry: the switches, one copy per session, the modules' start-up, the application with its title,
// the main window, the message loop; the window goes before the modules shut down.
#include "app/main_window.h"
#include "cpu/cpu_usage.h"
#include "framework/exception.h"
#include "framework/win32/win32_application.h"
#include "platform/win32/win32_services.h"
#include "program/command_line.h"
#include "program/command_line_actions.h"
#include "program/product.h"
#include "program/running_copy.h"
#include "tray/tray_icon.h"

int main() {
  // Before anything loads a library by name, so that no DLL beside the executable stands in for Windows' own.
  vantrel::platform::win32::SearchSystemFolderOnly();
  vantrel::platform::Services& services = vantrel::platform::win32::services();
  const vantrel::StartRequest request =
      vantrel::ParseCommandLine(vantrel::CommandLineArguments(*services.process));
  if (request.action == vantrel::StartAction::Usage) {
    return vantrel::ShowUsage(services, request);
  }
  if (request.action == vantrel::StartAction::Pass) {
    return vantrel::RunCommandLinePass(services, request.megabytes);
  }
  // A later start shows the running copy's window instead of adding a second icon and reclaimer.
  vantrel::TRunningCopyClaim claim(*services.instances);
  if (!claim.First()) {
    // The log-on's start is there already, as a copy that the user or another entry started.
    if (request.action == vantrel::StartAction::LogOn) {
      return 0;
    }
    const vantrel::LaterStart met =
        vantrel::MeetRunningCopy(*services.instances, claim, services.windowSystem->GetTokenElevation());
    if (met == vantrel::LaterStart::Shown) {
      return 0;
    }
    if (met == vantrel::LaterStart::Failed) {
      return vantrel::TellCopyNotAnswering(services);
    }
  }
  {
    vantrel::TApplication application(services, vantrel::win32::createApplication());
    application.Initialize();
    application.SetTitle(vantrel::kProductLine);
    try {
      vantrel::StartupCpuUsage(services);
    } catch (const vantrel::Exception& error) {
      // Without the Windows version the program cannot tell how to measure anything: it stops here.
      application.ShowException(error.Message());
      return 1;
    }
    vantrel::StartupTrayIcon(services);
    application.CreateForm<vantrel::TfrmVantrel>();
    application.Run();
  }
  vantrel::ShutdownTrayIcon();
  vantrel::ShutdownCpuUsage();
  return 0;
}
