#include "framework/form.h"

#include "framework/application.h"

namespace vantrel {

TForm::TForm(TApplication& application) : TComponent(&application), application_(application) {}

TForm::~TForm() {
  BeforeDestruction();
}

void TForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (native_) {
    native_->SetCaption(caption);
  }
}

void TForm::Show() {
  if (visible_) {
    return;
  }
  visible_ = true;
  if (native_) {
    native_->SetVisible(true);
  }
  if (OnShow) {
    OnShow(this);
  }
}

void TForm::Hide() {
  visible_ = false;
  if (native_) {
    native_->SetVisible(false);
  }
}

void TForm::Close() {
  Hide();
  if (application_.MainForm() == this) {
    application_.Terminate();
  }
}

void TForm::AfterConstruction() {
  if (NativeApplication* native = application_.Native()) {
    native_ = native->CreateFormWindow(*this);
  }
  if (OnCreate) {
    OnCreate(this);
  }
}

void TForm::BeforeDestruction() {
  if (destroying_) {
    return;
  }
  destroying_ = true;
  if (OnDestroy) {
    OnDestroy(this);
  }
}

}  // namespace vantrel
