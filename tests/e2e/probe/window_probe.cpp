// Lists the child windows of a top-level window, as the end-to-end tests see a running program from outside:
// one line per window, tab-separated: class, screen rectangle (left top right bottom), position (progress
// bars and up-down arrows, else -), text. Usage: window_probe.exe "<window title>".
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

std::string position(HWND window, const std::string& kind) {
  if (kind == PROGRESS_CLASSA) {
    return std::to_string(SendMessageA(window, PBM_GETPOS, 0, 0));
  }
  if (kind == UPDOWN_CLASSA) {
    int low = 0;
    int high = 0;
    SendMessageA(window, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    return std::to_string(SendMessageA(window, UDM_GETPOS32, 0, 0)) + "/" + std::to_string(low) + ".." +
           std::to_string(high);
  }
  return "-";
}

BOOL CALLBACK print(HWND window, LPARAM) {
  RECT r{};
  GetWindowRect(window, &r);
  const std::string kind = className(window);
  std::printf("%s\t%ld %ld %ld %ld\t%s\t%s\n", kind.c_str(), r.left, r.top, r.right, r.bottom,
              position(window, kind).c_str(), text(window).c_str());
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_probe <window title>\n");
    return 2;
  }
  // The visible window of that title that has children: the program's form, not its taskbar window.
  HWND found = nullptr;
  for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, argv[1]); window;
       window = FindWindowExA(nullptr, window, nullptr, argv[1])) {
    if (IsWindowVisible(window) && GetWindow(window, GW_CHILD)) {
      found = window;
      break;
    }
  }
  if (!found) {
    return 1;
  }
  EnumChildWindows(found, print, 0);
  return 0;
}
