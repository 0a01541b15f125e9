#include "framework/comctrls.h"

#include <algorithm>
#include <iterator>

#include "framework/application.h"

namespace vantrel {

void TProgressBar::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  position_ = std::clamp(position_, min_, max_);
  if (Native()) {
    Native()->SetRange(min_, max_);
    Native()->SetPosition(position_);
  }
}

void TProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, min_, max_);
  if (Native()) {
    Native()->SetPosition(position_);
  }
}

void TProgressBar::SyncNative() {
  TControl::SyncNative();
  Native()->SetRange(min_, max_);
  Native()->SetPosition(position_);
}

void THotKey::SetHotKey(std::uint16_t hotKey) {
  hotKey_ = hotKey;
  if (Native()) {
    Native()->SetHotKey(hotKey_);
  }
}

void THotKey::UserSetHotKey(std::uint16_t hotKey) {
  hotKey_ = hotKey;
  if (OnChange) {
    OnChange(this);
  }
}

void THotKey::SyncNative() {
  TControl::SyncNative();
  Native()->SetHotKey(hotKey_);
}

std::vector<TTabSheet*> TPageControl::Pages() const {
  std::vector<TTabSheet*> pages;
  for (TControl* control : Controls()) {
    if (auto* page = dynamic_cast<TTabSheet*>(control)) {
      pages.push_back(page);
    }
  }
  return pages;
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == activePage_ || (page && page->PageControl() != this)) {
    return;
  }
  TTabSheet* previous = activePage_;
  activePage_ = page;
  if (Native()) {
    Native()->SetItemIndex(TabIndex());
  }
  // The new page shows before the old one hides, so that the window never flashes empty.
  if (page) {
    page->SetVisible(true);
  }
  if (previous) {
    previous->SetVisible(false);
  }
}

int TPageControl::TabIndex() const {
  const std::vector<TTabSheet*> pages = Pages();
  const auto at = std::find(pages.begin(), pages.end(), activePage_);
  return at == pages.end() ? -1 : static_cast<int>(at - pages.begin());
}

void TPageControl::UserSelectTab(int index) {
  const std::vector<TTabSheet*> pages = Pages();
  if (index >= 0 && index < static_cast<int>(pages.size())) {
    SetActivePage(pages[index]);
  }
}

void TPageControl::UpdateTabs() {
  if (!Native()) {
    return;
  }
  std::vector<std::string> captions;
  for (const TTabSheet* page : Pages()) {
    captions.push_back(page->Caption());
  }
  Native()->SetItems(captions);
  Native()->SetItemIndex(TabIndex());
}

void TPageControl::SyncNative() {
  TControl::SyncNative();
  UpdateTabs();
}

TTabSheet::TTabSheet(TComponent* AOwner, TPageControl* pageControl)
    : TWinControl(AOwner), pageControl_(pageControl) {
  SetVisible(false);
  SetParent(pageControl);
  SetBounds(0, 0, pageControl->Width(), pageControl->Height());
  pageControl->UpdateTabs();
}

void TTabSheet::ShowingChanged() {
  const TNotifyEvent& event = Showing() ? OnShow : OnHide;
  // An error of the page's own handler must not stop the window from showing or hiding its other parts.
  if (event) {
    try {
      event(this);
    } catch (const std::exception& error) {
      TApplication* application = Application();
      if (!application) {
        throw;
      }
      application->HandleException(error);
    }
  }
  TWinControl::ShowingChanged();
}

void TListView::SetColumns(const std::vector<TListColumn>& columns) {
  columns_ = columns;
  if (Native()) {
    Native()->SetColumns(columns_);
  }
}

int TListView::AddRow(const TListRow& row) {
  auto at = rows_.end();
  if (Compare && updating_ == 0) {
    at = std::upper_bound(rows_.begin(), rows_.end(), row,
                          [this](const TListRow& a, const TListRow& b) { return Compare(a, b) < 0; });
  }
  const int index = static_cast<int>(at - rows_.begin());
  rows_.insert(at, row);
  if (updating_ == 0) {
    ++placed_;
    if (Native()) {
      Native()->InsertRow(index, row);
    }
  }
  if (!MultiSelect && row.Selected) {
    for (int i = 0; i < RowCount(); ++i) {
      if (i != index && rows_[i].Selected) {
        select(i, false);
      }
    }
  }
  return index;
}

void TListView::DeleteRow(int index) {
  if (!valid(index)) {
    return;
  }
  rows_.erase(rows_.begin() + index);
  if (static_cast<std::size_t>(index) < placed_) {
    --placed_;
    if (Native()) {
      Native()->DeleteRow(index);
    }
  }
}

