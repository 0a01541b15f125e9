// Win32 only: the native window behind a framework control, and the routing of the notifications that
// standard controls send to their parent back to the control they came from.
#pragma once

#include <string>

#include "framework/application.h"
#include "framework/controls.h"
#include "platform/win32/windows_api.h"

namespace vantrel::win32 {

// Runs a piece of framework code for a window message; an error it raises goes to the application's error
// box.
template <typename Function>
void guarded(TComponent& component, Function function) {
  try {
    function();
  } catch (const std::exception& error) {
    if (TApplication* application = component.Application()) {
      application->HandleException(error);
    }
  }
}

class Win32Window : public NativeControl {
 public:
  Win32Window(TControl& control, HWND window);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  // The framework object of a window made by this layer; nullptr for any other window.
  static Win32Window* of(HWND window);

  HWND window() const { return window_; }
  TControl& control() const { return control_; }

  THandle Handle() const override { return reinterpret_cast<THandle>(window_); }
  void SetBounds(int left, int top, int width, int height) override;
  void SetText(const std::string& text) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetFont(const TFont& font) override;
  void SetHint(const std::string& hint) override;
  void SetFocus() override;
  void Repaint() override;

  // The form moved to a monitor of other dots per inch (already recorded for dpiOf): fonts and bounds anew.
  virtual void dpiChanged(int oldDpi, int newDpi);

  // Notifications from the window to its parent, handed back here.
  virtual void command(int) {}
  virtual LRESULT notify(NMHDR*) { return 0; }
  // Text colour and background of a static or button window; nullptr for the system's.
  virtual HBRUSH colors(HDC dc);
  // The menu of a right click at `position` (WM_CONTEXTMENU's: a point on the screen, -1 from the keyboard).
  virtual TPopupMenu* contextMenu(LPARAM position);

 protected:
  // Sends a message to the window without its notification coming back as the user's doing.
  LRESULT quietly(UINT message, WPARAM wParam, LPARAM lParam);
  // The same with the wide message, for text in UTF-16.
  LRESULT quietlyWide(UINT message, WPARAM wParam, LPARAM lParam);
  bool programmatic() const { return programmatic_ > 0; }

 private:
  TControl& control_;
  HWND window_;
  int programmatic_ = 0;
};

// The procedure of windows that hold controls (forms, pages, panels): it routes the controls' notifications,
// colours, cursors and context menus. Returns true when it handled the message.
bool routeContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Lays out every control inside a form anew at its new dots per inch, parents before their children.
void rescaleControls(const TWinControl& parent, int oldDpi, int newDpi);

HINSTANCE instance();
// The class of plain containers (pages, panels); registered once.
const char* containerClass();

}  // namespace vantrel::win32
