// Win32 only: the standard window of each kind of control. Each turns the notifications of its window into
// calls of the framework control; what the program set itself is not reported back.
#include "framework/win32/win32_controls.h"

#include <vector>

#include "framework/comctrls.h"
#include "framework/ext_controls.h"
#include "framework/image_list.h"
#include "framework/spin_edit.h"
#include "framework/std_controls.h"
#include "framework/win32/win32_dpi.h"
#include "framework/win32/win32_themes.h"
#include "framework/win32/win32_window.h"
#include "platform/unicode.h"
#include "platform/win32/scoped_handle.h"

namespace vantrel::win32 {

namespace {

constexpr char kEditSubclassProperty[] = "Vantrel.EditProc";
constexpr char kListSubclassProperty[] = "Vantrel.ListProc";
// BCM_SETSHIELD, which the headers define only for Vista on.
constexpr UINT kBcmSetShield = 0x160C;

HWND makeWindow(DWORD exStyle, const char* windowClass, DWORD style, HWND parent) {
  return CreateWindowExA(exStyle, windowClass, "", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                         nullptr, instance(), nullptr);
}

std::string windowText(HWND window) {
  std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1);
  GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  return text.data();
}

class Label final : public Win32Window {
 public:
  Label(TLabel& label, HWND parent) : Win32Window(label, makeWindow(0, "STATIC", style(label), parent)) {}
  void command(int code) override {
    if (code == STN_CLICKED) {
      guarded(control(), [&] { control().Click(); });
    }
  }

