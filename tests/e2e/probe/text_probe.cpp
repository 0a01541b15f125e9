// Loaded into the running program by window_probe's hook, since a window's font can be used only in the
// process that made it: on the registered message it measures the window's text in its own font, as a static
// or button window lays it out, and leaves the extent in a window property that the probe reads.
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace {

constexpr char kMeasureMessage[] = "Vantrel.Probe.Measure";
constexpr char kExtentProperty[] = "Vantrel.Probe.Extent";

void measure(HWND window) {
  std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1);
  GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  char kind[64] = {};
  GetClassNameA(window, kind, sizeof kind);
  const bool button = lstrcmpiA(kind, "Button") == 0;
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  // A button's caption and a static without wrapping stay on one line; other statics wrap at their width.
  const bool oneLine = button || (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
  RECT client{};
  GetClientRect(window, &client);
  RECT needed{0, 0, client.right, 0};
  HDC dc = GetDC(window);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
  DrawTextA(dc, text.data(), -1, &needed,
            DT_CALCRECT | DT_EXPANDTABS | (oneLine ? DT_SINGLELINE : DT_WORDBREAK) |
                (!button && (style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  SetPropA(window, kExtentProperty,
           reinterpret_cast<HANDLE>(
               static_cast<ULONG_PTR>(MAKELONG(needed.right - needed.left, needed.bottom - needed.top))));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK measureHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT measureMessage = RegisterWindowMessageA(kMeasureMessage);
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == measureMessage) {
    measure(sent->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
