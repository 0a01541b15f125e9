#include "framework/menus.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/form.h"

namespace vantrel {

TMenuItem::TMenuItem(TComponent* AOwner, TPopupMenu* menu, const std::string& caption)
    : TComponent(AOwner), Caption(caption), menu_(menu) {
  menu_->items_.push_back(this);
}

TMenuItem::~TMenuItem() {
  if (menu_) {
    auto& items = menu_->items_;
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
  }
}

void TMenuItem::Click() {
  if (Enabled && OnClick) {
    OnClick(this);
  }
}

TPopupMenu::~TPopupMenu() {
  for (TMenuItem* item : items_) {
    item->menu_ = nullptr;
  }
}

void TPopupMenu::Popup(int x, int y) {
  TApplication* application = Application();
  if (!application || !application->Native()) {
    return;
  }
  if (OnPopup) {
    OnPopup(this);
  }
  const THandle owner = application->MainForm() ? application->MainForm()->Handle() : application->Handle();
  const int chosen = application->Native()->TrackPopupMenu(items_, x, y, owner);
  if (chosen >= 0 && chosen < static_cast<int>(items_.size())) {
    items_[chosen]->Click();
  }
}

}  // namespace vantrel
