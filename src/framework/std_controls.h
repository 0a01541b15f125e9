// The standard controls: labels, check boxes, list boxes and drop-down combo boxes.
#pragma once

#include <string>
#include <vector>

#include "framework/controls.h"

namespace vantrel {

enum class TAlignment { taLeftJustify, taCenter, taRightJustify };

class TLabel : public TControl {
 public:
  using TControl::TControl;
  TControlKind Kind() const override { return TControlKind::Label; }

  TAlignment Alignment = TAlignment::taLeftJustify;
  bool WordWrap = false;
  // A control that a click on the label acts on: a check box is toggled, as a click on its box would.
  TControl* FocusControl = nullptr;

  void Click() override;
};

class TCheckBox : public TControl {
 public:
  using TControl::TControl;
  TControlKind Kind() const override { return TControlKind::CheckBox; }

  bool Checked() const { return checked_; }
  // Every change of the state, by the program or the user, runs OnClick.
  void SetChecked(bool checked);
  // A click by the user on the box or its label.
  void Toggle();
  // While OnClick runs: whether the change is the user's click rather than the program's SetChecked.
  bool ClickedByUser() const { return clickedByUser_; }

 protected:
  void SyncNative() override;

 private:
  bool checked_ = false;
  bool clickedByUser_ = false;
};

class TListBox : public TControl {
 public:
  using TControl::TControl;
  TControlKind Kind() const override { return TControlKind::ListBox; }

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& items);
  int ItemIndex() const { return itemIndex_; }
  // Selection by the program: an index outside the items selects nothing; no handler runs.
  void SetItemIndex(int index);
  // Selection by the user, with the mouse or the keyboard: runs OnClick.
  void UserSelect(int index);

 protected:
  void SyncNative() override;

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

// An editable drop-down box: its Caption is the text in its edit field.
class TComboBox : public TControl {
 public:
  using TControl::TControl;
  TControlKind Kind() const override { return TControlKind::ComboBox; }

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& items);
  int ItemIndex() const { return itemIndex_; }
  // Selection by the program: a valid index shows its item; any other selects nothing and empties the text.
  // No handler runs.
  void SetItemIndex(int index);
  // The user picked an item from the list.
  void UserSelect(int index);
  // The user typed into the edit field: the text no longer stands for a selected item.
  void UserEdit(const std::string& text);

 protected:
  void SyncNative() override;

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

}  // namespace vantrel
