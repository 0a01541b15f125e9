// The end-to-end tests' view of a running program from outside.
//   window_probe.exe "<title>": lists the child windows of the shown windows of that title, one line each,
//     tab-separated: class, screen rectangle (left top right bottom), state, text. The state is a progress
//     bar's position, an up-down's "position/low..high", a list or combo box's "selected/count", a tab
//     control's selected tab, a list view's "count", a check box's 1 or 0, else -.
//   window_probe.exe --send "<title>" <message> <wParam>: sends a message to every top-level window of that
//     title, as the system does to all of them, and prints each answer.
#include <cstdio>
#include <string>

#include "platform/win32/windows_api.h"

namespace {

std::string className(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string text(HWND window) {
  // WM_GETTEXT is marshalled across processes, unlike GetWindowText on another process's controls.
  char buffer[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  std::string result = buffer;
  for (char& c : result) {
    if (c == '\t' || c == '\r' || c == '\n') {
      c = ' ';
    }
  }
  return result;
}

// Class names compare without regard to case, as the system's do.
bool is(const std::string& kind, const char* name) {
  return lstrcmpiA(kind.c_str(), name) == 0;
}

std::string state(HWND window, const std::string& kind) {
  if (kind == PROGRESS_CLASSA) {
    return std::to_string(SendMessageA(window, PBM_GETPOS, 0, 0));
  }
  if (kind == UPDOWN_CLASSA) {
    // The range in one answer: the 32-bit form writes to pointers, which do not cross processes.
    const LRESULT range = SendMessageA(window, UDM_GETRANGE, 0, 0);
    return std::to_string(SendMessageA(window, UDM_GETPOS32, 0, 0)) + "/" +
           std::to_string(static_cast<short>(HIWORD(range))) + ".." +
           std::to_string(static_cast<short>(LOWORD(range)));
  }
  if (is(kind, "ListBox")) {
    return std::to_string(SendMessageA(window, LB_GETCURSEL, 0, 0)) + "/" +
           std::to_string(SendMessageA(window, LB_GETCOUNT, 0, 0));
  }
  if (is(kind, "ComboBox")) {
    return std::to_string(SendMessageA(window, CB_GETCURSEL, 0, 0)) + "/" +
           std::to_string(SendMessageA(window, CB_GETCOUNT, 0, 0));
  }
  if (is(kind, WC_TABCONTROLA)) {
    return std::to_string(SendMessageA(window, TCM_GETCURSEL, 0, 0));
  }
  if (is(kind, WC_LISTVIEWA)) {
    return std::to_string(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0));
  }
  if (is(kind, "Button") && (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_CHECKBOX) {
    return std::to_string(SendMessageA(window, BM_GETCHECK, 0, 0));
  }
  return "-";
}

BOOL CALLBACK print(HWND window, LPARAM) {
  RECT r{};
  GetWindowRect(window, &r);
  const std::string kind = className(window);
  std::printf("%s\t%ld %ld %ld %ld\t%s\t%s\n", kind.c_str(), r.left, r.top, r.right, r.bottom,
              state(window, kind).c_str(), text(window).c_str());
  return TRUE;
}

}  // namespace

int send(const char* title, UINT message, WPARAM wParam) {
  int sent = 0;
  for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, title); window;
       window = FindWindowExA(nullptr, window, nullptr, title)) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, message, wParam, 0, SMTO_BLOCK, 10000, &answer);
    std::printf("%lu\n", static_cast<unsigned long>(answer));
    ++sent;
  }
  return sent > 0 ? 0 : 1;
}

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--send") {
    return send(argv[2], static_cast<UINT>(std::stoul(argv[3], nullptr, 0)),
                static_cast<WPARAM>(std::stoul(argv[4], nullptr, 0)));
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_probe <window title> | --send <window title> <message> <wParam>\n");
    return 2;
  }
  // The visible windows of that title that have children: the program's form and any message box of the
  // program, not its taskbar window.
  bool found = false;
  for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, argv[1]); window;
       window = FindWindowExA(nullptr, window, nullptr, argv[1])) {
    if (IsWindowVisible(window) && GetWindow(window, GW_CHILD)) {
      EnumChildWindows(window, print, 0);
      found = true;
    }
  }
  if (!found) {
    return 1;
  }
  return 0;
}
