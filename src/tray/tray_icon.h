// TTrayIcon: one icon in the notification area. It adds, changes and removes the icon through the shell,
// turns the shell's callbacks into events (clicks, double clicks, buttons, moves, enter and exit, balloons),
// opens its popup menu at the pointer, can step through the images of a list, and takes the main window into
// the notification area when it is minimised or when the program starts hidden.
//
// The callbacks of every tray icon of the process arrive at one shared hidden window, which hands each to the
// icon its id names. The icon's timers (cycling, single-click detection, exit polling) are TSimpleTimers.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/application.h"
#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/image_list.h"
#include "framework/menus.h"
#include "platform/services.h"
#include "tray/icon_handle.h"
#include "tray/simple_timer.h"

namespace vantrel {

enum class TMouseButton : std::uint8_t { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// Keys and buttons held, one bit each.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
constexpr TShiftState ssDouble = 0x40;

// X and Y are the pointer's screen position when the callback was handled.
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                       std::int32_t X, std::int32_t Y)>;
using TMouseMoveEvent =
    std::function<void(TObject* Sender, TShiftState Shift, std::int32_t X, std::int32_t Y)>;
using TCycleEvent = std::function<void(TObject* Sender, std::int32_t NextIndex)>;
// ShowMainForm comes in true; false keeps the main window hidden from the start.
using TStartupEvent = std::function<void(TObject* Sender, bool& ShowMainForm)>;

// The message the shell sends the shared window for every tray icon.
constexpr std::uint32_t TrayCallbackMessage = platform::kWmUser + 0x400;
// The exit poll's period, in ms.
constexpr std::uint32_t kExitPollPeriod = 20;

class TTrayIcon : public TComponent {
 public:
  // The owner must belong to an application, whose services the icon uses.
  explicit TTrayIcon(TComponent* AOwner);
  ~TTrayIcon() override;

  // Only a form designer shows a preview; the running program keeps the flag and nothing else.
  bool DesignPreview() const { return designPreview_; }
  void SetDesignPreview(bool value) { designPreview_ = value; }
  TImageList* IconList() const { return iconList_; }
  // Selects image 0 of the new list.
  void SetIconList(TImageList* list);
  bool CycleIcons() const { return cycleIcons_; }
  void SetCycleIcons(bool value);
  std::uint32_t CycleInterval() const { return cycleInterval_; }
  void SetCycleInterval(std::uint32_t value);
  // While false, no mouse callback raises an event; balloon callbacks still do.
  bool Enabled = true;
  const std::string& Hint() const { return hint_; }
  // The same text again goes to the shell no more.
  void SetHint(const std::string& value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  const TIcon& Icon() const { return icon_; }
  void SetIcon(const TIcon& value);
  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool value);
  std::int32_t IconIndex() const { return iconIndex_; }
  // With a list: the index, capped at its last image, and that image as the icon (none outside the list).
  // Without one: 0, and the icon stays.
  void SetIconIndex(std::int32_t value);
  TPopupMenu* PopupMenu = nullptr;
  // The left button opens the menu too.
  bool LeftPopup = false;
  bool WantEnterExitEvents() const { return wantEnterExitEvents_; }
  void SetWantEnterExitEvents(bool value);
  bool MinimizeToTray = false;

  TNotifyEvent OnClick;
  // Assigned, it also delays OnClick by the double-click time, so that a double click raises no click.
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TCycleEvent OnCycle;
  TNotifyEvent OnBalloonHintShow;
  TNotifyEvent OnBalloonHintHide;
  TNotifyEvent OnBalloonHintTimeout;
  TNotifyEvent OnBalloonHintClick;
  TNotifyEvent OnMinimizeToTray;
  TStartupEvent OnStartup;

  // NIM_ADD, NIM_DELETE and NIM_MODIFY; true when the shell carried them out. Adding and removing set
  // IconVisible whatever the shell says.
  virtual bool AddTrayIcon();
  virtual bool RemoveTrayIcon();
  virtual bool UpdateTrayIcon();
  // Between these two, the changes of image and tip go to the shell as one NIM_MODIFY at the end (none when
  // nothing changed); UpdateTrayIcon meanwhile sends nothing and answers false.
  void BeginUpdate();
  void EndUpdate();
  // A balloon over the icon with the information icon and no sound (the sound only where the shell can keep
  // quiet: shell32 6 on). Shells older than shell32 5 have no balloons: nothing is sent and the answer is
  // false. The record then goes on without the balloon, so that no later change shows it again.
  bool ShowBalloonHint(const std::string& title, const std::string& text);

