#include "framework/std_controls.h"

namespace vantrel {

namespace {
bool inRange(int index, const std::vector<std::string>& items) {
  return index >= 0 && index < static_cast<int>(items.size());
}
}  // namespace

void TLabel::Click() {
  TControl::Click();
  if (auto* box = dynamic_cast<TCheckBox*>(FocusControl); box && box->Enabled()) {
    box->Toggle();
  }
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == checked_) {
    return;
  }
  checked_ = checked;
  if (Native()) {
    Native()->SetChecked(checked);
  }
  Click();
}

void TCheckBox::Toggle() {
  clickedByUser_ = true;
  try {
    SetChecked(!checked_);
  } catch (...) {
    clickedByUser_ = false;
    throw;
  }
  clickedByUser_ = false;
}

void TCheckBox::SyncNative() {
  TControl::SyncNative();
  Native()->SetChecked(checked_);
}

void TListBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  itemIndex_ = -1;
  if (Native()) {
    Native()->SetItems(items_);
  }
}

void TListBox::SetItemIndex(int index) {
  itemIndex_ = inRange(index, items_) ? index : -1;
  if (Native()) {
    Native()->SetItemIndex(itemIndex_);
  }
}

void TListBox::UserSelect(int index) {
  itemIndex_ = inRange(index, items_) ? index : -1;
  Click();
}

void TListBox::SyncNative() {
  TControl::SyncNative();
  Native()->SetItems(items_);
  Native()->SetItemIndex(itemIndex_);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  itemIndex_ = -1;
  if (Native()) {
    Native()->SetItems(items_);
    Native()->SetText(Caption());
  }
}

void TComboBox::SetItemIndex(int index) {
  itemIndex_ = inRange(index, items_) ? index : -1;
  SetCaption(itemIndex_ >= 0 ? items_[itemIndex_] : std::string());
  if (Native()) {
    Native()->SetItemIndex(itemIndex_);
  }
}

void TComboBox::UserSelect(int index) {
  itemIndex_ = inRange(index, items_) ? index : -1;
  SetCaption(itemIndex_ >= 0 ? items_[itemIndex_] : std::string());
}

void TComboBox::UserEdit(const std::string& text) {
  // The native edit field already shows the text; its list keeps its highlight until the user opens it.
  itemIndex_ = -1;
  SetCaptionQuietly(text);
}

void TComboBox::SyncNative() {
  Native()->SetItems(items_);
  TControl::SyncNative();
  Native()->SetItemIndex(itemIndex_);
  if (itemIndex_ < 0) {
    Native()->SetText(Caption());
  }
}

}  // namespace vantrel
