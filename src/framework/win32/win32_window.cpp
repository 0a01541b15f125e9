// Win32 only: the native window behind a framework control, and the routing of the notifications that
// standard controls send to their parent back to the control they came from.
#include "framework/win32/win32_window.h"

#include "framework/application.h"
#include "framework/ext_controls.h"
#include "framework/menus.h"
#include "framework/win32/win32_dpi.h"
#include "framework/win32/win32_fonts.h"
#include "framework/win32/win32_themes.h"

namespace vantrel::win32 {

namespace {

constexpr char kControlProperty[] = "Vantrel.Control";
constexpr char kTooltipProperty[] = "Vantrel.Tooltip";
constexpr char kContainerClass[] = "TVantrelContainer";
// IDC_HAND is missing from the oldest systems; the arrow stands in there.
constexpr WORD kHandCursor = 32649;

LRESULT CALLBACK containerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (routeContainerMessage(window, message, wParam, lParam, result)) {
    return result;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The tooltip window of a top-level window, made when the first hint is set.
HWND tooltipOf(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  auto tooltip = static_cast<HWND>(GetPropA(root, kTooltipProperty));
  if (!tooltip) {
    tooltip =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, root, nullptr, instance(), nullptr);
    SetPropA(root, kTooltipProperty, tooltip);
  }
  return tooltip;
}

TOOLINFOA toolFor(HWND window, const std::string& text) {
  TOOLINFOA tool{};
  // The size every version of the common controls knows.
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(window);
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = const_cast<char*>(text.c_str());
  return tool;
}

void popupContextMenu(HWND window, LPARAM position) {
  Win32Window* native = Win32Window::of(window);
  for (HWND at = window; !native && at; at = GetParent(at)) {
    native = Win32Window::of(at);
  }
  if (!native) {
    return;
  }
  TPopupMenu* menu = native->contextMenu(position);
  if (!menu) {
    return;
  }
  POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (position == -1) {
    // From the keyboard: below a list view's first selected row, else at the window's top-left corner.
    point = {0, 0};
    const Win32Window* self = Win32Window::of(window);
    const LRESULT row = self && self->control().Kind() == TControlKind::ListView
                            ? SendMessageA(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)
                            : -1;
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    if (row >= 0 &&
        SendMessageA(window, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds))) {
      point = {bounds.left, bounds.bottom};
    }
    ClientToScreen(window, &point);
  }
  guarded(native->control(), [&] { menu->Popup(point.x, point.y); });
}

}  // namespace

HINSTANCE instance() {
  return GetModuleHandleA(nullptr);
}

const char* containerClass() {
  static const bool registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = containerProc;
    windowClass.hInstance = instance();
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kContainerClass;
    return RegisterClassA(&windowClass) != 0;
  }();
  (void)registered;
  return kContainerClass;
}

Win32Window::Win32Window(TControl& control, HWND window) : control_(control), window_(window) {
  SetPropA(window_, kControlProperty, this);
}

Win32Window::~Win32Window() {
  RemovePropA(window_, kControlProperty);
  if (HWND tooltip = static_cast<HWND>(GetPropA(window_, kTooltipProperty))) {
    RemovePropA(window_, kTooltipProperty);
    DestroyWindow(tooltip);
  }
  DestroyWindow(window_);
}

Win32Window* Win32Window::of(HWND window) {
  return window ? static_cast<Win32Window*>(GetPropA(window, kControlProperty)) : nullptr;
}

void Win32Window::SetBounds(int left, int top, int width, int height) {
  const RECT bounds = scaledBounds(left, top, width, height, dpiOf(window_));
  MoveWindow(window_, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
}

void Win32Window::SetText(const std::string& text) {
  quietly(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32Window::SetVisible(bool visible) {
  ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Window::SetEnabled(bool enabled) {
  EnableWindow(window_, enabled);
}

void Win32Window::SetFont(const TFont& font) {
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(font, dpiOf(window_))), TRUE);
}

void Win32Window::SetHint(const std::string& hint) {
  HWND tooltip = tooltipOf(window_);
  TOOLINFOA tool = toolFor(window_, hint);
  SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  if (!hint.empty()) {
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Win32Window::SetFocus() {
  ::SetFocus(window_);
}

void Win32Window::Repaint() {
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32Window::dpiChanged(int, int) {
  SetFont(control_.Font());
  SetBounds(control_.Left(), control_.Top(), control_.Width(), control_.Height());
}

TPopupMenu* Win32Window::contextMenu(LPARAM) {
  return control_.ContextMenu();
}

HBRUSH Win32Window::colors(HDC dc) {
  SetTextColor(dc, colorRef(control_.Font().Color));
  // On a page with a visual style the text stands on the page's texture.
  const TWinControl* parent = control_.Parent();
  if (parent && parent->Kind() == TControlKind::TabSheet && drawParentBackground(window_, dc)) {
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT Win32Window::quietly(UINT message, WPARAM wParam, LPARAM lParam) {
  ++programmatic_;
  const LRESULT result = SendMessageA(window_, message, wParam, lParam);
  --programmatic_;
  return result;
}

LRESULT Win32Window::quietlyWide(UINT message, WPARAM wParam, LPARAM lParam) {
  ++programmatic_;
  const LRESULT result = SendMessageW(window_, message, wParam, lParam);
  --programmatic_;
  return result;
}

bool routeContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (Win32Window* child = Win32Window::of(reinterpret_cast<HWND>(lParam))) {
        child->command(HIWORD(wParam));
        result = 0;
        return true;
      }
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (Win32Window* child = Win32Window::of(header->hwndFrom)) {
        result = child->notify(header);
        return true;
      }
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (Win32Window* child = Win32Window::of(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = child->colors(reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    case WM_SETCURSOR: {
      Win32Window* child = Win32Window::of(reinterpret_cast<HWND>(wParam));
      if (child && LOWORD(lParam) == HTCLIENT && child->control().Cursor == TCursor::crHandPoint) {
        HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(kHandCursor));
        SetCursor(hand ? hand : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
        result = TRUE;
        return true;
      }
      return false;
    }
    case WM_CONTEXTMENU:
      popupContextMenu(reinterpret_cast<HWND>(wParam), lParam);
      result = 0;
      return true;
    case WM_ERASEBKGND: {
      Win32Window* self = Win32Window::of(window);
      if (self && self->control().Kind() == TControlKind::TabSheet &&
          drawTabBody(window, reinterpret_cast<HDC>(wParam))) {
        result = 1;
        return true;
      }
      auto* panel = self ? dynamic_cast<TPanel*>(&self->control()) : nullptr;
      if (!panel) {
        return false;
      }
      RECT area;
      GetClientRect(window, &area);
      HBRUSH brush = CreateSolidBrush(colorRef(panel->Color));
      FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
      DeleteObject(brush);
      result = 1;
      return true;
    }
    default:
      return false;
  }
}

void rescaleControls(const TWinControl& parent, int oldDpi, int newDpi) {
  for (TControl* child : parent.Controls()) {
    if (auto* native = dynamic_cast<Win32Window*>(child->Native())) {
      native->dpiChanged(oldDpi, newDpi);
    }
    if (const auto* container = dynamic_cast<const TWinControl*>(child)) {
      rescaleControls(*container, oldDpi, newDpi);
    }
  }
}

}  // namespace vantrel::win32
