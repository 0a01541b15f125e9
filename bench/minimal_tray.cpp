// The floor of a tray program's cost, for bench/tray-cost: one hidden window and one tray icon showing the
// free physical memory in megabytes, redrawn and handed to the shell once a second, with no other work.
// It ends when its window is closed (WM_CLOSE), taking its icon away.
#include <windows.h>
// Must follow <windows.h>.
#include <shellapi.h>

#include <cstdio>

namespace {

constexpr UINT kIconId = 1;
constexpr UINT_PTR kTimerId = 1;
constexpr int kSize = 16;

NOTIFYICONDATAA icon{};

HICON drawFreeMegabytes() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(status.ullAvailPhys >> 20));

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP color = CreateCompatibleBitmap(screen, kSize, kSize);
  static const WORD opaque[kSize] = {};
  HBITMAP mask = CreateBitmap(kSize, kSize, 1, 1, opaque);
  HGDIOBJ oldBitmap = SelectObject(dc, color);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT all{0, 0, kSize, kSize};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text, length, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  ICONINFO info{TRUE, 0, 0, mask, color};
  HICON drawn = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(color);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return drawn;
}

void showFreeMegabytes(DWORD message) {
  HICON previous = icon.hIcon;
  icon.hIcon = drawFreeMegabytes();
  Shell_NotifyIconA(message, &icon);
  if (previous) {
    DestroyIcon(previous);
  }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      showFreeMegabytes(NIM_MODIFY);
      return 0;
    case WM_DESTROY:
      Shell_NotifyIconA(NIM_DELETE, &icon);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int main() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "MinimalTray";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Minimal tray", WS_OVERLAPPED, 0, 0, 0, 0,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  icon.cbSize = sizeof icon;
  icon.hWnd = window;
  icon.uID = kIconId;
  icon.uFlags = NIF_ICON;
  showFreeMegabytes(NIM_ADD);
  SetTimer(window, kTimerId, 1000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    DispatchMessageA(&message);
  }
  return 0;
}
