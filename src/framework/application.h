// The application object: its title, its main form and the message loop.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "framework/component.h"
#include "framework/form.h"
#include "framework/native.h"

namespace vantrel {

class TApplication : public TComponent {
 public:
  // Without a native side the application runs headless.
  explicit TApplication(std::unique_ptr<NativeApplication> native = nullptr);
  ~TApplication() override;

  void Initialize() {}
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Creates a form owned by the application; the first one becomes the main form.
  template <typename Form, typename... Args>
  Form* CreateForm(Args&&... args) {
    auto* form = new Form(*this, std::forward<Args>(args)...);
    form->AfterConstruction();
    if (!mainForm_) {
      mainForm_ = form;
    }
    return form;
  }

  TForm* MainForm() const { return mainForm_; }
  bool ShowMainForm = true;
  bool Terminated() const { return terminated_; }

  // Shows the main form when asked to and delivers messages until Terminate.
  void Run();
  void Terminate();

  NativeApplication* Native() const { return native_.get(); }

 private:
  std::unique_ptr<NativeApplication> native_;
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

}  // namespace vantrel
