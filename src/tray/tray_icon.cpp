#include "tray/tray_icon.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/controls.h"
#include "framework/form.h"
#include "tray/tray_icon_handler.h"

namespace vantrel {

namespace {

constexpr std::uint32_t kTrayFlags = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
constexpr std::size_t kTipLength = sizeof(platform::NotifyIconDataA::szTip) - 1;
constexpr std::size_t kBalloonTextLength = sizeof(platform::NotifyIconDataA::szInfo) - 1;
constexpr std::size_t kBalloonTitleLength = sizeof(platform::NotifyIconDataA::szInfoTitle) - 1;
// shell32 5.0 shows balloons; 6.0 is the first that can keep one quiet.
constexpr std::uint32_t kBalloonShell = 5;
constexpr std::uint32_t kQuietBalloonShell = 6;
// The longest a balloon stays where the shell still asks (before Vista), in ms.
constexpr std::uint32_t kBalloonTimeout = 10000;
// Common controls 4.71: the shell of that version is the first to announce a re-created taskbar.
constexpr std::uint32_t kTaskbarCreatedVersion = 0x40047;

std::uint32_t taskbarCreated = 0;

platform::Services& servicesOf(TComponent* owner) {
  return owner->Application()->Services();
}

}  // namespace

TTrayIcon::TTrayIcon(TComponent* AOwner)
    : TComponent(AOwner),
      windows_(*servicesOf(AOwner).windowSystem),
      shell_(*servicesOf(AOwner).shell),
      iconHandle_(windows_) {
  notifyData_.uID = TTrayIconHandler::use(windows_, *this);
  notifyData_.cbSize = sizeof notifyData_;
  notifyData_.hWnd = TTrayIconHandler::window();
  notifyData_.uFlags = kTrayFlags;
  notifyData_.uCallbackMessage = TrayCallbackMessage;
  cycleTimer_ = std::make_unique<TSimpleTimer>(windows_);
  cycleTimer_->SetOnElapsed([this](TObject*) { guarded([this] { cycleStep(); }); });
  clickTimer_ = std::make_unique<TSimpleTimer>(windows_);
  clickTimer_->SetOnElapsed([this](TObject*) { guarded([this] { clickTimerTick(); }); });
  exitPollTimer_ = std::make_unique<TSimpleTimer>(windows_, kExitPollPeriod,
                                                  [this](TObject*) { guarded([this] { exitPoll(); }); });
  applicationHook_ =
      Application()->HookMainWindow([this](TMessage& message) { return applicationHook(message); });
  letTaskbarCreatedThrough();
  hookOwnerWindow();
}

TTrayIcon::~TTrayIcon() {
  SetIconVisible(false);
  SetDesignPreview(false);
  cycleTimer_.reset();
  clickTimer_.reset();
  exitPollTimer_.reset();
  iconHandle_.reset();
  Application()->UnhookMainWindow(applicationHook_);
  if (savedOwnerProc_) {
    windows_.SetWindowLongPtrA(ownerWindow_, platform::kGwlpWndProc, savedOwnerProc_);
    windows_.FreeWindowProc(ownerWindow_);
  }
  TTrayIconHandler::release(notifyData_.uID);
}

void TTrayIcon::SetIconList(TImageList* list) {
  iconList_ = list;
  SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool value) {
  cycleIcons_ = value;
  if (cycleIcons_) {
    SetIconIndex(0);
    cycleTimer_->SetPeriod(cycleInterval_);
    cycleTimer_->SetRunning(true);
  } else {
    cycleTimer_->SetRunning(false);
  }
}

void TTrayIcon::SetCycleInterval(std::uint32_t value) {
  cycleInterval_ = value;
  SetCycleIcons(cycleIcons_);
}

void TTrayIcon::SetHint(const std::string& value) {
  if (value == hint_) {
    return;
  }
  hint_ = value;
  UpdateTrayIcon();
}

void TTrayIcon::SetShowHint(bool value) {
  showHint_ = value;
  UpdateTrayIcon();
}

void TTrayIcon::SetIcon(const TIcon& value) {
  assignIcon(value, false);
  UpdateTrayIcon();
}

void TTrayIcon::SetIconVisible(bool value) {
  if (value) {
    AddTrayIcon();
  } else {
    RemoveTrayIcon();
  }
}

void TTrayIcon::SetIconIndex(std::int32_t value) {
  if (iconList_) {
    iconIndex_ = std::min(value, iconList_->Count() - 1);
    assignIcon(iconList_->GetIcon(iconIndex_), false);
  } else {
    iconIndex_ = 0;
  }
  UpdateTrayIcon();
}

void TTrayIcon::SetWantEnterExitEvents(bool value) {
  wantEnterExitEvents_ = value;
  exitPollTimer_->SetRunning(value);
}

bool TTrayIcon::AddTrayIcon() {
  iconVisible_ = true;
  FillNotifyData();
  return shell_.Shell_NotifyIconA(platform::kNimAdd, notifyData_);
}

bool TTrayIcon::RemoveTrayIcon() {
  iconVisible_ = false;
  FillNotifyData();
  return shell_.Shell_NotifyIconA(platform::kNimDelete, notifyData_);
}

bool TTrayIcon::UpdateTrayIcon() {
  if (updating_ > 0) {
    updatePending_ = true;
    return false;
  }
  FillNotifyData();
  return shell_.Shell_NotifyIconA(platform::kNimModify, notifyData_);
}

void TTrayIcon::BeginUpdate() {
  ++updating_;
}

void TTrayIcon::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0 && std::exchange(updatePending_, false)) {
    UpdateTrayIcon();
  }
}

