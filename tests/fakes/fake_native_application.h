// A native side without windows: it keeps what the framework mirrors into each control, and fires the
// framework's timers on a manual clock that a test advances.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fake_clock.h"
#include "framework/native.h"

namespace vantrel::fakes {

// What the framework last mirrored into one control's native window.
struct FakeControl final : NativeControl {
  using Registry = std::map<const TControl*, FakeControl*>;
  FakeControl(const TControl& control, THandle handle, Registry& registry);
  ~FakeControl() override;
  FakeControl(const FakeControl&) = delete;
  FakeControl& operator=(const FakeControl&) = delete;

  THandle Handle() const override { return handle; }
  void SetBounds(int, int, int, int) override {}
  void SetText(const std::string& value) override { text = value; }
  void SetVisible(bool value) override { visible = value; }
  void SetEnabled(bool value) override { enabled = value; }
  void SetFont(const TFont&) override {}
  void SetHint(const std::string& value) override { hint = value; }
  void SetFocus() override { ++focused; }
  void Repaint() override { ++repaints; }
  void SetItems(const std::vector<std::string>& value) override { items = value; }
  void SetItemIndex(int value) override { itemIndex = value; }
  void SetRange(int min, int max) override { range = {min, max}; }
  void SetPosition(int value) override { position = value; }
  void SetChecked(bool value) override { checked = value; }
  void SetRows(const std::vector<TListRow>& value) override {
    rows = value;
    ++rowResets;
  }
  void InsertRow(int index, const TListRow& row) override {
    rows.insert(rows.begin() + index, row);
    rowsChangedWhileDrawing += updating == 0;
  }
  void DeleteRow(int index) override {
    rows.erase(rows.begin() + index);
    rowsChangedWhileDrawing += updating == 0;
  }
  void SetRowText(int index, int column, const std::string& text) override {
    rows[index].SubItems[column - 1] = text;
  }
  void BeginUpdate() override { ++updating; }
  void EndUpdate() override { --updating; }
  void SetRowSelected(int index, bool selected) override { rows[index].Selected = selected; }
  void MakeRowVisible(int index) override { visibleRows.push_back(index); }
  void PostSetFocus() override { ++postedFocus; }

  THandle handle;
  std::string text;
  std::string hint;
  bool visible = false;
  bool enabled = false;
  bool checked = false;
  int focused = 0;
  int repaints = 0;
  std::vector<std::string> items;
  int itemIndex = -1;
  std::pair<int, int> range{0, 0};
  int position = 0;
  std::vector<TListRow> rows;
  int rowResets = 0;  // times every row was sent anew
  int updating = 0;   // open BeginUpdate calls
  int rowsChangedWhileDrawing = 0;
  std::vector<int> visibleRows;
  int postedFocus = 0;

 private:
  const TControl& control_;
  Registry& registry_;
};

class FakeNativeApplication final : public NativeApplication {
  std::unique_ptr<FakeClock> ownClock_;
  FakeClock& clock_;

 public:
  // With a clock of its own, or with the one the other fakes keep time on.
  FakeNativeApplication();
  explicit FakeNativeApplication(FakeClock& clock);
  ~FakeNativeApplication() override;

  void Attach(TApplication&) override {}
  THandle Handle() const override { return 1; }
  void SetTitle(const std::string& value) override { title = value; }
  void SetAppWindowState(bool visible, bool minimized) override;
  std::unique_ptr<NativeControl> CreateForm(TForm& form) override;
  std::unique_ptr<NativeControl> CreateControl(TControl& control, NativeControl& parent) override;
  std::unique_ptr<NativeTimer> CreateTimer(std::uint32_t interval, std::function<void()> tick) override;
  std::unique_ptr<NativeImageList> CreateImageList(const TImageList& list) override;
  int TrackPopupMenu(const std::vector<TMenuItem*>& items, int x, int y, THandle owner) override;
  void ProcessMessages() override { ++processed; }
  void RunMessageLoop() override {}
  // What the user does while a modal form shows; without it the form ends as nothing answered it.
  void RunModal(TForm& form, const std::function<bool()>&) override {
    if (whileModal) {
      whileModal(form);
    }
  }
  std::function<void(TForm&)> whileModal;
  void Quit() override { ++quits; }

  // The native window of a control, or nullptr while it has none.
  FakeControl* of(const TControl& control) const;

  // The clock, in milliseconds from the start, and its controls (see FakeClock).
  std::uint64_t now() const { return clock_.now(); }
  void advance(std::uint64_t ms) { clock_.advance(ms); }
  void elapse(std::uint64_t ms) { clock_.elapse(ms); }
  // When each timer firing happened, in order.
  std::vector<std::uint64_t>& firings;
  int liveTimers() const { return clock_.liveTimers(); }

  std::string title;
  bool appWindowVisible = false;
  bool appWindowMinimized = false;
  // How often the application window was shown, minimised or not.
  int appWindowShows = 0;
  int quits = 0;
  int processed = 0;
  // The answer of the next popup menu: an item index, -1 for none; the items each menu showed, and where.
  int menuAnswer = -1;
  std::vector<std::vector<std::string>> menus;
  std::vector<std::pair<int, int>> menuPositions;

 private:
  class TimerHandle;

  FakeControl::Registry controls_;
  THandle nextHandle_ = 0x100;
};

}  // namespace vantrel::fakes
