// The end-to-end tests' helper, run under Wine beside Vantrel. It does to the program what the shell does,
// and it shows a tray icon of its own whose events it reports:
//   tray_probe icon             a tray icon that prints each of its events on a line, until it is ended
//   tray_probe restore          SC_RESTORE to Vantrel's application window, as its taskbar button sends
//   tray_probe taskbar-created  broadcasts "TaskbarCreated", as the shell does with a re-created taskbar
//   tray_probe remove-icon      takes Vantrel's icon out of the notification area behind its back, as a
//                               re-created taskbar loses it
//   tray_probe hold-hotkey M K  holds the key combination (RegisterHotKey's modifiers M, virtual key K), as
//                               another program would; prints "held", then waits until it is ended
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/resources.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/win32/win32_application.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/windows_api.h"
#include "tray/tray_icon.h"

namespace {

constexpr char kTitle[] = "Vantrel 1.1.0 Build 212";
// The first tray icon of a process gets id 1; Vantrel has only one.
constexpr UINT kVantrelIconId = 1;

void report(const char* event) {
  std::printf("%s\n", event);
  std::fflush(stdout);
}

class ProbeForm : public vantrel::TForm {
 public:
  explicit ProbeForm(vantrel::TApplication& application) : TForm(application) {
    auto* icon = new vantrel::TTrayIcon(this);
    icon->SetIcon(vantrel::TIcon{vantrel::kIconProgram});
    icon->SetHint("Vantrel probe");
    icon->SetIconVisible(true);
    icon->OnClick = [](vantrel::TObject*) { report("OnClick"); };
    icon->OnMouseDown = [](vantrel::TObject*, vantrel::TMouseButton button, vantrel::TShiftState,
                           std::int32_t, std::int32_t) {
      report(button == vantrel::TMouseButton::mbLeft ? "OnMouseDown left" : "OnMouseDown");
    };
    icon->OnMouseUp = [](vantrel::TObject*, vantrel::TMouseButton button, vantrel::TShiftState, std::int32_t,
                         std::int32_t) {
      report(button == vantrel::TMouseButton::mbLeft ? "OnMouseUp left" : "OnMouseUp");
    };
  }
};

int showIcon() {
  vantrel::platform::Services& services = vantrel::platform::win32::services();
  vantrel::StartupTrayIcon(services);
  {
    vantrel::TApplication application(services, vantrel::win32::createApplication());
    application.CreateForm<ProbeForm>();
    application.ShowMainForm = false;
    report("ready");
    application.Run();
  }
  vantrel::ShutdownTrayIcon();
  return 0;
}

int restore() {
  HWND window = FindWindowA("TApplication", kTitle);
  return window && PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0) ? 0 : 1;
}

int taskbarCreated() {
  const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message && PostMessageA(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
}

int removeIcon() {
  HWND window = FindWindowA("TTrayIconHandler", nullptr);
  if (!window) {
    return 1;
  }
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = window;
  data.uID = kVantrelIconId;
  return Shell_NotifyIconA(NIM_DELETE, &data) ? 0 : 1;
}

int holdHotkey(const char* modifiers, const char* key) {
  if (!RegisterHotKey(nullptr, 1, std::strtoul(modifiers, nullptr, 0), std::strtoul(key, nullptr, 0))) {
    return 1;
  }
  report("held");
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "icon") {
    return showIcon();
  }
  if (command == "restore") {
    return restore();
  }
  if (command == "taskbar-created") {
    return taskbarCreated();
  }
  if (command == "remove-icon") {
    return removeIcon();
  }
  if (command == "hold-hotkey" && argc == 4) {
    return holdHotkey(argv[2], argv[3]);
  }
  std::fprintf(stderr, "usage: tray_probe icon|restore|taskbar-created|remove-icon|hold-hotkey M K\n");
  return 2;
}
