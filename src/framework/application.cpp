#include "framework/application.h"

namespace vantrel {

TApplication::TApplication(std::unique_ptr<NativeApplication> native)
    : TComponent(nullptr), native_(std::move(native)) {}

TApplication::~TApplication() {
  // Forms go before the native side that their windows belong to.
  while (!Components().empty()) {
    delete Components().back();
  }
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (native_) {
    native_->SetTitle(title);
  }
}

void TApplication::Run() {
  if (mainForm_ && ShowMainForm) {
    mainForm_->Show();
  }
  if (native_ && !terminated_) {
    native_->RunMessageLoop();
  }
  terminated_ = true;
}

void TApplication::Terminate() {
  terminated_ = true;
  if (native_) {
    native_->Quit();
  }
}

}  // namespace vantrel