bool TTrayIcon::ShowBalloonHint(const std::string& title, const std::string& text) {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  if (!shell_.DllGetVersion("shell32.dll", major, minor) || major < kBalloonShell) {
    return false;
  }
  FillNotifyData();
  platform::NotifyIconDataA balloon = notifyData_;
  balloon.uFlags |= platform::kNifInfo;
  text.copy(balloon.szInfo, kBalloonTextLength);
  title.copy(balloon.szInfoTitle, kBalloonTitleLength);
  balloon.dwInfoFlags = platform::kNiifInfo | (major >= kQuietBalloonShell ? platform::kNiifNoSound : 0);
  balloon.uVersion = kBalloonTimeout;
  return shell_.Shell_NotifyIconA(platform::kNimModify, balloon);
}

bool TTrayIcon::FillNotifyData() {
  notifyData_.hIcon = iconHandle_.get();
  std::memset(notifyData_.szTip, 0, sizeof notifyData_.szTip);
  if (!hint_.empty() && showHint_) {
    hint_.copy(notifyData_.szTip, kTipLength);
  }
  return true;
}

void TTrayIcon::ShowMainWindow() {
  TApplication* application = Application();
  TForm* main = application->MainForm();
  if (!ownerIsWindow() || !main) {
    return;
  }
  if (application->Minimized()) {
    application->Restore();
  }
  if (main->WindowState() == TWindowState::wsMinimized) {
    main->SetWindowState(TWindowState::wsNormal);
  }
  main->Show();
  windows_.SetForegroundWindow(application->Handle());
}

void TTrayIcon::HideMainWindow() {
  TForm* main = Application()->MainForm();
  if (!ownerIsWindow() || !main) {
    return;
  }
  main->Hide();
  HideTaskbarButton();
}

void TTrayIcon::HideTaskbarButton() {
  // The taskbar button belongs to the hidden application window, not to the main window.
  Application()->HideTaskbarButton();
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  hookOwnerWindow();
  if (ownerIsWindow()) {
    bool showMainForm = true;
    if (OnStartup) {
      OnStartup(this, showMainForm);
    }
    if (!showMainForm) {
      Application()->ShowMainForm = false;
      HideMainWindow();
    }
  }
  UpdateTrayIcon();
  SetIconVisible(iconVisible_);
  SetCycleIcons(cycleIcons_);
  SetWantEnterExitEvents(wantEnterExitEvents_);
  notifyData_.uVersion = 0;
  shell_.Shell_NotifyIconA(platform::kNimSetVersion, notifyData_);
}

void TTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) {
    return;
  }
  if (AComponent == iconList_) {
    SetIconList(nullptr);
  }
  if (AComponent == PopupMenu) {
    PopupMenu = nullptr;
  }
}

void TTrayIcon::TrayCallback(std::uint32_t message) {
  guarded([&] { dispatch(message); });
}

void TTrayIcon::dispatch(std::uint32_t message) {
  switch (message) {
    case platform::kNinBalloonShow:
      return notify(OnBalloonHintShow);
    case platform::kNinBalloonHide:
      return notify(OnBalloonHintHide);
    case platform::kNinBalloonTimeout:
      return notify(OnBalloonHintTimeout);
    case platform::kNinBalloonUserClick:
      return notify(OnBalloonHintClick);
    default:
      break;
  }
  if (!Enabled) {
    return;
  }
  switch (message) {
    case platform::kWmMouseMove:
      return mouseMove();
    case platform::kWmLButtonDown:
      return leftButtonDown();
    case platform::kWmLButtonUp:
      return leftButtonUp();
    case platform::kWmLButtonDblClk:
      return leftButtonDblClk();
    case platform::kWmRButtonDown:
      buttonDown(TMouseButton::mbRight, ssRight);
      return ShowPopupMenu();
    case platform::kWmRButtonUp:
      return buttonUp(TMouseButton::mbRight, ssRight);
    case platform::kWmMButtonDown:
      return buttonDown(TMouseButton::mbMiddle, ssMiddle);
    case platform::kWmMButtonUp:
      return buttonUp(TMouseButton::mbMiddle, ssMiddle);
    default:
      return;
  }
}