 private:
  static DWORD style(const TLabel& label) {
    switch (label.Alignment) {
      case TAlignment::taCenter:
        return SS_NOTIFY | SS_CENTER;
      case TAlignment::taRightJustify:
        return SS_NOTIFY | SS_RIGHT;
      default:
        return SS_NOTIFY | (label.WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
    }
  }
};

class CheckBox final : public Win32Window {
 public:
  CheckBox(TCheckBox& box, HWND parent)
      : Win32Window(box, makeWindow(0, "BUTTON", BS_CHECKBOX | WS_TABSTOP, parent)), box_(box) {}
  void SetChecked(bool checked) override { quietly(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
  void command(int code) override {
    if (code == BN_CLICKED) {
      guarded(box_, [&] { box_.Toggle(); });
    }
  }

 private:
  TCheckBox& box_;
};

class SpeedButton final : public Win32Window {
 public:
  SpeedButton(TSpeedButton& button, HWND parent)
      : Win32Window(button, makeWindow(0, "BUTTON", style(button), parent)), button_(button) {
    // A visual style draws every push button raised; without one the button keeps its flat face.
    if (button.Flat) {
      withoutVisualStyle(window());
    }
    if (button.Shield) {
      // Systems before Vista draw no shield and ignore the message.
      SendMessageA(window(), kBcmSetShield, 0, TRUE);
    }
    loadGlyph(dpiOf(window()));
  }
  void dpiChanged(int oldDpi, int newDpi) override {
    Win32Window::dpiChanged(oldDpi, newDpi);
    loadGlyph(newDpi);
  }
  // A picture button is named by its hint, for screen readers.
  void SetText(const std::string& text) override {
    Win32Window::SetText(text.empty() ? button_.Hint() : text);
  }
  void SetHint(const std::string& hint) override {
    Win32Window::SetHint(hint);
    if (button_.Caption().empty()) {
      Win32Window::SetText(button_.Hint());
    }
  }
  void command(int code) override {
    if (code == BN_CLICKED) {
      guarded(control(), [&] { control().Click(); });
    }
  }
  HBRUSH colors(HDC) override { return nullptr; }

 private:
  static DWORD style(const TSpeedButton& button) {
    return BS_PUSHBUTTON | WS_TABSTOP | (button.Flat ? BS_FLAT : 0) | (button.Glyph.Empty() ? 0 : BS_BITMAP);
  }
  // The glyph's pixel art enlarged by the whole factor of these dots per inch, so that it stays sharp.
  void loadGlyph(int dpi) {
    if (button_.Glyph.Empty()) {
      return;
    }
    platform::win32::ScopedBitmap glyph(static_cast<HBITMAP>(
        LoadImageA(instance(), MAKEINTRESOURCEA(button_.Glyph.ScaledResourceId(imageFactor(dpi))),
                   IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
    SendMessageA(window(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph.get()));
    glyph_ = std::move(glyph);
  }
  TSpeedButton& button_;
  platform::win32::ScopedBitmap glyph_;
};

class SpinEdit final : public Win32Window {
 public:
  SpinEdit(TSpinEdit& edit, HWND parent)
      : Win32Window(edit, makeWindow(WS_EX_CLIENTEDGE, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, parent)),
        edit_(edit),
        arrows_(makeWindow(0, UPDOWN_CLASSA, UDS_ALIGNRIGHT | UDS_NOTHOUSANDS, parent)) {
    SetPropA(arrows_, "Vantrel.Control", static_cast<Win32Window*>(this));
    SetPropA(window(), kEditSubclassProperty,
             reinterpret_cast<HANDLE>(
                 SetWindowLongPtrA(window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc))));
  }
  ~SpinEdit() override {
    SetWindowLongPtrA(window(), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(GetPropA(window(), kEditSubclassProperty)));
    RemovePropA(window(), kEditSubclassProperty);
    RemovePropA(arrows_, "Vantrel.Control");
    DestroyWindow(arrows_);
  }

  void SetBounds(int left, int top, int width, int height) override {
    Win32Window::SetBounds(left, top, width, height);
    // The arrows take the right end of the given width.
    SendMessageA(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(window()), 0);
    widenArrows();
  }
  void SetVisible(bool visible) override {
    Win32Window::SetVisible(visible);
    ShowWindow(arrows_, visible ? SW_SHOWNA : SW_HIDE);
  }
  void SetEnabled(bool enabled) override {
    Win32Window::SetEnabled(enabled);
    EnableWindow(arrows_, enabled);
  }
  void SetRange(int min, int max) override { SendMessageA(arrows_, UDM_SETRANGE32, min, max); }
  void SetPosition(int position) override { SendMessageA(arrows_, UDM_SETPOS32, 0, position); }
  void command(int code) override {
    if (code == EN_CHANGE && !programmatic()) {
      edit_.UserEdit(windowText(window()));
    } else if (code == EN_KILLFOCUS) {
      guarded(edit_, [&] { edit_.DoExit(); });
    }
  }
  LRESULT notify(NMHDR* header) override {
    if (header->hwndFrom == arrows_ && header->code == UDN_DELTAPOS) {
      const int delta = reinterpret_cast<NMUPDOWN*>(header)->iDelta;
      guarded(edit_, [&] { delta > 0 ? edit_.UpClick() : edit_.DownClick(); });
      return 1;  // the arrows keep no position of their own
    }
    return 0;
  }

 private:
  static LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<SpinEdit*>(Win32Window::of(window));
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(window, kEditSubclassProperty));
    if (self) {
      switch (message) {
        case WM_CHAR: {
          bool accepted = true;
          guarded(self->edit_, [&] { accepted = self->edit_.KeyPress(static_cast<char>(wParam)); });
          if (!accepted) {
            return 0;
          }
          break;
        }
        case WM_KEYDOWN:
          if (wParam == VK_UP || wParam == VK_DOWN) {
            guarded(self->edit_, [&] { wParam == VK_UP ? self->edit_.UpClick() : self->edit_.DownClick(); });
            return 0;
          }
          break;
        case WM_GETDLGCODE: {
          // Enter must reach the edit, which refuses it with a beep, instead of the dialog navigation.
          LRESULT code = CallWindowProcA(original, window, message, wParam, lParam) | DLGC_WANTARROWS;
          const auto* pending = reinterpret_cast<const MSG*>(lParam);
          if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) {
            code |= DLGC_WANTMESSAGE;
          }
          return code;
        }
        default:
          break;
      }
    }
    return CallWindowProcA(original, window, message, wParam, lParam);
  }

  // Some systems give the arrows the same width at any dots per inch: where they are narrower than the arrows
  // of 96 dpi scaled, they grow to the left, into the edit, and keep their right edge.
  void widenArrows() {
    RECT arrows;
    GetWindowRect(arrows_, &arrows);
    MapWindowPoints(nullptr, GetParent(arrows_), reinterpret_cast<POINT*>(&arrows), 2);
    const int missing = scaled(kArrowsWidth, dpiOf(arrows_)) - (arrows.right - arrows.left);
    if (missing <= 0) {
      return;
    }
    RECT edit;
    GetWindowRect(window(), &edit);
    MapWindowPoints(nullptr, GetParent(window()), reinterpret_cast<POINT*>(&edit), 2);
    MoveWindow(window(), edit.left, edit.top, edit.right - edit.left - missing, edit.bottom - edit.top, TRUE);
    MoveWindow(arrows_, arrows.left - missing, arrows.top, arrows.right - arrows.left + missing,
               arrows.bottom - arrows.top, TRUE);
  }

  // The width of the arrows at 96 dpi.
  static constexpr int kArrowsWidth = 16;
  TSpinEdit& edit_;
  HWND arrows_;
};

class ListBox final : public Win32Window {
 public:
  ListBox(TListBox& list, HWND parent)
      : Win32Window(list, makeWindow(WS_EX_CLIENTEDGE, "LISTBOX",
                                     LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, parent)),
        list_(list) {}
  void SetText(const std::string&) override {}
  void SetItems(const std::vector<std::string>& items) override {
    quietly(LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
      quietly(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
  }
  void SetItemIndex(int index) override { quietly(LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
  void command(int code) override {
    if (code == LBN_SELCHANGE && !programmatic()) {
      const int index = static_cast<int>(SendMessageA(window(), LB_GETCURSEL, 0, 0));
      guarded(list_, [&] { list_.UserSelect(index); });
    }
  }
  HBRUSH colors(HDC) override { return nullptr; }

 private:
  TListBox& list_;
};

// A wide window, so that names of every script can be typed and picked as they are.
class ComboBox final : public Win32Window {
 public:
  ComboBox(TComboBox& box, HWND parent)
      : Win32Window(box, CreateWindowExW(0, L"COMBOBOX", L"",
                                         WS_CHILD | WS_CLIPSIBLINGS | CBS_DROPDOWN | CBS_AUTOHSCROLL |
                                             WS_VSCROLL | WS_TABSTOP,
                                         0, 0, 0, 0, parent, nullptr, instance(), nullptr)),
        box_(box) {}
  void SetText(const std::string& text) override {
    std::u16string wideText = Utf8ToUtf16(text);
    quietlyWide(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(platform::win32::wide(wideText)));
  }
  void SetItems(const std::vector<std::string>& items) override {
    quietly(CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
      std::u16string wideItem = Utf8ToUtf16(item);
      quietlyWide(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::win32::wide(wideItem)));
    }
  }
  void SetItemIndex(int index) override { quietly(CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
  void command(int code) override {
    if (programmatic()) {
      return;
    }
    if (code == CBN_SELCHANGE) {
      const int index = static_cast<int>(SendMessageA(window(), CB_GETCURSEL, 0, 0));
      guarded(box_, [&] { box_.UserSelect(index); });
    } else if (code == CBN_EDITCHANGE) {
      std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window())) + 1, u'\0');
      text.resize(static_cast<std::size_t>(
          GetWindowTextW(window(), platform::win32::wide(text), static_cast<int>(text.size()))));
      box_.UserEdit(Utf16ToUtf8(text));
    }
  }
  HBRUSH colors(HDC) override { return nullptr; }

 private:
  TComboBox& box_;
};

class ListView final : public Win32Window {
 public:
  ListView(TListView& list, HWND parent)
      : Win32Window(list, makeWindow(WS_EX_CLIENTEDGE, WC_LISTVIEWA, style(list), parent)), list_(list) {
    SendMessageA(window(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES,
                 (list.RowSelect ? LVS_EX_FULLROWSELECT : 0) | (list.CheckBoxes ? LVS_EX_CHECKBOXES : 0));
    setRowImages(dpiOf(window()));
    // With hints, a cell cut off by its column shows its whole text in a tooltip. The list view's own label
    // tip covers the first column only, and not every system shows it.
    if (list.ShowHint) {
      cellTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, window(), nullptr, instance(), nullptr);
      TTTOOLINFOW tool = cellTool();
      SendMessageW(cellTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
      SetPropA(window(), kListSubclassProperty,
               reinterpret_cast<HANDLE>(
                   SetWindowLongPtrA(window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc))));
    }
  }
  ~ListView() override {
    if (cellTip_) {
      SetWindowLongPtrA(window(), GWLP_WNDPROC,
                        reinterpret_cast<LONG_PTR>(GetPropA(window(), kListSubclassProperty)));
      RemovePropA(window(), kListSubclassProperty);
      DestroyWindow(cellTip_);
    }
  }
  void dpiChanged(int oldDpi, int newDpi) override {
    Win32Window::dpiChanged(oldDpi, newDpi);
    // The widths as the user left them, at the new scale.
    for (int column = 0; column < static_cast<int>(list_.Columns().size()); ++column) {
      const int width = static_cast<int>(SendMessageA(window(), LVM_GETCOLUMNWIDTH, column, 0));
      SendMessageA(window(), LVM_SETCOLUMNWIDTH, column, MulDiv(width, newDpi, oldDpi));
    }
    setRowImages(newDpi);
  }
  void SetText(const std::string&) override {}
  // A right click's row is the one under the pointer; the keyboard's, the first selected.
  TPopupMenu* contextMenu(LPARAM position) override {
    if (position == -1) {
      return list_.ContextMenuAt(list_.Selected());
    }
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(window(), &hit.pt);
    const int row = static_cast<int>(SendMessageA(window(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return list_.ContextMenuAt((hit.flags & LVHT_ONITEM) != 0 ? row : -1);
  }
  void SetColumns(const std::vector<TListColumn>& columns) override {
    while (SendMessageW(window(), LVM_DELETECOLUMN, 0, 0)) {
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
      std::u16string caption = Utf8ToUtf16(columns[i].Caption);
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = scaled(columns[i].Width, dpiOf(window()));
      column.pszText = platform::win32::wide(caption);
      SendMessageW(window(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
  }
  void SetRows(const std::vector<TListRow>& rows) override {
    BeginUpdate();
    quietly(LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      InsertRow(static_cast<int>(i), rows[i]);
    }
    EndUpdate();
  }
  // The wide messages, so that names and data of every script show as they are.
  void InsertRow(int index, const TListRow& row) override {
    std::u16string caption = Utf8ToUtf16(row.Caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    item.iItem = index;
    item.pszText = platform::win32::wide(caption);
    item.iImage = row.ImageIndex;
    item.state = row.Selected ? LVIS_SELECTED : 0;
    item.stateMask = LVIS_SELECTED;
    quietly(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t column = 0; column < row.SubItems.size(); ++column) {
      SetRowText(index, static_cast<int>(column + 1), row.SubItems[column]);
    }
    // A new row's box is empty whatever the insertion asked.
    if (list_.CheckBoxes) {
      SetRowChecked(index, row.Checked);
    }
  }
  void SetRowText(int index, int column, const std::string& text) override {
    std::u16string wideText = Utf8ToUtf16(text);
    LVITEMW sub{};
    sub.iSubItem = column;
    sub.pszText = platform::win32::wide(wideText);
    quietly(LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
  }
  // Nested pairs (SetRows inside an update) draw once, at the outermost end.
  void BeginUpdate() override {
    if (updating_++ == 0) {
      SendMessageW(window(), WM_SETREDRAW, FALSE, 0);
    }
  }
  void EndUpdate() override {
    if (--updating_ == 0) {
      SendMessageW(window(), WM_SETREDRAW, TRUE, 0);
      // The frame too: the scroll bars follow the rows.
      RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  }
  void DeleteRow(int index) override {
    // Deleting the focused row makes Wine focus a neighbour and scroll to it, even with drawing off: a few
    // milliseconds a row, seconds for thousands. Within an update the focus goes first.
    if (updating_ > 0 && SendMessageW(window(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_FOCUSED)) {
      LVITEMW item{};
      item.stateMask = LVIS_FOCUSED;
      quietly(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    quietly(LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
  }
  void SetRowSelected(int index, bool selected) override {
    LVITEMA item{};
    item.state = selected ? LVIS_SELECTED : 0;
    item.stateMask = LVIS_SELECTED;
    quietly(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  // The box is the row's state image: 1 empty, 2 ticked.
  void SetRowChecked(int index, bool checked) override {
    LVITEMA item{};
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    item.stateMask = LVIS_STATEIMAGEMASK;
    quietly(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  void MakeRowVisible(int index) override { SendMessageA(window(), LVM_ENSUREVISIBLE, index, FALSE); }
  void PostSetFocus() override { PostMessageA(window(), WM_SETFOCUS, 0, 0); }
  LRESULT notify(NMHDR* header) override {
    if (header->code == NM_CUSTOMDRAW) {
      return customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    }
    if ((header->code != LVN_ITEMCHANGED && header->code != LVN_ITEMCHANGING) || programmatic()) {
      return 0;
    }
    const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    if (list_.CheckBoxes && change->iItem >= 0 && change->iItem < list_.RowCount() &&
        (change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_STATEIMAGEMASK)) {
      return userChecked(header->code, change->iItem, (change->uNewState & LVIS_STATEIMAGEMASK) >> 12 == 2);
    }
    if (header->code != LVN_ITEMCHANGED) {
      return 0;
    }
    if (!(change->uChanged & LVIF_STATE) || !((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) {
      return 0;
    }
    const bool selected = (change->uNewState & LVIS_SELECTED) != 0;
    if (change->iItem >= 0) {
      list_.UserSelect(change->iItem, selected);
    } else {
      for (int i = 0; i < list_.RowCount(); ++i) {
        list_.UserSelect(i, selected);
      }
    }
    return 0;
  }
  HBRUSH colors(HDC) override { return nullptr; }

 private:
  // A box the user clicked: an unavailable row's is refused before it changes (TRUE), and set back where a
  // system changed it all the same; an empty state image is no answer of the user's.
  LRESULT userChecked(UINT code, int index, bool checked) {
    const TListRow& row = list_.Rows()[index];
    const bool refused = list_.Greyed && list_.Greyed(row, 0);
    if (code == LVN_ITEMCHANGING) {
      return refused ? TRUE : FALSE;
    }
    if (checked == row.Checked) {
      return 0;
    }
    bool taken = false;
    guarded(list_, [&] { taken = list_.UserCheck(index, checked); });
    if (!taken) {
      SetRowChecked(index, list_.Checked(index));
    }
    return 0;
  }
  // The cells that the list greys, each in grey text unless its row is selected (the selection's colours
  // stay readable); asked for cell by cell only where the list greys any.
  LRESULT customDraw(NMLVCUSTOMDRAW& draw) {
    if (!list_.Greyed) {
      return CDRF_DODEFAULT;
    }
    switch (draw.nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
      case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
      case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const auto index = static_cast<int>(draw.nmcd.dwItemSpec);
        const bool greyed = index >= 0 && index < list_.RowCount() && !list_.Rows()[index].Selected &&
                            list_.Greyed(list_.Rows()[index], draw.iSubItem);
        // Set for every cell: the colour of one cell would otherwise carry over to the next.
        draw.clrText = greyed ? GetSysColor(COLOR_GRAYTEXT) : CLR_DEFAULT;
        return CDRF_NEWFONT;
      }
      default:
        return CDRF_DODEFAULT;
    }
  }
  // The image list is this object's to destroy, not the list view's (LVS_SHAREIMAGELISTS).
  static DWORD style(const TListView& list) {
    return LVS_REPORT | LVS_SHAREIMAGELISTS | WS_TABSTOP | (list.MultiSelect ? 0 : LVS_SINGLESEL) |
           (list.ShowColumnHeaders ? 0 : LVS_NOCOLUMNHEADER) | (list.HideSelection ? 0 : LVS_SHOWSELALWAYS) |
           (list.ReadOnly ? 0 : LVS_EDITLABELS);
  }
  // The row images enlarged by the whole factor of these dots per inch; the rows grow with them.
  void setRowImages(int dpi) {
    if (!list_.SmallImages) {
      return;
    }
    platform::win32::ScopedImageList images(createImageList(*list_.SmallImages, imageFactor(dpi)));
    SendMessageA(window(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.get()));
    rowImages_ = std::move(images);
  }
  static LRESULT CALLBACK listProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<ListView*>(Win32Window::of(window));
    if (self) {
      // The tool follows the pointer before the tooltip sees the move: the first move into a cell starts
      // its wait.
      if (message == WM_MOUSEMOVE) {
        self->pointAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      } else if (message == WM_MOUSEWHEEL || message == WM_VSCROLL || message == WM_HSCROLL) {
        // The rows move under a pointer that stays: the tip of the cell that was there goes.
        SendMessageW(self->cellTip_, TTM_POP, 0, 0);
        self->showCellTip({}, {});
      }
      if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
          message == WM_MBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONUP ||
          message == WM_MBUTTONUP) {
        MSG relayed{window, message, wParam, lParam, 0, {}};
        SendMessageW(self->cellTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
      }
    }
    return CallWindowProcA(reinterpret_cast<WNDPROC>(GetPropA(window, kListSubclassProperty)), window,
                           message, wParam, lParam);
  }
  TTTOOLINFOW cellTool() {
    TTTOOLINFOW tool{};
    // The size every version of the common controls knows.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window();
    tool.uId = 1;
    tool.rect = tipCell_;
    tool.lpszText = platform::win32::wide(tipText_);
    return tool;
  }
  // The tool covers the cell under the pointer while its text is cut off, and nothing otherwise.
  void pointAt(int x, int y) {
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    SendMessageW(window(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem < 0 || hit.iItem >= list_.RowCount() || !(hit.flags & LVHT_ONITEM)) {
      showCellTip({}, {});
      return;
    }
    const TListRow& row = list_.Rows()[hit.iItem];
    // A row's own tip covers the whole row, cut off or not.
    if (!row.Tip.empty()) {
      RECT bounds{LVIR_BOUNDS, 0, 0, 0};
      SendMessageW(window(), LVM_GETITEMRECT, static_cast<WPARAM>(hit.iItem),
                   reinterpret_cast<LPARAM>(&bounds));
      showCellTip(bounds, Utf8ToUtf16(row.Tip));
      return;
    }
    const std::string& text = hit.iSubItem == 0 ? row.Caption
                                                : (hit.iSubItem <= static_cast<int>(row.SubItems.size())
                                                       ? row.SubItems[hit.iSubItem - 1]
                                                       : std::string());
    RECT cell{};
    cell.top = hit.iSubItem;
    cell.left = LVIR_LABEL;
    SendMessageW(window(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(hit.iItem),
                 reinterpret_cast<LPARAM>(&cell));
    // What shows of a cell: a wide column is cut off at the list's edge as well as by its own width.
    RECT client;
    GetClientRect(window(), &client);
    IntersectRect(&cell, &cell, &client);
    std::u16string wideText = Utf8ToUtf16(text);
    // The list leaves a margin of about six pixels on each side of a cell's text.
    const auto needed = static_cast<int>(SendMessageW(
        window(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(platform::win32::wide(wideText))));
    if (text.empty() || needed + scaled(12, dpiOf(window())) <= cell.right - cell.left) {
      showCellTip({}, {});
      return;
    }
    showCellTip(cell, std::move(wideText));
  }
  void showCellTip(const RECT& cell, std::u16string text) {
    if (EqualRect(&cell, &tipCell_) && text == tipText_) {
      return;
    }
    tipCell_ = cell;
    tipText_ = std::move(text);
    TTTOOLINFOW tool = cellTool();
    SendMessageW(cellTip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(cellTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    // Long paths wrap at their blanks rather than run across the screen.
    SendMessageW(cellTip_, TTM_SETMAXTIPWIDTH, 0, scaled(600, dpiOf(window())));
  }
  TListView& list_;
  platform::win32::ScopedImageList rowImages_;
  int updating_ = 0;
  HWND cellTip_ = nullptr;
  RECT tipCell_{};
  std::u16string tipText_;
};

class ProgressBar final : public Win32Window {
 public:
  ProgressBar(TProgressBar& bar, HWND parent)
      : Win32Window(bar, makeWindow(0, PROGRESS_CLASSA, PBS_SMOOTH, parent)) {}
  void SetText(const std::string&) override {}
  void SetRange(int min, int max) override { SendMessageA(window(), PBM_SETRANGE32, min, max); }
  void SetPosition(int position) override { SendMessageA(window(), PBM_SETPOS, position, 0); }
};

class HotKey final : public Win32Window {
 public:
  HotKey(THotKey& field, HWND parent)
      : Win32Window(field, makeWindow(0, HOTKEY_CLASSA, WS_TABSTOP, parent)), field_(field) {
    // A key alone or with Shift alone would take that key from every program: Ctrl is added to it.
    SendMessageA(window(), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL, 0));
  }
  void SetText(const std::string&) override {}
  void SetHotKey(std::uint16_t hotKey) override { quietly(HKM_SETHOTKEY, hotKey, 0); }
  void command(int code) override {
    if (code == EN_CHANGE && !programmatic()) {
      const auto hotKey = static_cast<std::uint16_t>(SendMessageA(window(), HKM_GETHOTKEY, 0, 0));
      guarded(field_, [&] { field_.UserSetHotKey(hotKey); });
    }
  }

 private:
  THotKey& field_;
};

class Image final : public Win32Window {
 public:
  Image(TImage& image, HWND parent)
      : Win32Window(image, makeWindow(0, "STATIC", SS_BITMAP | SS_REALSIZECONTROL, parent)) {}
  // A bitmap static takes its text for a resource's name.
  void SetText(const std::string&) override {}
  void SetBitmap(std::uintptr_t bitmap) override {
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageA(window(), STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(bitmap)));
    // The control may have shown a copy of its own (version 6 copies bitmaps with alpha); that copy is its
    // to give back, and so ours.
    if (previous != nullptr && previous != shown_) {
      DeleteObject(previous);
    }
    shown_ = reinterpret_cast<HBITMAP>(bitmap);
  }

 private:
  HBITMAP shown_ = nullptr;
};

class Container final : public Win32Window {
 public:
  Container(TControl& control, HWND parent)
      : Win32Window(control, CreateWindowExA(WS_EX_CONTROLPARENT, containerClass(), "",
                                             WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                                             nullptr, instance(), nullptr)) {}
  // A page fills the display area of its tab control, whatever bounds it was given.
  void SetBounds(int left, int top, int width, int height) override {
    if (control().Kind() != TControlKind::TabSheet) {
      Win32Window::SetBounds(left, top, width, height);
      return;
    }
    RECT area;
    GetClientRect(GetParent(window()), &area);
    SendMessageA(GetParent(window()), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MoveWindow(window(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  }
};

class PageControl final : public Win32Window {
 public:
  PageControl(TPageControl& pages, HWND parent)
      : Win32Window(pages, CreateWindowExA(WS_EX_CONTROLPARENT, WC_TABCONTROLA, "",
                                           WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP, 0, 0, 0,
                                           0, parent, nullptr, instance(), nullptr)),
        pages_(pages) {
    pad(dpiOf(window()));
  }
  void SetText(const std::string&) override {}
  void dpiChanged(int oldDpi, int newDpi) override {
    pad(newDpi);
    Win32Window::dpiChanged(oldDpi, newDpi);
  }
  void SetItems(const std::vector<std::string>& captions) override {
    quietly(TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < captions.size(); ++i) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(captions[i].c_str());
      quietly(TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  void SetItemIndex(int index) override { quietly(TCM_SETCURSEL, static_cast<WPARAM>(index), 0); }
  LRESULT notify(NMHDR* header) override {
    if (header->code == TCN_SELCHANGE) {
      const int index = static_cast<int>(SendMessageA(window(), TCM_GETCURSEL, 0, 0));
      guarded(pages_, [&] { pages_.UserSelectTab(index); });
    }
    return 0;
  }

 private:
  // Half the usual room beside a tab's caption, so that the six tabs fit the smallest window in one row.
  void pad(int dpi) { quietly(TCM_SETPADDING, 0, MAKELPARAM(scaled(3, dpi), scaled(3, dpi))); }
  TPageControl& pages_;
};

}  // namespace

HIMAGELIST createImageList(const TImageList& list, int factor) {
  const int width = list.Width * factor;
  const int height = list.Height * factor;
  HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, list.Count(), 1);
  for (const TIcon& image : list.Images()) {
    const platform::win32::ScopedIcon icon(static_cast<HICON>(
        LoadImageA(instance(), MAKEINTRESOURCEA(image.ResourceId), IMAGE_ICON, width, height, 0)));
    ImageList_AddIcon(images, icon.get());
  }
  return images;
}

std::unique_ptr<NativeControl> createControl(TControl& control, HWND parent) {
  switch (control.Kind()) {
    case TControlKind::Label:
      return std::make_unique<Label>(static_cast<TLabel&>(control), parent);
    case TControlKind::CheckBox:
      return std::make_unique<CheckBox>(static_cast<TCheckBox&>(control), parent);
    case TControlKind::SpeedButton:
      return std::make_unique<SpeedButton>(static_cast<TSpeedButton&>(control), parent);
    case TControlKind::SpinEdit:
      return std::make_unique<SpinEdit>(static_cast<TSpinEdit&>(control), parent);
    case TControlKind::ListBox:
      return std::make_unique<ListBox>(static_cast<TListBox&>(control), parent);
    case TControlKind::ComboBox:
      return std::make_unique<ComboBox>(static_cast<TComboBox&>(control), parent);
    case TControlKind::ListView:
      return std::make_unique<ListView>(static_cast<TListView&>(control), parent);
    case TControlKind::ProgressBar:
      return std::make_unique<ProgressBar>(static_cast<TProgressBar&>(control), parent);
    case TControlKind::HotKey:
      return std::make_unique<HotKey>(static_cast<THotKey&>(control), parent);
    case TControlKind::Image:
      return std::make_unique<Image>(static_cast<TImage&>(control), parent);
    case TControlKind::PageControl:
      return std::make_unique<PageControl>(static_cast<TPageControl&>(control), parent);
    case TControlKind::Panel:
    case TControlKind::TabSheet:
      return std::make_unique<Container>(control, parent);
    case TControlKind::Form:
      break;
  }
  return nullptr;
}

}  // namespace vantrel::win32
