#include "framework/form.h"

#include "framework/application.h"

namespace vantrel {

TForm::TForm(TApplication& application) : TWinControl(&application), application_(application) {
  SetVisible(false);
}

TForm::~TForm() {
  BeforeDestruction();
}

void TForm::Close() {
  Hide();
  if (application_.MainForm() == this) {
    application_.Terminate();
  }
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (Native()) {
    Native()->SetMinimized(state == TWindowState::wsMinimized);
  }
}

void TForm::Resized(int width, int height) {
  if (width == Width() && height == Height()) {
    return;
  }
  SetSizeQuietly(width, height);
  if (OnResize) {
    try {
      OnResize(this);
    } catch (const std::exception& error) {
      application_.HandleException(error);
    }
  }
}

std::unique_ptr<NativeControl> TForm::CreateNative(NativeApplication& app) {
  return app.CreateForm(*this);
}

void TForm::ShowingChanged() {
  if (Showing() && OnShow) {
    try {
      OnShow(this);
    } catch (const std::exception& error) {
      application_.HandleException(error);
    }
  }
  TWinControl::ShowingChanged();
  application_.UpdateVisible();
}

void TForm::AfterConstruction() {
  CreateHandle();
  const std::vector<TComponent*> components = Components();
  for (TComponent* component : components) {
    component->Loaded();
  }
  if (OnCreate) {
    try {
      OnCreate(this);
    } catch (const std::exception& error) {
      application_.HandleException(error);
    }
  }
}

void TForm::BeforeDestruction() {
  if (destroying_) {
    return;
  }
  destroying_ = true;
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (const std::exception& error) {
      application_.HandleException(error);
    }
  }
}

}  // namespace vantrel
