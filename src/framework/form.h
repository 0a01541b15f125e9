// A top-level window of the program, with its creation, show, resize and destruction events. Its bounds are
// those of its client area; the frame is a single border with the system menu and the minimise box, fixed
// unless the form is Sizeable.
#pragma once

#include "framework/controls.h"

namespace vantrel {

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// How a modal form was closed.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

class TForm : public TWinControl {
 public:
  explicit TForm(TApplication& application);
  ~TForm() override;
  TControlKind Kind() const override { return TControlKind::Form; }

  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Hides the form; closing the main form ends the application. A modal form ends with mrCancel.
  void Close();

  // Shows the form over the main form, which takes no input meanwhile, until ModalResult is set (or the
  // application ends), then hides it; returns the result, mrCancel when none was set. Without a native side
  // it shows and returns at once.
  int ShowModal();
  int ModalResult = mrNone;
  // Their clicks answer Enter and Esc anywhere on the form; without a cancel button Esc closes a modal form.
  TControl* DefaultButton = nullptr;
  TControl* CancelButton = nullptr;
  // The user pressed Enter (true) or Esc (false) on the form.
  void DialogKey(bool enter);

  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);

  // Set before the window is made: the user may resize it by its border, never below the minimum client size
  // (in the layout's units, as the bounds).
  bool Sizeable = false;
  // Set before the window is made: a dialog's frame, without the minimise box.
  bool DialogFrame = false;
  int MinWidth = 0;
  int MinHeight = 0;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  // Raised when the client area took a new size (Resized); the form lays out its controls there.
  TNotifyEvent OnResize;
  TNotifyEvent OnDestroy;

  // The client area has this size now (given by the user or the system): stored, then OnResize.
  void Resized(int width, int height);

  // Creates the native windows, tells every owned component Loaded, then raises OnCreate; called once the
  // derived form has built its components.
  void AfterConstruction();
  // Raises OnDestroy; the derived form calls it first in its destructor, while its components still live.
  void BeforeDestruction();

 protected:
  std::unique_ptr<NativeControl> CreateNative(NativeApplication& app) override;
  void ShowingChanged() override;

 private:
  TApplication& application_;
  TWindowState windowState_ = TWindowState::wsNormal;
  bool destroying_ = false;
  bool modal_ = false;
};

}  // namespace vantrel
