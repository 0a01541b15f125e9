// The tray icon on the fake shell and window system: the shell's callbacks turned into events, on the clock
// that the click and poll timers run on; the record sent to the shell; images and cycling; the hooks.
#include "tray/tray_icon.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_native_application.h"
#include "fake_services.h"
#include "framework/form.h"

namespace vantrel {
namespace {

using platform::kWmLButtonDblClk;
using platform::kWmLButtonDown;
using platform::kWmLButtonUp;

class Tray : public ::testing::Test {
 protected:
  Tray() {
    StartupTrayIcon(fakes.services);
    auto native = std::make_unique<fakes::FakeNativeApplication>(fakes.clock);
    app = native.get();
    application = std::make_unique<TApplication>(fakes.services, std::move(native));
    form = application->CreateForm<TForm>();
    menu = new TPopupMenu(form);
    new TMenuItem(form, menu, "&Show");
    list = new TImageList(form);
    icon = new TTrayIcon(form);
    icon->PopupMenu = menu;
    icon->OnClick = [this](TObject*) { record("click"); };
    icon->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, std::int32_t x,
                               std::int32_t y) {
      record("down" + std::to_string(static_cast<int>(button)) + "/" + std::to_string(shift) + "@" +
             std::to_string(x) + "," + std::to_string(y));
    };
    icon->OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, std::int32_t, std::int32_t) {
      record("up" + std::to_string(static_cast<int>(button)));
    };
    icon->Loaded();
  }
  ~Tray() override {
    application.reset();
    ShutdownTrayIcon();
  }

  void record(const std::string& event) { events.push_back(event + " " + std::to_string(fakes.clock.now())); }
  void callback(std::uint32_t message) {
    fakes.windowSystem.SendMessageA(TrayIconWindow(), TrayCallbackMessage, icon->IconId(), message);
  }
  // Callbacks at the given times, then the clock runs on to `end`.
  void script(const std::vector<std::pair<std::uint64_t, std::uint32_t>>& steps, std::uint64_t end) {
    for (const auto& [at, message] : steps) {
      fakes.clock.advance(at - fakes.clock.now());
      callback(message);
    }
    fakes.clock.advance(end - fakes.clock.now());
  }
  std::vector<std::uint32_t> shellCalls() const { return fakes.shell.messages(); }

  fakes::FakeServices fakes;
  fakes::FakeNativeApplication* app = nullptr;
  std::unique_ptr<TApplication> application;
  TForm* form = nullptr;
  TPopupMenu* menu = nullptr;
  TImageList* list = nullptr;
  TTrayIcon* icon = nullptr;
  std::vector<std::string> events;
};

