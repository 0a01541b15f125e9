#include "framework/controls.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/menus.h"

namespace vantrel {

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

TControl::~TControl() {
  native_.reset();
  if (parent_) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) {
    return;
  }
  if (parent_) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    native_.reset();
  }
  parent_ = parent;
  if (!parent_) {
    UpdateShowing();
    return;
  }
  parent_->controls_.push_back(this);
  if (ParentFont) {
    font_ = parent_->font_;
  }
  if (parent_->native_) {
    CreateHandle();
  }
  UpdateShowing();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (native_) {
    native_->SetBounds(left, top, width, height);
  }
}

void TControl::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (native_) {
    native_->SetText(caption);
  }
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) {
    return;
  }
  visible_ = visible;
  if (native_) {
    native_->SetVisible(visible);
  }
  UpdateShowing();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (native_) {
    native_->SetEnabled(enabled);
  }
}

void TControl::SetFont(const TFont& font) {
  font_ = font;
  ParentFont = false;
  if (native_) {
    native_->SetFont(font);
  }
  if (auto* container = dynamic_cast<TWinControl*>(this)) {
    for (TControl* child : container->Controls()) {
      if (child->ParentFont) {
        child->SetFont(font);
        child->ParentFont = true;
      }
    }
  }
}

void TControl::SetHint(const std::string& hint) {
  hint_ = hint;
  if (native_) {
    native_->SetHint(ShowHint ? hint : std::string());
  }
}

TPopupMenu* TControl::ContextMenu() const {
  for (const TControl* control = this; control; control = control->parent_) {
    if (control->PopupMenu) {
      return control->PopupMenu;
    }
  }
  return nullptr;
}

void TControl::Click() {
  if (OnClick) {
    OnClick(this);
  }
}

bool TControl::Showing() const {
  return showing_;
}

void TControl::UpdateShowing() {
  const bool showing = visible_ && (parent_ ? parent_->showing_ : Kind() == TControlKind::Form);
  if (showing != showing_) {
    showing_ = showing;
    ShowingChanged();
  }
}

NativeApplication* TControl::App() const {
  TApplication* application = Application();
  return application ? application->Native() : nullptr;
}

std::unique_ptr<NativeControl> TControl::CreateNative(NativeApplication& app) {
  return app.CreateControl(*this, *parent_->native_);
}

void TControl::CreateHandle() {
  NativeApplication* app = App();
  if (native_ || !app || (parent_ && !parent_->native_) || (!parent_ && Kind() != TControlKind::Form)) {
    return;
  }
  native_ = CreateNative(*app);
  SyncNative();
  if (auto* container = dynamic_cast<TWinControl*>(this)) {
    for (TControl* child : container->controls_) {
      child->CreateHandle();
    }
  }
}

void TControl::SyncNative() {
  native_->SetBounds(left_, top_, width_, height_);
  native_->SetFont(font_);
  native_->SetText(caption_);
  native_->SetHint(ShowHint ? hint_ : std::string());
  native_->SetEnabled(enabled_);
  native_->SetVisible(visible_);
}

void TControl::Repaint() {
  if (native_) {
    native_->Repaint();
  }
}

TWinControl::~TWinControl() {
  // Children may outlive their container; their windows go with its window.
  for (TControl* child : controls_) {
    child->native_.reset();
    child->parent_ = nullptr;
  }
  controls_.clear();
}

void TWinControl::SetFocus() {
  if (Native()) {
    Native()->SetFocus();
  }
}

void TWinControl::ShowingChanged() {
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) {
    child->UpdateShowing();
  }
}

}  // namespace vantrel
