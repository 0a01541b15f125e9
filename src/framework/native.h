// The operating system's side of the application and its forms. A framework object without one works
// headless (unit tests); with one, it mirrors its state into a native window and takes the user's input back.
#pragma once

#include <memory>
#include <string>

namespace vantrel {

class TForm;

class NativeForm {
 public:
  virtual ~NativeForm() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetVisible(bool visible) = 0;
};

class NativeApplication {
 public:
  virtual ~NativeApplication() = default;
  virtual void SetTitle(const std::string& title) = 0;
  virtual std::unique_ptr<NativeForm> CreateFormWindow(TForm& form) = 0;
  // Delivers messages until Quit is called.
  virtual void RunMessageLoop() = 0;
  virtual void Quit() = 0;
};

}  // namespace vantrel
