// Popup menus: a list of items with captions, check marks and click handlers, shown at a screen position.
#pragma once

#include <string>
#include <vector>

#include "framework/component.h"

namespace vantrel {

class TPopupMenu;

class TMenuItem : public TComponent {
 public:
  // A new item is the last of `menu`; a caption of "-" makes it a separator.
  TMenuItem(TComponent* AOwner, TPopupMenu* menu, const std::string& caption);
  ~TMenuItem() override;

  std::string Caption;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  // The item a double click on the menu's owner chooses.
  bool Default = false;
  bool IsSeparator() const { return Caption == "-"; }

  TNotifyEvent OnClick;
  void Click();

 private:
  friend class TPopupMenu;
  TPopupMenu* menu_;
};

class TPopupMenu : public TComponent {
 public:
  using TComponent::TComponent;
  ~TPopupMenu() override;

  const std::vector<TMenuItem*>& Items() const { return items_; }
  // Whether a right click (or a tray icon) may pop the menu up.
  bool AutoPopup = true;
  // The component that popped the menu up last.
  TComponent* PopupComponent = nullptr;
  // Raised before the menu shows, so that its items can follow what it is shown for.
  TNotifyEvent OnPopup;
  // Shows the menu at a screen position and runs the chosen item's handler.
  void Popup(int x, int y);

 private:
  friend class TMenuItem;
  std::vector<TMenuItem*> items_;
};

}  // namespace vantrel
