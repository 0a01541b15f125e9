// Win32 only: the hidden application window with the taskbar button, the forms' top-level windows, window
// timers, image lists, popup menus and the message loop.
#include "framework/win32/win32_application.h"

#include <algorithm>
#include <map>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "framework/menus.h"
#include "framework/win32/win32_controls.h"
#include "framework/win32/win32_dpi.h"
#include "framework/win32/win32_window.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/windows_api.h"

namespace vantrel::win32 {

namespace {

using platform::win32::ScopedImageList;
using platform::win32::ScopedMenu;
using platform::win32::ScopedWindow;

constexpr char kFormClass[] = "TVantrelForm";
// A single border with the system menu and the minimise box only; a sizeable form's border is a sizing one.
// No maximise box: the window comes back from the tray in its normal state, and the size it remembers is the
// one the user gave it.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kProgramIcon = 1;
// WM_DPICHANGED, which the headers name only for Windows 7 on.
constexpr UINT kDpiChanged = 0x02E0;
// More than any command between copies of the program: anything longer is not one.
constexpr DWORD kMaxCopyData = 4096;

// The program's icon at a size the system names (its big or small icon at the system's DPI), so that the
// image of that size is taken rather than another one scaled. Shared: the system keeps it.
HICON programIcon(int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageA(instance(), MAKEINTRESOURCEA(kProgramIcon), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                       LR_DEFAULTCOLOR | LR_SHARED));
}

void registerClass(const char* name, WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance();
  windowClass.hIcon = programIcon(SM_CXICON, SM_CYICON);
  windowClass.hIconSm = programIcon(SM_CXSMICON, SM_CYSMICON);
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  RegisterClassExA(&windowClass);
}

class Win32Form final : public Win32Window {
 public:
  Win32Form(TForm& form, HWND owner)
      : Win32Window(form, CreateWindowExA(WS_EX_CONTROLPARENT, kFormClass, "", styleOf(form), 0, 0, 0, 0,
                                          owner, nullptr, instance(), nullptr)),
        style_(styleOf(form)) {
    setFormDpi(window(), systemDpi(window()));
  }

