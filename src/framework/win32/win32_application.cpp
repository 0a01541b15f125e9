// Win32 only: the hidden application window, the forms' top-level windows and the message loop.
#include "framework/win32/win32_application.h"

#include "framework/form.h"
#include "platform/win32/windows_api.h"

namespace vantrel::win32 {

namespace {

constexpr char kApplicationClass[] = "TApplication";
constexpr char kFormClass[] = "TVantrelForm";
// A fixed single border with the system menu and the minimise box only.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HINSTANCE instance() {
  return GetModuleHandleA(nullptr);
}

LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (form && message == WM_CLOSE) {
    form->Close();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void registerClass(const char* name, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance();
  windowClass.hIcon = LoadIconA(instance(), MAKEINTRESOURCEA(1));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
}

class Win32Form final : public NativeForm {
 public:
  Win32Form(TForm& form, HWND owner) {
    RECT bounds{0, 0, form.ClientWidth, form.ClientHeight};
    AdjustWindowRectEx(&bounds, kFormStyle, FALSE, 0);
    window_ = CreateWindowExA(0, kFormClass, form.Caption().c_str(), kFormStyle, form.Left, form.Top,
                              bounds.right - bounds.left, bounds.bottom - bounds.top, owner, nullptr,
                              instance(), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
  }
  ~Win32Form() override { DestroyWindow(window_); }
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  void SetCaption(const std::string& caption) override { SetWindowTextA(window_, caption.c_str()); }
  void SetVisible(bool visible) override { ShowWindow(window_, visible ? SW_SHOWNORMAL : SW_HIDE); }

 private:
  HWND window_ = nullptr;
};

class Win32Application final : public NativeApplication {
 public:
  Win32Application() {
    registerClass(kApplicationClass, DefWindowProcA);
    registerClass(kFormClass, formProc);
    window_ = CreateWindowExA(0, kApplicationClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              0, 0, 0, 0, nullptr, nullptr, instance(), nullptr);
  }
  ~Win32Application() override { DestroyWindow(window_); }
  Win32Application(const Win32Application&) = delete;
  Win32Application& operator=(const Win32Application&) = delete;

  void SetTitle(const std::string& title) override { SetWindowTextA(window_, title.c_str()); }
  std::unique_ptr<NativeForm> CreateFormWindow(TForm& form) override {
    return std::make_unique<Win32Form>(form, window_);
  }
  void RunMessageLoop() override {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  void Quit() override { PostQuitMessage(0); }

 private:
  HWND window_ = nullptr;
};

}  // namespace

std::unique_ptr<NativeApplication> createApplication() {
  return std::make_unique<Win32Application>();
}

}  // namespace vantrel::win32