void TTrayIcon::notify(const TNotifyEvent& event) {
  if (event) {
    event(this);
  }
}

void TTrayIcon::mouseMove() {
  if (wantEnterExitEvents_ && pointerOutside_) {
    DoMouseEnter();
    pointerOutside_ = false;
  }
  const platform::Point at = pointer();
  DoMouseMove(CurrentShiftState(), at.x, at.y);
  lastPointer_ = at;
}

void TTrayIcon::leftButtonDown() {
  if (OnDblClick) {
    clickTimer_->SetPeriod(windows_.GetDoubleClickTime());
    clickTimer_->SetRunning(true);
  }
  buttonDown(TMouseButton::mbLeft, ssLeft);
  pressed_ = true;
  if (LeftPopup) {
    ShowPopupMenu();
  }
}

void TTrayIcon::leftButtonUp() {
  // A release within the double-click time leaves the click to the click timer; a later one clicks now.
  if (pressed_) {
    clickPending_ = true;
    if (!clickTimer_->Running()) {
      pressed_ = false;
      clickPending_ = false;
      DoClick();
    }
  }
  pressed_ = false;
  buttonUp(TMouseButton::mbLeft, ssLeft);
}

void TTrayIcon::leftButtonDblClk() {
  clickPending_ = false;
  doubleClickSeen_ = true;
  DoDblClick();
  clickDefaultItem();
}

void TTrayIcon::buttonDown(TMouseButton button, TShiftState flag) {
  const platform::Point at = pointer();
  DoMouseDown(button, CurrentShiftState() | flag, at.x, at.y);
}

void TTrayIcon::buttonUp(TMouseButton button, TShiftState flag) {
  const platform::Point at = pointer();
  DoMouseUp(button, CurrentShiftState() | flag, at.x, at.y);
}

void TTrayIcon::clickDefaultItem() {
  if (!PopupMenu || !PopupMenu->AutoPopup || LeftPopup) {
    return;
  }
  const std::vector<TMenuItem*>& items = PopupMenu->Items();
  const auto first =
      std::find_if(items.begin(), items.end(), [](const TMenuItem* item) { return item->Default; });
  if (first != items.end()) {
    (*first)->Click();
  }
}

void TTrayIcon::clickTimerTick() {
  clickTimer_->SetRunning(false);
  if (!doubleClickSeen_ && clickPending_) {
    clickPending_ = false;
    DoClick();
  }
  doubleClickSeen_ = false;
}

void TTrayIcon::ShowPopupMenu() {
  platform::Point at;
  if (!PopupMenu || !PopupMenu->AutoPopup || !windows_.GetCursorPos(at)) {
    return;
  }
  // Without the foreground the menu would stay open when the user clicks elsewhere.
  windows_.SetForegroundWindow(Application()->Handle());
  Application()->ProcessMessages();
  // What ran meanwhile may have taken the menu away.
  if (!PopupMenu) {
    return;
  }
  PopupMenu->PopupComponent = this;
  PopupMenu->Popup(at.x, at.y);
  // Lets the menu's window go before the next click on the icon.
  if (ownerIsWindow()) {
    windows_.PostMessageA(static_cast<TControl*>(Owner())->Handle(), platform::kWmNull, 0, 0);
  }
}

TShiftState TTrayIcon::CurrentShiftState() const {
  const auto down = [this](int key) { return (windows_.GetAsyncKeyState(key) & 0x8000) != 0; };
  TShiftState state = 0;
  if (down(platform::kVkShift)) {
    state |= ssShift;
  }
  if (down(platform::kVkControl)) {
    state |= ssCtrl;
  }
  if (down(platform::kVkMenu)) {
    state |= ssAlt;
  }
  return state;
}

void TTrayIcon::exitPoll() {
  // The shell reports moves only over the icon: any other position means that the pointer has left it.
  platform::Point at;
  if (pointerOutside_ || !windows_.GetCursorPos(at) || at == lastPointer_) {
    return;
  }
  pointerOutside_ = true;
  DoMouseExit();
}

void TTrayIcon::cycleStep() {
  if (iconList_) {
    assignIcon(iconList_->GetIcon(iconIndex_), true);
  }
  DoCycle();
  SetIconIndex(nextIndex());
}

std::int32_t TTrayIcon::nextIndex() const {
  return iconList_ && iconIndex_ < iconList_->Count() - 1 ? iconIndex_ + 1 : 0;
}

void TTrayIcon::assignIcon(const TIcon& icon, bool notify) {
  icon_ = icon;
  iconHandle_.load(icon_);
  if (notify) {
    iconChanged();
  }
}

void TTrayIcon::iconChanged() {
  UpdateTrayIcon();
}