void TListView::SetSubItem(int index, int subItem, const std::string& text) {
  if (!valid(index) || subItem < 0 || static_cast<std::size_t>(subItem) >= rows_[index].SubItems.size()) {
    return;
  }
  rows_[index].SubItems[subItem] = text;
  if (Native() && static_cast<std::size_t>(index) < placed_) {
    Native()->SetRowText(index, subItem + 1, text);
  }
}

void TListView::SetTag(int index, int tag) {
  if (valid(index)) {
    rows_[index].Tag = tag;
  }
}

void TListView::Clear() {
  rows_.clear();
  placed_ = 0;
  if (Native()) {
    Native()->SetRows(rows_);
  }
}

void TListView::BeginUpdate() {
  if (updating_++ == 0 && Native()) {
    Native()->BeginUpdate();
  }
}

void TListView::EndUpdate() {
  if (updating_ == 0 || --updating_ > 0) {
    return;
  }
  placeAddedRows();
  if (Native()) {
    Native()->EndUpdate();
  }
}

void TListView::placeAddedRows() {
  if (placed_ == rows_.size()) {
    return;
  }
  const auto before = [this](const TListRow& a, const TListRow& b) { return Compare && Compare(a, b) < 0; };
  std::vector<TListRow> added(std::make_move_iterator(rows_.begin() + static_cast<std::ptrdiff_t>(placed_)),
                              std::make_move_iterator(rows_.end()));
  rows_.resize(placed_);
  std::stable_sort(added.begin(), added.end(), before);
  // A merge that puts an added row after the placed rows it equals, as AddRow would.
  std::vector<TListRow> merged;
  merged.reserve(rows_.size() + added.size());
  std::vector<int> addedAt;
  auto old = rows_.begin();
  for (TListRow& row : added) {
    for (; old != rows_.end() && !before(row, *old); ++old) {
      merged.push_back(std::move(*old));
    }
    addedAt.push_back(static_cast<int>(merged.size()));
    merged.push_back(std::move(row));
  }
  std::move(old, rows_.end(), std::back_inserter(merged));
  rows_ = std::move(merged);
  placed_ = rows_.size();
  if (Native()) {
    for (const int index : addedAt) {
      Native()->InsertRow(index, rows_[index]);
    }
  }
}

TPopupMenu* TListView::ContextMenuAt(int index) const {
  if (index >= 0 || !PopupMenu) {
    return ContextMenu();
  }
  return Parent() ? Parent()->ContextMenu() : nullptr;
}

int TListView::SelCount() const {
  return static_cast<int>(
      std::count_if(rows_.begin(), rows_.end(), [](const TListRow& r) { return r.Selected; }));
}

int TListView::Selected() const {
  const auto at = std::find_if(rows_.begin(), rows_.end(), [](const TListRow& r) { return r.Selected; });
  return at == rows_.end() ? -1 : static_cast<int>(at - rows_.begin());
}

void TListView::SetSelected(int index, bool selected) {
  if (!valid(index)) {
    return;
  }
  if (selected && !MultiSelect) {
    for (int i = 0; i < RowCount(); ++i) {
      if (i != index && rows_[i].Selected) {
        select(i, false);
      }
    }
  }
  select(index, selected);
}

void TListView::select(int index, bool selected) {
  rows_[index].Selected = selected;
  if (Native() && static_cast<std::size_t>(index) < placed_) {
    Native()->SetRowSelected(index, selected);
  }
}

void TListView::SetChecked(int index, bool checked) {
  if (!valid(index)) {
    return;
  }
  rows_[index].Checked = checked;
  if (Native() && static_cast<std::size_t>(index) < placed_) {
    Native()->SetRowChecked(index, checked);
  }
}

bool TListView::UserCheck(int index, bool checked) {
  if (!valid(index) || (Greyed && Greyed(rows_[index], 0))) {
    return false;
  }
  rows_[index].Checked = checked;
  if (OnItemChecked) {
    OnItemChecked(index);
  }
  return true;
}

void TListView::MakeVisible(int index) {
  if (valid(index) && static_cast<std::size_t>(index) < placed_ && Native()) {
    Native()->MakeRowVisible(index);
  }
}

void TListView::PostSetFocus() {
  if (Native()) {
    Native()->PostSetFocus();
  }
}

void TListView::UserSelect(int index, bool selected) {
  if (valid(index)) {
    rows_[index].Selected = selected;
  }
}

void TListView::SyncNative() {
  TControl::SyncNative();
  Native()->SetColumns(columns_);
  Native()->SetRows({rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(placed_)});
}

}  // namespace vantrel