  // The main window brought back from the notification area: restored, visible, the application in front.
  void ShowMainWindow();
  // The main window and its taskbar button hidden.
  void HideMainWindow();
  void HideTaskbarButton();

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The id the shell names this icon by; unique among the process's live icons.
  std::uint32_t IconId() const { return notifyData_.uID; }
  const platform::NotifyIconDataA& NotifyData() const { return notifyData_; }
  // One callback of the shell: a mouse or balloon message.
  void TrayCallback(std::uint32_t message);

 protected:
  virtual void DoClick();
  virtual void DoDblClick();
  virtual void DoCycle();
  virtual void DoMouseDown(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y);
  virtual void DoMouseUp(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y);
  virtual void DoMouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y);
  virtual void DoMouseEnter();
  virtual void DoMouseExit();
  virtual void DoMinimizeToTray();

  // Puts the icon's image and tip into the shell record.
  bool FillNotifyData();
  void ShowPopupMenu();
  // Shift, Ctrl and Alt as they are held now.
  TShiftState CurrentShiftState() const;
  platform::WindowSystem& Windows() const { return windows_; }

 private:
  void dispatch(std::uint32_t message);
  void notify(const TNotifyEvent& event);
  void mouseMove();
  void leftButtonDown();
  void leftButtonUp();
  void leftButtonDblClk();
  void buttonDown(TMouseButton button, TShiftState flag);
  void buttonUp(TMouseButton button, TShiftState flag);
  void clickDefaultItem();
  void clickTimerTick();
  void cycleStep();
  void exitPoll();
  std::int32_t nextIndex() const;
  // Copies an image into Icon, with the change notification (which updates the tray) when `notify` is set.
  void assignIcon(const TIcon& icon, bool notify);
  void iconChanged();
  platform::Point pointer() const;

  bool applicationHook(TMessage& message);
  // The application window, which watches for "TaskbarCreated", receives it even when this process runs
  // elevated.
  void letTaskbarCreatedThrough();
  void hookOwnerWindow();
  std::intptr_t ownerWindowProc(platform::HWnd window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam);
  // Takes a minimising of the main window when there is an OnMinimizeToTray handler.
  bool minimizeStep();
  bool ownerIsWindow() const;
  // An event handler's error goes to the application's error box.
  template <typename Function>
  void guarded(Function function);

  platform::WindowSystem& windows_;
  platform::Shell& shell_;
  TIcon icon_;
  IconHandle iconHandle_;
  bool iconVisible_ = false;
  std::string hint_;
  bool showHint_ = true;
  bool pressed_ = false;
  bool clickPending_ = false;
  std::unique_ptr<TSimpleTimer> cycleTimer_;
  std::unique_ptr<TSimpleTimer> clickTimer_;
  std::unique_ptr<TSimpleTimer> exitPollTimer_;
  platform::Point lastPointer_;
  bool pointerOutside_ = true;
  bool wantEnterExitEvents_ = false;
  bool doubleClickSeen_ = false;
  std::int32_t iconIndex_ = 0;
  bool designPreview_ = false;
  TImageList* iconList_ = nullptr;
  bool cycleIcons_ = false;
  std::uint32_t cycleInterval_ = 0;
  int applicationHook_ = 0;
  platform::HWnd ownerWindow_ = 0;
  platform::WndProc savedOwnerProc_ = 0;
  platform::NotifyIconDataA notifyData_;
  int updating_ = 0;
  bool updatePending_ = false;
};

// Holds an icon's changes from its making to its end, also when one of them throws (BeginUpdate, EndUpdate).
class TTrayIconUpdate {
 public:
  explicit TTrayIconUpdate(TTrayIcon& icon) : icon_(icon) { icon_.BeginUpdate(); }
  ~TTrayIconUpdate() { icon_.EndUpdate(); }
  TTrayIconUpdate(const TTrayIconUpdate&) = delete;
  TTrayIconUpdate& operator=(const TTrayIconUpdate&) = delete;

 private:
  TTrayIcon& icon_;
};

// The number of the shell's "TaskbarCreated" message; 0 while it is not registered.
std::uint32_t TaskbarCreatedMessage();
// Module start-up: registers "TaskbarCreated" when the common controls are 4.71 or later (older shells do
// not send it). Shutdown forgets it.
void StartupTrayIcon(platform::Services& services);
void ShutdownTrayIcon();

// The shared hidden window of every live TTrayIcon; 0 when there is none. For tests.
platform::HWnd TrayIconWindow();

}  // namespace vantrel
