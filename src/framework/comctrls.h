// The common controls: progress bars, hotkey fields, the page control with its tab sheets and the
// report-style list view.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/controls.h"

namespace vantrel {

class TImageList;
class TTabSheet;

class TProgressBar : public TControl {
 public:
  using TControl::TControl;
  TControlKind Kind() const override { return TControlKind::ProgressBar; }

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Position() const { return position_; }
  // Kept within the range, as the bar shows it.
  void SetPosition(int position);

 protected:
  void SyncNative() override;

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

// The keys held with a hotkey field's key: its word's high byte.
constexpr std::uint16_t kHotkeyfShift = 0x01;
constexpr std::uint16_t kHotkeyfControl = 0x02;
constexpr std::uint16_t kHotkeyfAlt = 0x04;

// A field that shows the key combination pressed into it, as its word: the virtual key in the low byte, the
// kHotkeyf* keys held with it in the high byte; 0 for none. The native field takes no key without Ctrl or
// Alt.
class THotKey : public TControl {
 public:
  using TControl::TControl;
  TControlKind Kind() const override { return TControlKind::HotKey; }

  std::uint16_t HotKey() const { return hotKey_; }
  // By the program: no handler runs.
  void SetHotKey(std::uint16_t hotKey);
  // A combination the user pressed: runs OnChange.
  void UserSetHotKey(std::uint16_t hotKey);
  TNotifyEvent OnChange;

 protected:
  void SyncNative() override;

 private:
  std::uint16_t hotKey_ = 0;
};

// Tabs over a stack of pages; only the active page is visible.
class TPageControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  TControlKind Kind() const override { return TControlKind::PageControl; }

  std::vector<TTabSheet*> Pages() const;
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* page);
  int TabIndex() const;
  // The user selected the tab of this index.
  void UserSelectTab(int index);
  // The tabs' captions changed or a page came or went.
  void UpdateTabs();

 protected:
  void SyncNative() override;

 private:
  TTabSheet* activePage_ = nullptr;
};

class TTabSheet : public TWinControl {
 public:
  // A new sheet is one more page of `pageControl`, hidden until it is made the active page.
  TTabSheet(TComponent* AOwner, TPageControl* pageControl);
  TControlKind Kind() const override { return TControlKind::TabSheet; }

  TPageControl* PageControl() const { return pageControl_; }
  // Raised when the page becomes visible on the screen, and when it stops being so.
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

 protected:
  void ShowingChanged() override;

 private:
  TPageControl* pageControl_;
};

// A list of rows with columns (report view); rows may be kept sorted by their caption.
class TListView : public TControl {
 public:
  using TControl::TControl;
  TControlKind Kind() const override { return TControlKind::ListView; }

  bool MultiSelect = false;
  bool RowSelect = false;
  bool ReadOnly = false;
  bool HideSelection = true;
  // Set before the window is made: a box before each row, which the user ticks by a click or the space bar.
  bool CheckBoxes = false;
  // Set before the window is made: false shows no row of column captions.
  bool ShowColumnHeaders = true;
  TImageList* SmallImages = nullptr;
  // When set, rows are kept in the order it gives (negative: a before b).
  std::function<int(const TListRow& a, const TListRow& b)> Compare;
  // When set, the cells (column 0 on) for which it is true are drawn in grey text, as unavailable.
  std::function<bool(const TListRow& row, int column)> Greyed;

  const std::vector<TListColumn>& Columns() const { return columns_; }
  void SetColumns(const std::vector<TListColumn>& columns);

  const std::vector<TListRow>& Rows() const { return rows_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Adds a row where the order puts it (at the end without Compare) and returns its index; between
  // BeginUpdate and EndUpdate, at the end.
  int AddRow(const TListRow& row);
  void DeleteRow(int index);
  // Sets the text of the sub-item `subItem` (0 on) of a row that has it.
  void SetSubItem(int index, int subItem, const std::string& text);
  void SetTag(int index, int tag);
  void Clear();
  int SelCount() const;
  // The first selected row, -1 when none.
  int Selected() const;
  void SetSelected(int index, bool selected);
  bool Checked(int index) const { return valid(index) && rows_[index].Checked; }
  // By the program: no handler runs.
  void SetChecked(int index, bool checked);
  // The user ticked or unticked a row's box: stored, then OnItemChecked. Refused (false), the row left as it
  // was, where the row is greyed in its first column: an unavailable choice.
  bool UserCheck(int index, bool checked);
  std::function<void(int index)> OnItemChecked;
  void MakeVisible(int index);
  // Draws the selection in the focused colours, as if the list had the focus, from the next message on.
  void PostSetFocus();
  // The user changed a row's selection.
  void UserSelect(int index, bool selected);
  // The menu of a right click on the row `index`, or on no row (-1): the list's own PopupMenu is its rows'
  // menu; the empty part of the list brings its parent's.
  TPopupMenu* ContextMenuAt(int index) const;
  // Many changes at once: from BeginUpdate to the matching EndUpdate the native list does not draw, and rows
  // added meanwhile wait at the end until EndUpdate sorts them into place, once, and shows them.
  void BeginUpdate();
  void EndUpdate();

 protected:
  void SyncNative() override;

 private:
  bool valid(int index) const { return index >= 0 && index < RowCount(); }
  void select(int index, bool selected);
  // Sorts the rows added since BeginUpdate into place and hands them to the native list.
  void placeAddedRows();
  std::vector<TListColumn> columns_;
  std::vector<TListRow> rows_;
  // The rows before this index are in their place, and in the native list; those after it were added during
  // an update.
  std::size_t placed_ = 0;
  int updating_ = 0;
};

// Holds a list's drawing and sorting from its making to its end, also when a change throws (BeginUpdate,
// EndUpdate).
class TListViewUpdate {
 public:
  explicit TListViewUpdate(TListView& list) : list_(list) { list_.BeginUpdate(); }
  ~TListViewUpdate() { list_.EndUpdate(); }
  TListViewUpdate(const TListViewUpdate&) = delete;
  TListViewUpdate& operator=(const TListViewUpdate&) = delete;

 private:
  TListView& list_;
};

}  // namespace vantrel