platform::Point TTrayIcon::pointer() const {
  platform::Point at;
  windows_.GetCursorPos(at);
  return at;
}

void TTrayIcon::DoClick() {
  notify(OnClick);
}

void TTrayIcon::DoDblClick() {
  notify(OnDblClick);
}

void TTrayIcon::DoCycle() {
  if (OnCycle) {
    OnCycle(this, nextIndex());
  }
}

void TTrayIcon::DoMouseDown(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (OnMouseDown) {
    OnMouseDown(this, Button, Shift, X, Y);
  }
}

void TTrayIcon::DoMouseUp(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (OnMouseUp) {
    OnMouseUp(this, Button, Shift, X, Y);
  }
}

void TTrayIcon::DoMouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (OnMouseMove) {
    OnMouseMove(this, Shift, X, Y);
  }
}

void TTrayIcon::DoMouseEnter() {
  notify(OnMouseEnter);
}

void TTrayIcon::DoMouseExit() {
  notify(OnMouseExit);
}

void TTrayIcon::DoMinimizeToTray() {
  HideMainWindow();
  SetIconVisible(true);
}

bool TTrayIcon::applicationHook(TMessage& message) {
  if (message.Msg == platform::kWmSize && message.WParam == platform::kSizeMinimized && MinimizeToTray) {
    DoMinimizeToTray();
  }
  if (message.Msg == platform::kWmSysCommand && message.WParam == platform::kScRestore) {
    if (TForm* main = Application()->MainForm()) {
      main->Show();
    }
  }
  // The shell has re-created the taskbar, without the icons it showed.
  if (taskbarCreated != 0 && message.Msg == taskbarCreated && iconVisible_) {
    AddTrayIcon();
  }
  return false;
}

void TTrayIcon::letTaskbarCreatedThrough() {
  // An elevated process's message filter keeps out the shell's broadcast, which comes from a lower level.
  const platform::HWnd window = Application()->Handle();
  if (taskbarCreated != 0 && window != 0 && windows_.GetTokenElevation()) {
    windows_.ChangeWindowMessageFilterEx(window, taskbarCreated);
  }
}

void TTrayIcon::hookOwnerWindow() {
  if (savedOwnerProc_ || !ownerIsWindow()) {
    return;
  }
  const platform::HWnd window = static_cast<TControl*>(Owner())->Handle();
  if (window == 0) {
    return;
  }
  const platform::WndProc replacement = windows_.MakeWindowProc(
      window, [this](platform::HWnd target, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) { return ownerWindowProc(target, message, wParam, lParam); });
  const platform::WndProc saved = windows_.GetWindowLongPtrA(window, platform::kGwlpWndProc);
  if (saved == 0 || windows_.SetWindowLongPtrA(window, platform::kGwlpWndProc, replacement) == 0) {
    windows_.FreeWindowProc(window);
    return;
  }
  ownerWindow_ = window;
  savedOwnerProc_ = saved;
}

std::intptr_t TTrayIcon::ownerWindowProc(platform::HWnd window, std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
  if (message == platform::kWmShowWindow && wParam == 1 && lParam == 0) {
    windows_.SetForegroundWindow(Application()->Handle());
    windows_.SetForegroundWindow(window);
  }
  const bool minimizing = (message == platform::kWmShowWindow && wParam == 0 &&
                           lParam == platform::kSwParentClosing && !Application()->Terminated()) ||
                          (message == platform::kWmSysCommand && wParam == platform::kScMinimize);
  if (minimizing && minimizeStep()) {
    return 1;
  }
  return windows_.CallWindowProcA(savedOwnerProc_, window, message, wParam, lParam);
}

bool TTrayIcon::minimizeStep() {
  if (!MinimizeToTray || !OnMinimizeToTray) {
    return false;
  }
  guarded([this] {
    OnMinimizeToTray(this);
    DoMinimizeToTray();
  });
  return true;
}

bool TTrayIcon::ownerIsWindow() const {
  return dynamic_cast<TWinControl*>(Owner()) != nullptr;
}

template <typename Function>
void TTrayIcon::guarded(Function function) {
  try {
    function();
  } catch (const std::exception& error) {
    Application()->HandleException(error);
  }
}

std::uint32_t TaskbarCreatedMessage() {
  return taskbarCreated;
}

void StartupTrayIcon(platform::Services& services) {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  if (services.shell->DllGetVersion("comctl32.dll", major, minor) &&
      ((major << 16) | minor) >= kTaskbarCreatedVersion) {
    taskbarCreated = services.windowSystem->RegisterWindowMessageA("TaskbarCreated");
  }
}

void ShutdownTrayIcon() {
  taskbarCreated = 0;
}

platform::HWnd TrayIconWindow() {
  return TTrayIconHandler::window();
}

}  // namespace vantrel
