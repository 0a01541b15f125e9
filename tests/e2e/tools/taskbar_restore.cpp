// Does what a click on a minimised program's taskbar button does: asks the window with the given title that
// carries the button to restore itself. Exits 0 when the window was found.
#include <cstdio>

#include "platform/win32/windows_api.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: taskbar_restore TITLE\n");
    return 2;
  }
  HWND window = FindWindowA("TApplication", argv[1]);
  if (!window) {
    return 1;
  }
  PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  return 0;
}
