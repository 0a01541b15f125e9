// A top-level window of the program, with its creation, show and destruction events.
#pragma once

#include <memory>
#include <string>

#include "framework/component.h"
#include "framework/native.h"

namespace vantrel {

class TApplication;

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

class TForm : public TComponent {
 public:
  explicit TForm(TApplication& application);
  ~TForm() override;

  TApplication& Application() const { return application_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Visible() const { return visible_; }
  void Show();
  void Hide();
  // Closing the main form ends the application.
  void Close();

  int Left = 0;
  int Top = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;
  TWindowState WindowState = TWindowState::wsNormal;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnDestroy;

  // Creates the native window (when the application has a native side) and raises OnCreate; called once the
  // derived form has set up its components.
  void AfterConstruction();
  // Raises OnDestroy; the derived form calls it first in its destructor, while its components still live.
  void BeforeDestruction();

 private:
  TApplication& application_;
  std::unique_ptr<NativeForm> native_;
  std::string caption_;
  bool visible_ = false;
  bool destroying_ = false;
};

}  // namespace vantrel