TEST_F(Tray, LeftClicksWithAndWithoutADoubleClickHandler) {
  struct Case {
    const char* name;
    bool dblClickHandler;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> steps;
    std::vector<std::string> events;
  };
  // The double-click time is 500 ms; "down0/8@100,200" is the left button with ssLeft at the pointer.
  const std::vector<Case> cases = {
      {"click at the release",
       false,
       {{0, kWmLButtonDown}, {100, kWmLButtonUp}},
       {"down0/8@100,200 0", "click 100", "up0 100"}},
      {"click one double-click time after the press",
       true,
       {{0, kWmLButtonDown}, {100, kWmLButtonUp}},
       {"down0/8@100,200 0", "up0 100", "click 500"}},
      {"a double click and no click",
       true,
       {{0, kWmLButtonDown}, {100, kWmLButtonUp}, {200, kWmLButtonDblClk}, {300, kWmLButtonUp}},
       {"down0/8@100,200 0", "up0 100", "dblclick 200", "up0 300"}},
      {"a press held past the double-click time clicks at the release",
       true,
       {{0, kWmLButtonDown}, {700, kWmLButtonUp}},
       {"down0/8@100,200 0", "click 700", "up0 700"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events.clear();
    icon->OnDblClick = nullptr;
    if (c.dblClickHandler) {
      icon->OnDblClick = [this](TObject*) { record("dblclick"); };
    }
    const std::uint64_t start = fakes.clock.now();
    std::vector<std::pair<std::uint64_t, std::uint32_t>> steps;
    for (const auto& [at, message] : c.steps) {
      steps.emplace_back(start + at, message);
    }
    script(steps, start + 2000);
    std::vector<std::string> expected;
    for (const std::string& event : c.events) {
      const auto space = event.rfind(' ');
      expected.push_back(event.substr(0, space + 1) +
                         std::to_string(start + std::stoull(event.substr(space + 1))));
    }
    EXPECT_EQ(events, expected);
  }
}

TEST_F(Tray, MenuAtThePointerFromTheRightButtonAndWithLeftPopupTheLeft) {
  fakes.windowSystem.cursor = {640, 12};
  callback(kWmLButtonDown);
  EXPECT_TRUE(app->menus.empty());

  icon->LeftPopup = true;
  menu->PopupComponent = nullptr;
  callback(kWmLButtonDown);
  callback(platform::kWmRButtonDown);
  ASSERT_EQ(app->menus.size(), 2u);
  EXPECT_EQ(app->menuPositions, (std::vector<std::pair<int, int>>{{640, 12}, {640, 12}}));
  EXPECT_EQ(menu->PopupComponent, icon);
  EXPECT_EQ(app->processed, 2);
  // The application in front before the menu, WM_NULL to the owner after it.
  EXPECT_EQ(fakes.windowSystem.foreground.back(), application->Handle());
  EXPECT_EQ(fakes.windowSystem.posted.back(),
            (fakes::FakeWindowSystem::Message{form->Handle(), platform::kWmNull, 0, 0}));

  // No menu without a pointer position, or without AutoPopup.
  // The press reads the pointer for its event, then for the menu.
  fakes.windowSystem.faults.failOn("GetCursorPos", fakes.windowSystem.faults.calls("GetCursorPos") + 2);
  callback(platform::kWmRButtonDown);
  menu->AutoPopup = false;
  callback(platform::kWmRButtonDown);
  EXPECT_EQ(app->menus.size(), 2u);
}

TEST_F(Tray, ADoubleClickChoosesTheMenusFirstDefaultItemUnlessTheLeftButtonOpensTheMenu) {
  auto* second = new TMenuItem(form, menu, "&Second");
  auto* third = new TMenuItem(form, menu, "&Third");
  second->Default = third->Default = true;
  second->OnClick = [this](TObject*) { record("second"); };
  third->OnClick = [this](TObject*) { record("third"); };
  icon->OnDblClick = [this](TObject*) { record("dblclick"); };
  callback(kWmLButtonDblClk);
  icon->LeftPopup = true;
  callback(kWmLButtonDblClk);
  EXPECT_EQ(events, (std::vector<std::string>{"dblclick 0", "second 0", "dblclick 0"}));
}

TEST_F(Tray, AStartupHandlerKeepsTheMainWindowHidden) {
  auto* hidden = new TTrayIcon(form);
  hidden->OnStartup = [](TObject*, bool& ShowMainForm) { ShowMainForm = false; };
  hidden->Loaded();
  application->Run();
  EXPECT_FALSE(application->ShowMainForm);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(app->appWindowVisible);
}

TEST_F(Tray, DisabledRaisesNoMouseEventButBalloonsStillCome) {
  icon->Enabled = false;
  icon->OnBalloonHintShow = [this](TObject*) { record("show"); };
  icon->OnBalloonHintClick = [this](TObject*) { record("balloon click"); };
  for (const std::uint32_t message : {kWmLButtonDown, kWmLButtonUp, platform::kWmRButtonDown,
                                      platform::kNinBalloonShow, platform::kNinBalloonUserClick}) {
    callback(message);
  }
  EXPECT_EQ(events, (std::vector<std::string>{"show 0", "balloon click 0"}));
  EXPECT_TRUE(app->menus.empty());
}

TEST_F(Tray, TheRecordSentToTheShell) {
  const platform::NotifyIconDataA& data = icon->NotifyData();
  EXPECT_EQ(data.cbSize, sizeof(void*) == 4 ? 488u : 504u);
  EXPECT_EQ(data.hWnd, TrayIconWindow());
  EXPECT_EQ(data.uFlags, 7u);
  EXPECT_EQ(data.uCallbackMessage, 0x800u);
  // Loaded updated, applied IconVisible (False: a delete) and set the version.
  EXPECT_EQ(shellCalls(), (std::vector<std::uint32_t>{platform::kNimModify, platform::kNimDelete,
                                                      platform::kNimSetVersion}));

  icon->SetIconVisible(true);
  const std::string hint(200, 'h');
  icon->SetHint(hint);
  const auto& shown = fakes.shell.icons.at({data.hWnd, data.uID});
  EXPECT_EQ(std::string(shown.szTip), hint.substr(0, 127));
  icon->SetShowHint(false);
  EXPECT_EQ(std::string(fakes.shell.icons.at({data.hWnd, data.uID}).szTip), "");
}

TEST_F(Tray, SelectingAnImage) {
  icon->SetIcon(TIcon{7});
  const auto shownResource = [this] { return fakes.windowSystem.resourceOf(icon->NotifyData().hIcon); };
  EXPECT_EQ(shownResource(), 7);

  icon->SetIconList(list);
  icon->SetIconIndex(5);
  EXPECT_EQ(icon->IconIndex(), -1);
  EXPECT_TRUE(icon->Icon().Empty());
  EXPECT_EQ(icon->NotifyData().hIcon, 0u);

  list->AddIcon(TIcon{3});
  icon->SetIconIndex(5);
  EXPECT_EQ(icon->IconIndex(), 0);
  EXPECT_EQ(shownResource(), 3);

  icon->SetIconList(nullptr);
  icon->SetIconIndex(4);
  EXPECT_EQ(icon->IconIndex(), 0);
  EXPECT_EQ(shownResource(), 3);
  // One system icon at a time: each new image gave the last one back.
  EXPECT_EQ(fakes.windowSystem.liveIcons(), 1);
}

TEST_F(Tray, CyclingThreeImages) {
  for (const int image : {11, 12, 13}) {
    list->AddIcon(TIcon{image});
  }
  icon->SetIconList(list);
  std::vector<std::int32_t> next;
  std::vector<int> shown;
  icon->OnCycle = [&](TObject*, std::int32_t NextIndex) { next.push_back(NextIndex); };
  icon->SetCycleInterval(100);
  icon->SetCycleIcons(true);
  for (int step = 0; step < 4; ++step) {
    fakes.clock.advance(100);
    shown.push_back(fakes.windowSystem.resourceOf(icon->NotifyData().hIcon));
  }
  EXPECT_EQ(next, (std::vector<std::int32_t>{1, 2, 0, 1}));
  EXPECT_EQ(shown, (std::vector<int>{12, 13, 11, 12}));

  // With an interval of 0, switching cycling on only selects image 0.
  icon->SetCycleInterval(0);
  EXPECT_EQ(icon->IconIndex(), 0);
  fakes.clock.advance(1000);
  EXPECT_EQ(next.size(), 4u);
}

TEST_F(Tray, EnterAndExitWithinAPoll) {
  icon->OnMouseEnter = [this](TObject*) { record("enter"); };
  icon->OnMouseExit = [this](TObject*) { record("exit"); };
  icon->OnMouseMove = [this](TObject*, TShiftState shift, std::int32_t x, std::int32_t) {
    record("move" + std::to_string(shift) + "@" + std::to_string(x));
  };
  icon->SetWantEnterExitEvents(true);
  fakes.windowSystem.keysDown[platform::kVkShift] = true;
  fakes.windowSystem.keysDown[platform::kVkMenu] = true;
  callback(platform::kWmMouseMove);
  fakes.clock.advance(50);
  fakes.windowSystem.cursor = {101, 200};
  callback(platform::kWmMouseMove);
  // The poll runs every 20 ms from 0: the pointer leaves just after the one at 60.
  fakes.clock.advance(10);
  fakes.windowSystem.cursor = {300, 200};
  fakes.clock.advance(30);
  callback(platform::kWmMouseMove);
  EXPECT_EQ(events, (std::vector<std::string>{"enter 0", "move3@100 0", "move3@101 50", "exit 80", "enter 90",
                                              "move3@300 90"}));
}

TEST_F(Tray, TaskbarCreatedAddsAVisibleIconAgain) {
  ASSERT_NE(TaskbarCreatedMessage(), 0u);
  TMessage created{TaskbarCreatedMessage(), 0, 0, 0};
  application->DispatchHooks(created);
  EXPECT_TRUE(fakes.shell.icons.empty());

  icon->SetIconVisible(true);
  fakes.shell.icons.clear();  // the shell lost it with the taskbar
  application->DispatchHooks(created);
  EXPECT_EQ(fakes.shell.icons.size(), 1u);
  EXPECT_EQ(fakes.shell.calls.back().message, platform::kNimAdd);
}

TEST(TrayStartup, TaskbarCreatedOnlyFromCommonControls471) {
  struct Case {
    std::uint32_t major, minor;
    bool registered;
  };
  for (const Case& c : {Case{4, 70, false}, Case{4, 71, true}, Case{6, 0, true}}) {
    SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor));
    fakes::FakeServices fakes;
    fakes.shell.comctlMajor = c.major;
    fakes.shell.comctlMinor = c.minor;
    StartupTrayIcon(fakes.services);
    EXPECT_EQ(TaskbarCreatedMessage() != 0, c.registered);
    ShutdownTrayIcon();
  }
}

