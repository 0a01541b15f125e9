// A top-level window of the program, with its creation, show and destruction events. Its bounds are those of
// its client area; the frame is a fixed single border with the system menu and the minimise box.
#pragma once

#include "framework/controls.h"

namespace vantrel {

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

class TForm : public TWinControl {
 public:
  explicit TForm(TApplication& application);
  ~TForm() override;
  TControlKind Kind() const override { return TControlKind::Form; }

  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Hides the form; closing the main form ends the application.
  void Close();

  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnDestroy;

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
};

}  // namespace vantrel
