#include "framework/comctrls.h"

#include <algorithm>

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
  if (Compare) {
    at = std::upper_bound(rows_.begin(), rows_.end(), row,
                          [this](const TListRow& a, const TListRow& b) { return Compare(a, b) < 0; });
  }
  const int index = static_cast<int>(at - rows_.begin());
  rows_.insert(at, row);
  if (Native()) {
    Native()->InsertRow(index, row);
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
  if (Native()) {
    Native()->DeleteRow(index);
  }
}

void TListView::Clear() {
  rows_.clear();
  if (Native()) {
    Native()->SetRows(rows_);
  }
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
  if (Native()) {
    Native()->SetRowSelected(index, selected);
  }
}

void TListView::MakeVisible(int index) {
  if (valid(index) && Native()) {
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
  Native()->SetRows(rows_);
}

}  // namespace vantrel