TEST(TrayStartup, AnElevatedProcessLetsTaskbarCreatedThroughItsMessageFilter) {
  struct Case {
    bool elevated;
    std::uint32_t comctlMinor;  // 70: "TaskbarCreated" is not registered
    bool allowed;
  };
  for (const Case& c : {Case{true, 71, true}, Case{false, 71, false}, Case{true, 70, false}}) {
    SCOPED_TRACE(std::to_string(c.elevated) + " 4." + std::to_string(c.comctlMinor));
    fakes::FakeServices fakes;
    fakes.windowSystem.elevated = c.elevated;
    fakes.shell.comctlMinor = c.comctlMinor;
    fakes.shell.comctlMajor = 4;
    StartupTrayIcon(fakes.services);
    {
      TApplication application(fakes.services, std::make_unique<fakes::FakeNativeApplication>(fakes.clock));
      new TTrayIcon(application.CreateForm<TForm>());
      using Allowed = std::vector<std::pair<platform::HWnd, std::uint32_t>>;
      const Allowed expected =
          c.allowed ? Allowed{{application.Handle(), TaskbarCreatedMessage()}} : Allowed{};
      EXPECT_EQ(fakes.windowSystem.allowed, expected);
    }
    ShutdownTrayIcon();
  }
}

TEST_F(Tray, MinimisingGoesToTheTrayThroughTheEventOrTheOwnersProcedure) {
  icon->MinimizeToTray = true;
  icon->ShowMainWindow();
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(app->appWindowVisible);

  // Without an OnMinimizeToTray handler the form's own procedure minimises the application.
  fakes.windowSystem.SendMessageA(form->Handle(), platform::kWmSysCommand, platform::kScMinimize, 0);
  EXPECT_EQ(fakes.windowSystem.original.back().message, platform::kWmSysCommand);
  application->Minimize();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(app->appWindowVisible);
  EXPECT_EQ(fakes.shell.icons.size(), 1u);

  // With one, the owner's procedure takes the message.
  icon->ShowMainWindow();
  EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
  icon->OnMinimizeToTray = [this](TObject*) { record("to tray"); };
  fakes.windowSystem.original.clear();
  const std::intptr_t result =
      fakes.windowSystem.SendMessageA(form->Handle(), platform::kWmSysCommand, platform::kScMinimize, 0);
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(fakes.windowSystem.original.empty());
  EXPECT_EQ(events, (std::vector<std::string>{"to tray 0"}));
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(app->appWindowVisible);
}

TEST_F(Tray, DestroyingTheIconLeavesNothingBehind) {
  icon->SetIcon(TIcon{7});
  icon->SetIconVisible(true);
  icon->SetWantEnterExitEvents(true);
  icon->OnDblClick = [](TObject*) {};
  callback(kWmLButtonDown);
  delete icon;
  EXPECT_TRUE(fakes.shell.icons.empty());
  EXPECT_EQ(fakes.windowSystem.liveHandles(), 0);
  EXPECT_EQ(fakes.clock.liveTimers(), 0);
  EXPECT_EQ(fakes.windowSystem.GetWindowLongPtrA(form->Handle(), platform::kGwlpWndProc),
            fakes::FakeWindowSystem::kOriginalProcedure);
  TMessage minimized{platform::kWmSize, platform::kSizeMinimized, 0, 0};
  EXPECT_FALSE(application->DispatchHooks(minimized));
}

}  // namespace
}  // namespace vantrel
