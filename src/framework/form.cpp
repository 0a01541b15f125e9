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
  if (modal_) {
    ModalResult = ModalResult == mrNone ? mrCancel : ModalResult;
    return;
  }
  Hide();
  if (application_.MainForm() == this) {
    application_.Terminate();
  }
}

int TForm::ShowModal() {
  TForm* owner = application_.MainForm() != this ? application_.MainForm() : nullptr;
  const bool ownerEnabled = owner && owner->Enabled();
  ModalResult = mrNone;
  modal_ = true;
  if (owner) {
    if (Native() && owner->Native()) {
      Native()->CentreOver(owner->Handle());
    }
    owner->SetEnabled(false);
  }
  Show();
  if (NativeApplication* native = application_.Native()) {
    native->RunModal(*this, [this] { return ModalResult != mrNone || application_.Terminated(); });
  }
  modal_ = false;
  // The owner takes input again before this form hides, so that the system activates it rather than
  // another program's window.
  if (owner) {
    owner->SetEnabled(ownerEnabled);
  }
  Hide();
  return ModalResult == mrNone ? mrCancel : ModalResult;
}

void TForm::DialogKey(bool enter) {
  TControl* button = enter ? DefaultButton : CancelButton;
  if (button && button->Enabled() && button->Visible()) {
    button->Click();
  } else if (!enter && modal_) {
    ModalResult = mrCancel;
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
