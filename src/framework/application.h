// The application object: the hidden application window with the taskbar button, the main form, the message
// loop, hooks on the application window's messages and the application's error box.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "framework/component.h"
#include "framework/form.h"
#include "framework/native.h"
#include "platform/services.h"

namespace vantrel {

// A window message as the application window received it.
struct TMessage {
  std::uint32_t Msg = 0;
  std::uintptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

// Sees a message of the application window first; returns true when it has handled it (with Result set).
using TWindowHook = std::function<bool(TMessage& Message)>;
// Data that another process handed the application window (WM_COPYDATA): its number and bytes, which may be
// anything. Returns whether it was taken.
using TCopyDataEvent = std::function<bool(std::uintptr_t Data, const std::string& Bytes)>;

class TApplication : public TComponent {
 public:
  // Without a native side the application runs headless.
  explicit TApplication(platform::Services& services, std::unique_ptr<NativeApplication> native = nullptr);
  ~TApplication() override;

  TApplication* Application() const override { return const_cast<TApplication*>(this); }
  platform::Services& Services() const { return services_; }
  NativeApplication* Native() const { return native_.get(); }
  THandle Handle() const { return native_ ? native_->Handle() : 0; }

  void Initialize() {}
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Creates a form owned by the application; the first one becomes the main form.
  template <typename Form, typename... Args>
  Form* CreateForm(Args&&... args) {
    auto* form = new Form(*this, std::forward<Args>(args)...);
    if (!mainForm_) {
      mainForm_ = form;
    }
    form->AfterConstruction();
    if (form == mainForm_) {
      mainFormCreated_ = true;
    }
    return form;
  }
  TForm* MainForm() const { return mainForm_; }

  // Whether Run shows the main form (minimised when its stored state says so).
  bool ShowMainForm = true;
  bool Terminated() const { return terminated_; }
  // Terminate was called (Close, the session's end): the program is on its way out.
  bool Quitting() const { return quitting_; }
  // Shows the main form when asked to and delivers messages until Terminate.
  void Run();
  void Terminate();
  // Delivers the messages that are waiting, then returns.
  void ProcessMessages();
  // Windows is ending the session and ends the process once it has been told: the main form's destruction
  // handling (which saves what must outlive the program) runs now, once, and the message loop stops. An error
  // on the way opens no box, which would hold up the log-off with nobody left to read it.
  void EndSession();

  // Minimising hides the main form and leaves the taskbar button minimised, then raises the minimise event:
  // the hooks see WM_SIZE with SIZE_MINIMIZED, as from the application window on Windows, and may take the
  // application elsewhere (into the notification area). Restoring shows the main form again.
  void Minimize();
  void Restore();
  bool Minimized() const { return minimized_; }
  // The application window is shown while a form is visible, or while the application is minimised and its
  // taskbar button not hidden.
  void UpdateVisible();
  // Hides the application window, which carries the taskbar button, until the application is restored.
  void HideTaskbarButton();

  // Set by the main form for as long as it can act on what it is handed.
  TCopyDataEvent OnCopyData;
  // Data handed over by another process; false when nobody took it (also when taking it failed, and while
  // the main form is still being created: the sender may try again; and once Terminate has been called, as
  // the program is going and could not carry out what it took).
  bool CopyData(std::uintptr_t data, const std::string& bytes);

  int HookMainWindow(TWindowHook hook);
  void UnhookMainWindow(int id);
  // Offers a message of the application window to the hooks, latest first.
  bool DispatchHooks(TMessage& message);

  // The error box: the message (with a full stop added when its last character sorts after "."), the title
  // as caption, a stop icon and OK.
  void HandleException(const std::exception& error);
  void ShowException(const std::string& message);
  int MessageBox(const std::string& text, const std::string& caption, std::uint32_t flags);
  void Beep();
  char DecimalSeparator() const { return decimalSeparator_; }

 private:
  platform::Services& services_;
  std::unique_ptr<NativeApplication> native_;
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool mainFormCreated_ = false;
  bool terminated_ = false;
  bool quitting_ = false;  // Terminate was called, not merely the message loop left
  bool endingSession_ = false;
  bool minimized_ = false;
  bool buttonHidden_ = false;
  int holdVisible_ = 0;
  char decimalSeparator_ = '.';
  std::map<int, TWindowHook> hooks_;
  int nextHook_ = 1;
};

}  // namespace vantrel