  // The framework's bounds are the client area's, in 96-dpi units like the position. The window stays within
  // the work area of the monitor nearest to it: a size saved on a larger screen, or a place off every monitor
  // (one that was unplugged, a lower resolution), would leave its edges or its caption out of reach.
  void SetBounds(int left, int top, int width, int height) override {
    const int dpi = dpiOf(window());
    const RECT frame = frameFor(scaled(width, dpi), scaled(height, dpi), style_, WS_EX_CONTROLPARENT, dpi);
    RECT bounds{scaled(left, dpi), scaled(top, dpi), 0, 0};
    bounds.right = bounds.left + frame.right - frame.left;
    bounds.bottom = bounds.top + frame.bottom - frame.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &monitor)) {
      bounds = within(bounds, monitor.rcWork);
    }
    SetWindowPos(window(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void SetVisible(bool visible) override { ShowWindow(window(), visible ? SW_SHOWNORMAL : SW_HIDE); }
  void SetFocus() override {
    SetActiveWindow(window());
    ::SetFocus(window());
  }
  HBRUSH colors(HDC) override { return nullptr; }
  void CentreOver(THandle owner) override {
    const auto ownerWindow = reinterpret_cast<HWND>(owner);
    SetWindowLongPtrA(window(), GWLP_HWNDPARENT, static_cast<LONG_PTR>(owner));
    RECT over;
    RECT self;
    if (!GetWindowRect(ownerWindow, &over) || !GetWindowRect(window(), &self)) {
      return;
    }
    const LONG width = self.right - self.left;
    const LONG height = self.bottom - self.top;
    RECT bounds{(over.left + over.right - width) / 2, (over.top + over.bottom - height) / 2, 0, 0};
    bounds.right = bounds.left + width;
    bounds.bottom = bounds.top + height;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &monitor)) {
      bounds = within(bounds, monitor.rcWork);
    }
    SetWindowPos(window(), nullptr, bounds.left, bounds.top, 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
  }

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Window* self = Win32Window::of(window);
    if (self) {
      auto& form = static_cast<TForm&>(self->control());
      if (message == WM_CLOSE) {
        guarded(form, [&] { form.Close(); });
        return 0;
      }
      // Enter and Esc, as the dialog navigation sends them: from no control.
      if (message == WM_COMMAND && lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        guarded(form, [&] { form.DialogKey(LOWORD(wParam) == IDOK); });
        return 0;
      }
      if (message == WM_GETMINMAXINFO && form.Sizeable) {
        static_cast<Win32Form*>(self)->limitTracking(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
      }
      if (message == WM_SIZE && wParam != SIZE_MINIMIZED) {
        const int dpi = dpiOf(window);
        guarded(form, [&] { form.Resized(unscaled(LOWORD(lParam), dpi), unscaled(HIWORD(lParam), dpi)); });
        return 0;
      }
      if (message == kDpiChanged) {
        static_cast<Win32Form*>(self)->moveToDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
      }
      if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE &&
          form.Application()->MainForm() == &form) {
        guarded(form, [&] { form.Application()->Minimize(); });
        return 0;
      }
      LRESULT result = 0;
      if (routeContainerMessage(window, message, wParam, lParam, result)) {
        return result;
      }
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

 private:
  static DWORD styleOf(const TForm& form) {
    return (form.DialogFrame ? kFormStyle & ~WS_MINIMIZEBOX : kFormStyle) |
           (form.Sizeable ? WS_THICKFRAME : 0);
  }
  // `bounds` made no larger than `area` and moved into it.
  static RECT within(const RECT& bounds, const RECT& area) {
    const LONG width = std::min(bounds.right - bounds.left, area.right - area.left);
    const LONG height = std::min(bounds.bottom - bounds.top, area.bottom - area.top);
    const LONG left = std::clamp(bounds.left, area.left, area.right - width);
    const LONG top = std::clamp(bounds.top, area.top, area.bottom - height);
    return {left, top, left + width, top + height};
  }
  // The frame never smaller than the one around the form's minimum client size.
  void limitTracking(MINMAXINFO& limits) const {
    const auto& form = static_cast<const TForm&>(control());
    const int dpi = dpiOf(window());
    const RECT frame =
        frameFor(scaled(form.MinWidth, dpi), scaled(form.MinHeight, dpi), style_, WS_EX_CONTROLPARENT, dpi);
    limits.ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
  }
  // On a monitor of other dots per inch: the frame that the system suggests, and everything inside anew.
  void moveToDpi(int dpi, const RECT& suggested) {
    const int previous = dpiOf(window());
    setFormDpi(window(), dpi);
    SetWindowPos(window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    rescaleControls(static_cast<TForm&>(control()), previous, dpi);
  }

  DWORD style_;
};

class Win32Timer final : public NativeTimer {
 public:
  Win32Timer(HWND window, UINT_PTR id, std::map<UINT_PTR, std::function<void()>>& ticks,
             std::uint32_t interval, std::function<void()> tick)
      : window_(window), id_(id), ticks_(ticks) {
    ticks_[id_] = std::move(tick);
    SetTimer(window_, id_, interval, nullptr);
  }
  ~Win32Timer() override {
    KillTimer(window_, id_);
    ticks_.erase(id_);
  }
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;

 private:
  HWND window_;
  UINT_PTR id_;
  std::map<UINT_PTR, std::function<void()>>& ticks_;
};

class Win32ImageList final : public NativeImageList {
 public:
  explicit Win32ImageList(const TImageList& list) : list_(createImageList(list, 1)) {}
  THandle Handle() const override { return reinterpret_cast<THandle>(list_.get()); }

 private:
  ScopedImageList list_;
};

class Win32Application final : public NativeApplication {
 public:
  Win32Application() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                                                     ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    registerClass(kApplicationWindowClass, procedure);
    registerClass(kFormClass, Win32Form::procedure);
    // Zero-sized in the middle of the screen: it is there only for its taskbar button.
    window_.reset(CreateWindowExA(0, kApplicationWindowClass, "",
                                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                  nullptr, nullptr, instance(), nullptr));
    SetWindowLongPtrA(window(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  // The application object is going: the window's last messages must not reach it.
  ~Win32Application() override { SetWindowLongPtrA(window(), GWLP_USERDATA, 0); }
  Win32Application(const Win32Application&) = delete;
  Win32Application& operator=(const Win32Application&) = delete;

  void Attach(TApplication& application) override { application_ = &application; }
  THandle Handle() const override { return reinterpret_cast<THandle>(window()); }
  void SetTitle(const std::string& title) override { SetWindowTextA(window(), title.c_str()); }
  void SetAppWindowState(bool visible, bool minimized) override {
    if (!visible) {
      ShowWindow(window(), SW_HIDE);
    } else if (minimized) {
      if (!IsIconic(window())) {
        ShowWindow(window(), SW_SHOWMINNOACTIVE);
      }
    } else {
      ShowWindow(window(), IsIconic(window()) ? SW_RESTORE : SW_SHOWNA);
    }
  }

  std::unique_ptr<NativeControl> CreateForm(TForm& form) override {
    return std::make_unique<Win32Form>(form, window());
  }
  std::unique_ptr<NativeControl> CreateControl(TControl& control, NativeControl& parent) override {
    return createControl(control, reinterpret_cast<HWND>(parent.Handle()));
  }
  std::unique_ptr<NativeTimer> CreateTimer(std::uint32_t interval, std::function<void()> tick) override {
    return std::make_unique<Win32Timer>(window(), nextTimer_++, ticks_, interval, std::move(tick));
  }
  std::unique_ptr<NativeImageList> CreateImageList(const TImageList& list) override {
    return std::make_unique<Win32ImageList>(list);
  }

  int TrackPopupMenu(const std::vector<TMenuItem*>& items, int x, int y, THandle owner) override {
    const ScopedMenu menu(CreatePopupMenu());
    for (std::size_t i = 0; i < items.size(); ++i) {
      const TMenuItem& item = *items[i];
      if (!item.Visible) {
        continue;
      }
      const UINT flags = item.IsSeparator()
                             ? MF_SEPARATOR
                             : MF_STRING | (item.Checked ? MF_CHECKED : 0) | (item.Enabled ? 0 : MF_GRAYED);
      AppendMenuA(menu.get(), flags, i + 1, item.Caption.c_str());
    }
    auto window = reinterpret_cast<HWND>(owner);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(window);
    const int chosen =
        ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, window, nullptr);
    // Lets the menu's window go before the next click.
    PostMessageA(window, WM_NULL, 0, 0);
    return chosen - 1;
  }

  // The wide calls throughout: the characters typed into a wide window reach it whole, outside the ANSI code
  // page too; an ANSI window gets its messages converted as before.
  void ProcessMessages() override {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // The loop that runs the program must still see it.
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      deliver(message);
    }
  }
  void RunMessageLoop() override {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      deliver(message);
    }
  }
  void RunModal(TForm&, const std::function<bool()>& done) override {
    MSG message;
    while (!done()) {
      if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
        // The program's own loop must still see it.
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      deliver(message);
    }
  }
  void Quit() override { PostQuitMessage(0); }

 private:
  static void deliver(MSG& message) {
    // Tab, the arrow keys and the access keys move between a form's controls as in a dialog.
    HWND form = GetAncestor(message.hwnd, GA_ROOT);
    if (form && Win32Window::of(form) && IsDialogMessageW(form, &message)) {
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Application*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !self->application_) {
      return DefWindowProcA(window, message, wParam, lParam);
    }
    TApplication& application = *self->application_;
    // The application object raises the minimise event itself (Minimize), so WM_SIZE is not offered twice.
    if (message != WM_SIZE) {
      TMessage hooked{message, wParam, lParam, 0};
      bool handled = false;
      guarded(application, [&] { handled = application.DispatchHooks(hooked); });
      if (handled) {
        return hooked.Result;
      }
    }
    switch (message) {
      case WM_TIMER:
        if (const auto tick = self->ticks_.find(wParam); tick != self->ticks_.end()) {
          const std::function<void()> call = tick->second;
          call();
        }
        return 0;
      case WM_SIZE:
        // Restored from the taskbar button.
        if (wParam == SIZE_RESTORED && application.Minimized()) {
          guarded(application, [&] { application.Restore(); });
        }
        return 0;
      case WM_COPYDATA:
        return copyData(application, reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
      case WM_QUERYENDSESSION:
        return TRUE;
      case WM_ENDSESSION:
        // Sent once the session's end is certain (wParam) or cancelled; after it Windows ends the process.
        if (wParam) {
          guarded(application, [&] { application.EndSession(); });
        }
        return 0;
      case WM_CLOSE:
        if (TForm* main = application.MainForm()) {
          guarded(application, [&] { main->Close(); });
        }
        return 0;
      default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
  }

  // The system copied the sender's bytes into this process for the time of the message; what the sender
  // put there is checked before it is read.
  static bool copyData(TApplication& application, const COPYDATASTRUCT* copy) {
    if (!copy || copy->cbData > kMaxCopyData || (copy->cbData > 0 && !copy->lpData)) {
      return false;
    }
    const std::string bytes =
        copy->cbData > 0 ? std::string(static_cast<const char*>(copy->lpData), copy->cbData) : std::string();
    return application.CopyData(copy->dwData, bytes);
  }

  HWND window() const { return window_.get(); }

  TApplication* application_ = nullptr;
  std::map<UINT_PTR, std::function<void()>> ticks_;
  UINT_PTR nextTimer_ = 1;
  // Last, so that it goes first.
  ScopedWindow window_;
};

}  // namespace

std::unique_ptr<NativeApplication> createApplication() {
  return std::make_unique<Win32Application>();
}

}  // namespace vantrel::win32
