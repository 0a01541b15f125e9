// The operating system's side of the application and its windows. A framework object without one works
// headless (unit tests); with one, it mirrors its state into a native window and takes the user's input back
// through the framework object's public methods.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics.h"

namespace vantrel {

class TControl;
class TForm;
class TImageList;
class TMenuItem;

// Opaque handle of a native window (an HWND on Windows); 0 for none.
using THandle = std::uintptr_t;

struct TListColumn {
  std::string Caption;
  int Width = 50;
};

struct TListRow {
  std::string Caption;
  std::vector<std::string> SubItems;
  int ImageIndex = -1;
  bool Selected = false;
  // Not shown: what the program knows the row by, where that is not its caption.
  std::string Key = {};
  // Not shown: the text that the row stands for, where a cell shows it changed.
  std::string Value = {};
  // Not shown: a number the program keeps with the row, as what kind of entry it is (0 unless it says).
  int Tag = 0;
  // The row's box, in a list with check boxes.
  bool Checked = false;
  // Shown when the pointer rests on the row, in a list with hints; empty: the cut-off cell's text.
  std::string Tip = {};
};

class NativeControl {
 public:
  virtual ~NativeControl() = default;
  virtual THandle Handle() const = 0;
  virtual void SetBounds(int left, int top, int width, int height) = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetFont(const TFont& font) = 0;
  virtual void SetHint(const std::string& hint) = 0;
  virtual void SetFocus() = 0;
  virtual void Repaint() = 0;

  // State that only some kinds have; the others ignore it.
  virtual void SetItems(const std::vector<std::string>&) {}
  virtual void SetItemIndex(int) {}
  virtual void SetRange(int, int) {}
  virtual void SetPosition(int) {}
  virtual void SetHotKey(std::uint16_t) {}
  // A bitmap to show, stretched to the control; its owner keeps it until another replaces it.
  virtual void SetBitmap(std::uintptr_t) {}
  virtual void SetChecked(bool) {}
  virtual void SetMinimized(bool) {}
  // A form: owned by that window from now on (kept above it), and placed over its middle.
  virtual void CentreOver(THandle) {}
  virtual void SetColumns(const std::vector<TListColumn>&) {}
  // Every row anew; a change of one row goes by the calls after it, which keep the scroll position.
  virtual void SetRows(const std::vector<TListRow>&) {}
  virtual void InsertRow(int, const TListRow&) {}
  // The text of one sub-item (1 on) of a row.
  virtual void SetRowText(int, int, const std::string&) {}
  virtual void DeleteRow(int) {}
  virtual void SetRowSelected(int, bool) {}
  virtual void SetRowChecked(int, bool) {}
  virtual void MakeRowVisible(int) {}
  // Tells the control that it has the focus, once the message being handled is done.
  virtual void PostSetFocus() {}
  // Between these two the control takes changes without drawing them; the end draws it once.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
};

class NativeTimer {
 public:
  virtual ~NativeTimer() = default;
};

class NativeImageList {
 public:
  virtual ~NativeImageList() = default;
  virtual THandle Handle() const = 0;
};

class TApplication;

// The window class of the hidden application window, by which another process finds it.
constexpr char kApplicationWindowClass[] = "TApplication";

class NativeApplication {
 public:
  virtual ~NativeApplication() = default;
  // Called once by the application object that this native side serves.
  virtual void Attach(TApplication& application) = 0;
  // The hidden application window, which carries the taskbar button.
  virtual THandle Handle() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // Shows the application window minimised (true) or restored (false), or hides it (visible false).
  virtual void SetAppWindowState(bool visible, bool minimized) = 0;

  virtual std::unique_ptr<NativeControl> CreateForm(TForm& form) = 0;
  virtual std::unique_ptr<NativeControl> CreateControl(TControl& control, NativeControl& parent) = 0;
  // A window timer that calls `tick` every `interval` ms until destroyed; the countdown starts now.
  virtual std::unique_ptr<NativeTimer> CreateTimer(std::uint32_t interval, std::function<void()> tick) = 0;
  virtual std::unique_ptr<NativeImageList> CreateImageList(const TImageList& list) = 0;
  // Shows a menu of the given items at a screen position and returns the chosen item's index, -1 for none.
  virtual int TrackPopupMenu(const std::vector<TMenuItem*>& items, int x, int y, THandle owner) = 0;

  // Delivers the messages that are waiting now, and returns.
  virtual void ProcessMessages() = 0;
  // Delivers messages until Quit is called.
  virtual void RunMessageLoop() = 0;
  // Delivers messages while the modal form `form` shows, until `done` says so after a message, or Quit is
  // called (which the program's own loop then sees too).
  virtual void RunModal(TForm& form, const std::function<bool()>& done) = 0;
  virtual void Quit() = 0;
};

}  // namespace vantrel
