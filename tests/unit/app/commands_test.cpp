// The commands of the window and the tray menu, and the end of the Windows session, against fakes and the
// manual clock.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/resources.h"
#include "cpu/cpu_usage.h"
#include "fake_native_application.h"
#include "fake_services.h"
#include "fake_worker.h"
#include "history/pass_texts.h"
#include "platform/unicode.h"
#include "program/command_line.h"
#include "program/product.h"
#include "program/running_copy.h"
#include "program_run.h"
#include "program_support.h"
#include "startup/run_key.h"
#include "test_blocks.h"

namespace vantrel {
namespace {

class Commands : public ::testing::Test {
 protected:
  Commands() {
    fakes.memory.status = {100 * kMiB, 40 * kMiB};
    fakes.process.moduleFileName = kExe;
    fakes.registry.createKey(platform::kHKeyLocalMachine, kRunKey);
    // The display tick after a pass reads the processor load.
    fakes.performanceData.block = fakes::processorBlock(fakes::sampleTime(0), {0}).bytes;
    StartupCpuUsage(fakes.services);
    StartupTrayIcon(fakes.services);
  }
  ~Commands() override {
    application.reset();
    ShutdownTrayIcon();
    ShutdownCpuUsage();
  }
  // The megabytes of each pass since the last call.
  std::vector<std::size_t> passes() { return std::exchange(passSizes, {}); }
  void recordPasses() {
    const auto before = form->MaxMem1->OnBeforeDefrag;
    form->MaxMem1->OnBeforeDefrag = [this, before](TObject* sender) {
      commitsBefore_ = fakes.memory.commitOrder.size();
      before(sender);
    };
    const auto after = form->MaxMem1->OnAfterDefrag;
    form->MaxMem1->OnAfterDefrag = [this, after](TObject* sender) {
      passSizes.push_back(fakes.memory.commitOrder.size() - commitsBefore_);
      after(sender);
    };
  }
  void start(const std::vector<std::string>& settings) {
    fakes.profile.files[kIni] = settingsText(settings);
    auto native = std::make_unique<fakes::FakeNativeApplication>(fakes.clock);
    clock = native.get();
    application = std::make_unique<TApplication>(fakes.services, std::move(native));
    application->SetTitle(kProductLine);
    form = application->CreateForm<TfrmVantrel>();
    auto regionWorker = std::make_unique<fakes::FakeWorker>();
    worker = regionWorker.get();
    form->UseRegionWorker(std::move(regionWorker));
  }
  std::vector<std::string> balloonTexts() const {
    std::vector<std::string> texts;
    for (const auto& call : fakes.shell.calls) {
      if (call.data.uFlags & platform::kNifInfo) {
        texts.push_back(call.data.szInfo);
      }
    }
    return texts;
  }
  int settingsWrites() const { return fakes.profile.faults.calls("WritePrivateProfileStringW"); }

  fakes::FakeServices fakes;
  fakes::FakeNativeApplication* clock = nullptr;
  std::unique_ptr<TApplication> application;
  TfrmVantrel* form = nullptr;
  // Runs a Free All's regions at once unless told to hold them.
  fakes::FakeWorker* worker = nullptr;
  std::vector<std::size_t> passSizes;

 private:
  std::size_t commitsBefore_ = 0;
};

TEST_F(Commands, ATrayClickDoesWhatTheComboNames) {
  fakes.memory.status = {2048 * kMiB, 1024 * kMiB};
  start({});
  recordPasses();
  const std::vector<std::size_t> sizes = {4, 8, 16, 32, 64, 128, 256, 320, 1024};
  for (int index = 0; index <= 8; ++index) {
    SCOPED_TRACE(index);
    form->ComboBox1->UserSelect(index);
    form->TextTrayIcon1Click(form->TextTrayIcon1);
    EXPECT_EQ(passes(), (std::vector<std::size_t>{sizes[static_cast<std::size_t>(index)]}));
  }
  // Typing into the combo leaves no action: a click does nothing, and -1 is saved.
  form->ComboBox1->UserEdit("Free 5 MB");
  form->TextTrayIcon1Click(form->TextTrayIcon1);
  EXPECT_TRUE(passes().empty());
  EXPECT_FALSE(form->Visible());
  application.reset();
  EXPECT_NE(fakes.profile.files[kIni].find("LCLK=-1"), std::string::npos);
}

TEST_F(Commands, ShowHideFollowsTheFlagReadAtTheClick) {
  start({"LCLK=9"});
  EXPECT_EQ(form->Label15->Caption(), "1");
  form->TextTrayIcon1Click(form->TextTrayIcon1);
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->Label15->Caption(), "0");
  EXPECT_TRUE(form->Timer3->Enabled());

  form->SShow_oldClick(form->SShow);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->Label15->Caption(), "1");
  EXPECT_FALSE(form->Timer3->Enabled());
}

TEST_F(Commands, MinimisedIntoTheTrayTheWindowIsShownByTheNextShowHide) {
  start({});
  // The title bar's minimise box, and the taskbar button minimising the application window that owns it.
  const std::pair<std::uint32_t, std::uintptr_t> minimisings[] = {
      {platform::kWmSysCommand, platform::kScMinimize}, {platform::kWmShowWindow, 0}};
  for (const auto& [message, wParam] : minimisings) {
    SCOPED_TRACE(message);
    form->SShow_oldClick(form->SShow);
    ASSERT_TRUE(form->Visible());
    fakes.windowSystem.SendMessageA(form->Handle(), message, wParam,
                                    message == platform::kWmShowWindow ? platform::kSwParentClosing : 0);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->Label15->Caption(), "1");
    EXPECT_EQ(fakes.shell.icons.size(), 1u);
  }
  // Each turn above began with Show/Hide from the menu; the left click's Show/Hide shows it too.
  form->ComboBox1->UserSelect(9);
  form->TextTrayIcon1->OnClick(form->TextTrayIcon1);
  EXPECT_TRUE(form->Visible());
}

TEST_F(Commands, APassShowsItsImageInTheTrayUntilTheNextTextTick) {
  start({});
  form->btnFreeAllClick(form->btnFreeAll);
  EXPECT_EQ(form->TextTrayIcon1->IconList(), nullptr);
  const platform::HIcon shown = fakes.shell.icons.begin()->second.hIcon;
  EXPECT_EQ(fakes.windowSystem.resourceOf(shown), kIconReclaiming);
  form->Timer2Timer(form->Timer2);
  EXPECT_NE(fakes.gdi.image(fakes.shell.icons.begin()->second.hIcon), nullptr);
}

TEST_F(Commands, APassTheUserStartedEndsInABalloonThatSaysWhatItFreed) {
  fakes.memory.status = {2048 * kMiB, 1024 * kMiB};
  fakes.version.majorVersion = 6;
  fakes.version.minorVersion = 1;
  start({"LCLK=4"});
  std::uint64_t freeAfter = 0;
  const auto after = form->MaxMem1->OnAfterDefrag;
  form->MaxMem1->OnAfterDefrag = [&](TObject* sender) {
    fakes.memory.status.availPhys = freeAfter;
    after(sender);
  };
  struct Row {
    const char* name;
    std::function<void()> start;
    std::uint64_t freeAfter;
    std::uint32_t shell;  // shell32's major version
    const char* text;     // none: no balloon
    std::uint32_t flags;
  };
  const std::vector<Row> rows = {
      {"tray click", [&] { form->TextTrayIcon1Click(form->TextTrayIcon1); }, 1536 * kMiB, 6,
       "Freed 512 MB: 1024 MB -> 1536 MB free", platform::kNiifInfo | platform::kNiifNoSound},
      {"menu", [&] { form->FMax->Click(); }, 1024 * kMiB, 6,
       "Nothing freed: 1024 MB free\nWorking sets (all programs), file cache, standby list (low priority)",
       platform::kNiifInfo | platform::kNiifNoSound},
      {"button", [&] { form->btnFreeAllClick(form->btnFreeAll); }, 1000 * kMiB, 6,
       "Nothing freed: 1000 MB free\nWorking sets (all programs), file cache, standby list (low priority)",
       platform::kNiifInfo | platform::kNiifNoSound},
      {"a shell that cannot keep quiet", [&] { form->TextTrayIcon1Click(form->TextTrayIcon1); }, 1536 * kMiB,
       5, "Freed 512 MB: 1024 MB -> 1536 MB free", platform::kNiifInfo},
      {"a shell without balloons", [&] { form->btnFreeAllClick(form->btnFreeAll); }, 1536 * kMiB, 4, nullptr,
       0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fakes.memory.status.availPhys = 1024 * kMiB;
    freeAfter = row.freeAfter;
    fakes.shell.shellMajor = row.shell;
    fakes.shell.calls.clear();
    row.start();
    std::vector<platform::NotifyIconDataA> balloons;
    for (const auto& call : fakes.shell.calls) {
      if (call.data.uFlags & platform::kNifInfo) {
        EXPECT_TRUE(call.succeeded);
        balloons.push_back(call.data);
      }
    }
    if (!row.text) {
      EXPECT_TRUE(balloons.empty());
      continue;
    }
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(std::string(balloons[0].szInfoTitle), "Vantrel");
    EXPECT_EQ(std::string(balloons[0].szInfo), row.text);
    EXPECT_EQ(balloons[0].dwInfoFlags, row.flags);
    // The next change of the icon does not bring the balloon back.
    form->Timer2Timer(form->Timer2);
    EXPECT_EQ(fakes.shell.calls.back().data.uFlags & platform::kNifInfo, 0u);
  }
}

TEST_F(Commands, APassShowsItsProgressAndRestartsTheCheckOnlyWhenAutomaticReclaimIsOn) {
  for (const char* autoFree : {"AutoFree=1", "AutoFree=-1"}) {
    SCOPED_TRACE(autoFree);
    start({autoFree, "CMI=2"});
    std::vector<int> progress;
    const auto report = form->MaxMem1->OnProgress;
    form->MaxMem1->OnProgress = [&](TObject* sender, std::int32_t step) {
      report(sender, step);
      progress.push_back(form->ProgressBar1->Position());
      EXPECT_FALSE(form->Timer1->Enabled());
    };
    const auto after = form->MaxMem1->OnAfterDefrag;
    form->MaxMem1->OnAfterDefrag = [&](TObject* sender) {
      clock->elapse(500);
      after(sender);
    };
    clock->advance(1000);
    const std::size_t firings = clock->firings.size();
    form->btnFreeAllClick(form->btnFreeAll);
    EXPECT_EQ(fakes.memory.commitOrder.size() % 100, 0u);  // all memory: the 100 MB of this machine
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(form->ProgressBar1->Position(), 0);
    const bool on = std::string(autoFree) == "AutoFree=1";
    EXPECT_EQ(form->Timer1->Enabled(), on);
    if (on) {
      // The check comes a full interval after the pass ended at 1500, not at 2000 as before it.
      form->Timer2->SetEnabled(false);
      form->Timer3->SetEnabled(false);
      form->FreeAllTimer->SetEnabled(false);
      clock->advance(1999);
      EXPECT_EQ(clock->firings.size(), firings);
      clock->advance(1);
      EXPECT_EQ(clock->firings.back(), 3500u);
    }
    application.reset();
  }
}

TEST_F(Commands, EnableDisableWorksOnTheCheckMarkAsItIsAtTheClick) {
  start({"AutoFree=-1", "CMI=3"});
  form->SEnable_oldClick(form->SEnable);
  EXPECT_EQ(form->TextTrayIcon1->IconIndex(), 0);  // 1, capped at the one image of the icon list
  EXPECT_TRUE(form->SEnable->Checked);
  EXPECT_TRUE(form->CheckBox1->Checked());
  EXPECT_TRUE(form->Timer1->Enabled());
  EXPECT_EQ(form->Timer1->Interval(), 3000u);
  form->SEnable_oldClick(form->SEnable);
  EXPECT_FALSE(form->SEnable->Checked);
  EXPECT_FALSE(form->CheckBox1->Checked());
  EXPECT_FALSE(form->Timer1->Enabled());
}

TEST_F(Commands, TheCdTrayAndTheWebLinkReportNothing) {
  start({});
  fakes.multimedia.answer = 266;  // no CD audio device
  form->CustomItem3Click(form->CustomItem3);
  fakes.multimedia.faults.failOn("mciSendStringA", 1, true);
  form->ByeClick(form->Bye);
  EXPECT_EQ(fakes.multimedia.commands,
            (std::vector<std::string>{"Set CDAudio Door Open", "Set CDAudio Door Closed"}));
  EXPECT_EQ(fakes.multimedia.callbacks, (std::vector<platform::WindowHandle>(2, form->Handle())));

  fakes.shellExecution.answer = 2;  // file not found
  form->Label23->Click();
  ASSERT_EQ(fakes.shellExecution.calls.size(), 1u);
  const auto& call = fakes.shellExecution.calls[0];
  EXPECT_EQ(call.owner, form->Handle());
  EXPECT_EQ(call.operation, "open");
  EXPECT_EQ(call.file, kWebSite);
  EXPECT_EQ(call.parameters, "");
  EXPECT_EQ(call.directory, "");
  EXPECT_EQ(call.showCommand, platform::kSwShowNormal);
  EXPECT_TRUE(fakes.dialogs.boxes.empty());
}

TEST_F(Commands, TheEndOfTheSessionSavesTheSettingsOnce) {
  start({"CMI=4"});
  form->CheckBox2->SetChecked(false);
  form->CheckBox2->SetChecked(true);
  fakes.registry.setString(platform::kHKeyLocalMachine, kRunKey, "Other", "x");
  fakes.registry.deleteValue(platform::kHKeyLocalMachine, kRunKey, "Vantrel");
  EXPECT_EQ(settingsWrites(), 0);

  application->EndSession();
  // The keys of [Vantrel] (12), [FreeMemory] (11), [Window] (3), [History] (1) and [Tray] (4).
  EXPECT_EQ(settingsWrites(), 31);
  EXPECT_NE(fakes.profile.files[kIni].find("CMI=4"), std::string::npos);
  EXPECT_EQ(fakes.registry.stringValue(platform::kHKeyLocalMachine, kRunKey, "Vantrel"), kExe);
  EXPECT_EQ(clock->quits, 1);
  EXPECT_TRUE(application->Terminated());

  application.reset();
  EXPECT_EQ(settingsWrites(), 31);
}

TEST_F(Commands, OneMenuForTheTrayTheWindowAndTheStartupPage) {
  start({});
  std::vector<std::string> captions;
  for (const TMenuItem* item : form->TPopupMenu1->Items()) {
    captions.push_back(item->Caption);
    EXPECT_FALSE(item->Default);
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"&Show/Hide", "&Enable/Disable", "-", "Free &All", "-",
                                                "Eject CDROM", "Inject CDROM", "Close"}));
  EXPECT_EQ(form->TextTrayIcon1->PopupMenu, form->TPopupMenu1);
  EXPECT_EQ(form->ContextMenu(), form->TPopupMenu1);
  // The rows of its lists bring their own menu; the empty part of a list the window's.
  form->TabSheet3Show(form);
  EXPECT_EQ(form->StartupManagerPage->ListView1->ContextMenuAt(-1), form->TPopupMenu1);
}

TEST_F(Commands, CloseEndsTheProgramAndItsExitSaves) {
  start({});
  form->CustomItem4Click(form->CustomItem4);
  EXPECT_TRUE(application->Terminated());
  application.reset();
  EXPECT_EQ(settingsWrites(), 31);
}

TEST_F(Commands, AFreeAllRunsTheRegionsOffTheWindowThreadAndIgnoresRequestsUntilItEnds) {
  fakes.memory.status = {2048 * kMiB, 1024 * kMiB};
  fakes.version.majorVersion = 10;
  fakes.version.minorVersion = 0;
  start({"LCLK=8"});
  recordPasses();
  worker->hold = true;
  form->FMax->Click();
  EXPECT_EQ(worker->starts, 1);
  EXPECT_TRUE(form->FreeAllRunning());
  EXPECT_TRUE(passes().empty()) << "the pass follows the regions";
  EXPECT_FALSE(form->Timer1->Enabled());
  const auto shownIcon = [&] {
    return fakes.windowSystem.resourceOf(fakes.shell.icons.begin()->second.hIcon);
  };
  EXPECT_EQ(shownIcon(), kIconReclaiming);

  // Each way of asking again while it runs: none is queued.
  form->btnFreeAllClick(form->btnFreeAll);
  form->TextTrayIcon1Click(form->TextTrayIcon1);
  EXPECT_TRUE(application->CopyData(kCommandData, PassCommand(kWholeMemoryPass)));
  fakes.memory.status.availPhys = 100 * kMiB;  // low memory's colour waits too
  clock->advance(1000);                        // the tray text tick and the hand-over's timer among others
  EXPECT_EQ(worker->starts, 1);
  EXPECT_TRUE(passes().empty());
  EXPECT_EQ(shownIcon(), kIconReclaiming) << "the text tick leaves the pass image while the regions run";
  EXPECT_TRUE(balloonTexts().empty());

  worker->finish();
  clock->advance(100);
  EXPECT_FALSE(form->FreeAllRunning());
  EXPECT_EQ(passes(), (std::vector<std::size_t>{1024}));
  EXPECT_EQ(
      fakes.systemMemory.log,
      (std::vector<std::string>{
          "NtSetSystemInformation 80 2 [SeProfileSingleProcessPrivilege]",
          "SetSystemFileCacheSize 18446744073709551615 18446744073709551615 0 [SeIncreaseQuotaPrivilege]",
          "NtSetSystemInformation 80 5 [SeProfileSingleProcessPrivilege]"}));
  EXPECT_EQ(balloonTexts().size(), 1u);
  EXPECT_TRUE(form->Timer1->Enabled());

  // Over, it can be asked for again, and runs as the first did.
  form->btnFreeAllClick(form->btnFreeAll);
  EXPECT_EQ(worker->starts, 2);
  clock->advance(1000);
  EXPECT_TRUE(form->FreeAllRunning());
  EXPECT_TRUE(passes().empty());
  EXPECT_EQ(worker->waits, 0) << "the window thread waited for the regions";
  worker->finish();
  application.reset();  // the exit waits for nothing more
}

TEST_F(Commands, TheHotkeyRunsFreeAllAndACombinationHeldElsewhereIsRefusedInOneBox) {
  fakes.memory.status = {2048 * kMiB, 1024 * kMiB};
  start({});
  recordPasses();
  TFreeMemoryPage& page = ShowFreeMemoryPage(*form);
  EXPECT_FALSE(page.chkHotkey->Checked());
  EXPECT_EQ(page.hkFreeAll->HotKey(), 0);
  const auto held = [&] { return fakes.windowSystem.hotKeys; };
  using HotKeys = decltype(fakes.windowSystem.hotKeys);
  const platform::HWnd window = application->Handle();

  constexpr std::uint32_t kNoRepeat = platform::kModNoRepeat;
  page.chkHotkey->Toggle();
  EXPECT_EQ(page.hkFreeAll->HotKey(), kOfferedHotkey);
  const HotKeys offered{
      {{window, kFreeAllHotkeyId}, {platform::kModControl | platform::kModShift | kNoRepeat, 'F'}}};
  EXPECT_EQ(held(), offered);

  TMessage other{platform::kWmHotKey, kFreeAllHotkeyId + 1};
  EXPECT_FALSE(application->DispatchHooks(other));
  TMessage pressed{platform::kWmHotKey, kFreeAllHotkeyId};
  EXPECT_TRUE(application->DispatchHooks(pressed));
  EXPECT_EQ(worker->starts, 1);
  EXPECT_EQ(passes(), (std::vector<std::size_t>{1024}));
  EXPECT_EQ(balloonTexts().size(), 1u);
  // A press that waited while the pass held the window thread is ignored; the next one runs.
  EXPECT_TRUE(application->DispatchHooks(pressed));
  EXPECT_EQ(worker->starts, 1);
  clock->advance(100);
  EXPECT_TRUE(application->DispatchHooks(pressed));
  EXPECT_EQ(worker->starts, 2);
  clock->advance(100);
  passes();

  // Another key in place of the first, typed key by key: Ctrl, then Ctrl+Alt, change nothing yet.
  for (const int typed : {kHotkeyfControl << 8, (kHotkeyfControl | kHotkeyfAlt) << 8}) {
    page.hkFreeAll->UserSetHotKey(static_cast<std::uint16_t>(typed));
    EXPECT_TRUE(page.chkHotkey->Checked());
    EXPECT_EQ(held(), offered);
  }
  page.hkFreeAll->UserSetHotKey((kHotkeyfControl | kHotkeyfAlt) << 8 | 'G');
  EXPECT_EQ(
      held(),
      (HotKeys{{{window, kFreeAllHotkeyId}, {platform::kModControl | platform::kModAlt | kNoRepeat, 'G'}}}));

  fakes.windowSystem.heldElsewhere = {{platform::kModAlt, 'H'}};
  page.hkFreeAll->UserSetHotKey(kHotkeyfAlt << 8 | 'H');
  ASSERT_EQ(fakes.dialogs.boxes.size(), 1u);
  EXPECT_NE(fakes.dialogs.boxes[0].text.find("Another program uses this key combination"), std::string::npos);
  EXPECT_FALSE(page.chkHotkey->Checked());
  EXPECT_EQ(page.hkFreeAll->HotKey(), kHotkeyfAlt << 8 | 'H') << "the chosen key stays";
  EXPECT_TRUE(held().empty());

  // Free again, the kept key is taken, not the offer (with the repeats, where the system refuses the flag);
  // unticked, it is given back, once.
  fakes.windowSystem.heldElsewhere.clear();
  fakes.windowSystem.noRepeat = false;
  page.chkHotkey->Toggle();
  EXPECT_EQ(held(), (HotKeys{{{window, kFreeAllHotkeyId}, {platform::kModAlt, 'H'}}}));
  page.chkHotkey->Toggle();
  EXPECT_TRUE(held().empty());
  EXPECT_EQ(fakes.windowSystem.strayUnregisters, 0) << "a key that failed to register was unregistered";
  EXPECT_EQ(fakes.dialogs.boxes.size(), 1u);
}

TEST_F(Commands, AStandardUsersPageGreysWhatNeedsAnAdministratorAndOffersTheRestart) {
  fakes.version.majorVersion = 10;
  fakes.version.minorVersion = 0;
  fakes.systemMemory.asStandardUser();
  start({});
  TFreeMemoryPage* page = &ShowFreeMemoryPage(*form);
  const std::vector<bool> enabled = {true, false, false, false, false, false, false};
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    SCOPED_TRACE(index);
    const int row = static_cast<int>(index);
    const std::string& note = page->lvRegions->Rows()[index].SubItems[0];
    EXPECT_EQ(note.rfind("(needs administrator) ", 0) == 0, !enabled[index]) << note;
    EXPECT_EQ(page->lvRegions->Greyed(page->lvRegions->Rows()[index], 1), !enabled[index]);
    EXPECT_EQ(page->lvRegions->Checked(row), kDefaultRegions[index]) << "kept as chosen";
    // The user's click changes only what can run here, and back.
    EXPECT_EQ(page->lvRegions->UserCheck(row, !kDefaultRegions[index]), enabled[index]);
    EXPECT_EQ(page->lvRegions->UserCheck(row, kDefaultRegions[index]), enabled[index]);
    EXPECT_EQ(page->Settings().regions[index], kDefaultRegions[index]);
  }
  ASSERT_TRUE(page->btnRestartElevated->Visible());
  EXPECT_TRUE(page->btnRestartElevated->Shield);

  // Said once a Free All has run: what ran, what it skipped, and what needs an administrator.
  fakes.systemMemory.refusingProcesses[4] = platform::kErrorAccessDenied;
  form->btnFreeAllClick(form->btnFreeAll);
  EXPECT_EQ(balloonTexts(),
            (std::vector<std::string>{"Nothing freed: 40 MB free\nWorking sets (2 programs, 1 skipped)\n"
                                      "Needs administrator: file cache, standby list (low priority)"}));

  // The restart names this executable, whatever its folder is called, and says nothing of a "No".
  const std::string exe = "C:\\Users\\\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0\\Vantrel\\Vantrel.exe";
  fakes.process.moduleFileName = exe;
  for (const std::intptr_t answer : {std::intptr_t{42}, platform::kSeErrAccessDenied, std::intptr_t{2}}) {
    SCOPED_TRACE(answer);
    fakes.shellExecution.answer = answer;
    page->btnRestartElevated->Click();
    const auto& call = fakes.shellExecution.calls.back();
    EXPECT_TRUE(call.wide);
    EXPECT_EQ(call.operation, "runas");
    EXPECT_EQ(call.file, exe);
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(fakes.dialogs.boxes.size(), answer == 2 ? 1u : 0u);
  }
  application.reset();

  // An elevated copy, or one on a Windows without elevation, has nothing to restart into.
  fakes.windowSystem.elevated = true;
  start({});
  EXPECT_FALSE(ShowFreeMemoryPage(*form).btnRestartElevated->Visible());
  application.reset();
  fakes.windowSystem.elevated = false;
  fakes.version.majorVersion = 5;
  fakes.version.minorVersion = 1;
  start({});
  page = &ShowFreeMemoryPage(*form);
  EXPECT_FALSE(page->btnRestartElevated->Visible());
  EXPECT_FALSE(page->chkLogonTask->Enabled()) << "no Task Scheduler 2.0 before Vista";
  EXPECT_EQ(page->lvRegions->Rows()[1].SubItems[0].rfind("(not on this Windows) ", 0), 0u);
}

TEST_F(Commands, TickingARegionThatCanFreezeWindowsWarnsOnce) {
  fakes.version.majorVersion = 10;
  fakes.version.minorVersion = 0;
  // Chosen in the file: no box at start.
  fakes.profile.files[kIni] = "[FreeMemory]\r\nModifiedList=1\r\n";
  auto native = std::make_unique<fakes::FakeNativeApplication>(fakes.clock);
  application = std::make_unique<TApplication>(fakes.services, std::move(native));
  form = application->CreateForm<TfrmVantrel>();
  TFreeMemoryPage& page = ShowFreeMemoryPage(*form);
  EXPECT_TRUE(page.lvRegions->Checked(4));
  EXPECT_TRUE(fakes.dialogs.boxes.empty());

  page.lvRegions->UserCheck(3, true);
  page.lvRegions->UserCheck(3, false);
  page.lvRegions->UserCheck(4, false);
  page.lvRegions->UserCheck(4, true);
  page.lvRegions->UserCheck(1, false);  // a harmless one
  page.lvRegions->SetChecked(3, true);  // by the program
  ASSERT_EQ(fakes.dialogs.boxes.size(), 2u);
  for (const auto& box : fakes.dialogs.boxes) {
    EXPECT_NE(box.text.find("stop responding for up to a minute"), std::string::npos);
    EXPECT_EQ(box.type, platform::kMbOk | platform::kMbIconWarning);
  }
}

TEST_F(Commands, TheRuleInPercentFreesTheSafeRegionsQuietlyAtMostOncePerPause) {
  fakes.version.majorVersion = 10;
  fakes.version.minorVersion = 0;
  fakes.memory.status = {1000 * kMiB, 100 * kMiB};
  fakes.profile.files[kIni] =
      "[FreeMemory]\r\nBelowPercent=10\r\nCooldownMinutes=5\r\nStandby=1\r\nModifiedList=1\r\n"
      "CombinedPages=1\r\nRegistryCache=1\r\n";
  auto native = std::make_unique<fakes::FakeNativeApplication>(fakes.clock);
  clock = native.get();
  application = std::make_unique<TApplication>(fakes.services, std::move(native));
  form = application->CreateForm<TfrmVantrel>();
  auto regionWorker = std::make_unique<fakes::FakeWorker>();
  worker = regionWorker.get();
  form->UseRegionWorker(std::move(regionWorker));
  constexpr std::uint64_t kMinute = 60000;
  constexpr std::uint64_t kHourOfDay = 36000000000;
  const std::uint64_t start = fakes.timeOfDay.tickCount;
  const std::uint64_t day = fakes.timeOfDay.fileTime;
  struct Step {
    const char* name;
    std::uint64_t freeMegabytes;
    std::uint64_t ticks;
    std::uint64_t timeOfDay;  // set as the user or a time server may
    int starts;               // runs so far
  };
  const std::vector<Step> steps = {
      {"exactly 10 %", 100, start, day, 0},
      {"below", 99, start, day, 1},
      {"the time of day put forward", 1, start + 1, day + kHourOfDay, 1},
      {"within the pause", 1, start + 5 * kMinute - 1, day, 1},
      {"the pause is over", 1, start + 5 * kMinute, day, 2},
      {"the time of day set back", 1, start + 5 * kMinute + 1, day - kHourOfDay, 2},
      {"the next pause is over", 1, start + 10 * kMinute, day, 3},
      // Each run freed nothing: after the third, the pause doubles.
      {"within twice the pause", 1, start + 19 * kMinute, day, 3},
      {"twice the pause is over", 1, start + 20 * kMinute, day, 4},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    fakes.memory.status.availPhys = step.freeMegabytes * kMiB;
    fakes.timeOfDay.tickCount = step.ticks;
    fakes.timeOfDay.fileTime = step.timeOfDay;
    form->Timer2Timer(form->Timer2);
    EXPECT_EQ(worker->starts, step.starts);
    form->WatchTimerTimer(form->WatchTimer);
  }
  EXPECT_EQ(ShowHistoryPage(*form).ListView3->Rows().at(1).SubItems.at(2),
            std::string("0; ") + kPausedLonger);
  EXPECT_EQ(form->Timer1->Interval(), 4000u) << "the other rule's pause too, after the fourth";
  form->CheckBox1->SetChecked(false);
  form->edtCMI->SetText("2");
  form->CheckBox1->SetChecked(true);
  EXPECT_EQ(form->Timer1->Interval(), 8000u) << "the box takes the new check interval, as long";
  // Never the two regions that can stop Windows nor the registry cache, never the pass, never a balloon.
  for (const std::string& call : fakes.systemMemory.log) {
    EXPECT_EQ(call.find("NtSetSystemInformation 80 4"), std::string::npos);
    EXPECT_EQ(call.find("NtSetSystemInformation 80 3"), std::string::npos);
    EXPECT_EQ(call.find("NtSetSystemInformation 155"), std::string::npos);
  }
  EXPECT_EQ(fakes.systemMemory.log.size(), 16u) << "four runs, each with the combined page list";
  EXPECT_TRUE(fakes.memory.commitOrder.empty());
  EXPECT_TRUE(balloonTexts().empty());
  EXPECT_FALSE(form->FreeAllRunning());

  // Off, or with only the regions it may not run chosen: nothing.
  TFreeMemoryPage& page = ShowFreeMemoryPage(*form);
  for (const int row : {0, 1, 2, 5}) {
    page.lvRegions->SetChecked(row, false);
  }
  fakes.timeOfDay.tickCount = start + 60 * kMinute;
  form->Timer2Timer(form->Timer2);
  page.CheckBox3->SetChecked(false);
  page.lvRegions->SetChecked(0, true);
  fakes.timeOfDay.tickCount = start + 120 * kMinute;
  form->Timer2Timer(form->Timer2);
  EXPECT_EQ(worker->starts, 4);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// Each pass frees 30 MB and reads its pages through the system information (the performance data has no
// Memory object here); the minute after it, 20 MB come back and 10 MB are read.
class History : public Commands {
 protected:
  void start(const std::vector<std::string>& settings) {
    fakes.systemMemory.pageReadCount = 1000;
    fakes.timeOfDay.fileTime -= 60 * kFileTimeSecond;
    Commands::start(settings);
    quietMinute();
    const auto after = form->MaxMem1->OnAfterDefrag;
    form->MaxMem1->OnAfterDefrag = [this, after](TObject* sender) {
      fakes.memory.status.availPhys = 70 * kMiB;
      after(sender);
    };
  }
  // The count read as it begins gives the next pass its usual rate.
  void quietMinute() {
    clock->advance(1000);
    fakes.timeOfDay.fileTime += 60 * kFileTimeSecond;
  }
  // A click's pass of 64 MB, its minute, and a minute without a pass.
  void passAndMinute() {
    fakes.memory.status.availPhys = 40 * kMiB;
    form->ComboBox1->UserSelect(4);
    form->TextTrayIcon1Click(form->TextTrayIcon1);
    fakes.memory.status.availPhys = 50 * kMiB;
    *fakes.systemMemory.pageReadCount += 10 * 256;
    minute();
    quietMinute();
  }
  void minute() {
    fakes.timeOfDay.fileTime += 60 * kFileTimeSecond;
    clock->advance(60000);
  }
  std::vector<std::string> row(int index) const {
    const TListRow& row = ShowHistoryPage(*form).ListView3->Rows().at(static_cast<std::size_t>(index));
    std::vector<std::string> texts = row.SubItems;
    texts.insert(texts.begin(), row.Caption);
    return texts;
  }
  const std::string logFile = "C:\\Apps\\Vantrel\\Vantrel-passes.csv";
};

TEST_F(History, EachPassIsListedWatchedForAMinuteAndToldInTheTip) {
  start({});
  form->ComboBox1->UserSelect(4);
  form->TextTrayIcon1Click(form->TextTrayIcon1);
  EXPECT_EQ(row(0), (std::vector<std::string>{"12:00:00", "click", "30", "\xE2\x80\xA6", "\xE2\x80\xA6"}));
  fakes.memory.status.availPhys = 50 * kMiB;
  *fakes.systemMemory.pageReadCount += 10 * 256;
  minute();
  EXPECT_EQ(row(0), (std::vector<std::string>{"12:00:00", "click", "30", "20", "10"}));
  // With the commit line too, the pass line takes its brief form within the shell's 127 characters.
  EXPECT_EQ(form->TextTrayIcon1->Hint(),
            "Free: 50 MB of 100 MB (50%)\nLast pass: freed 30 MB, 20 MB back in use after 60 s, 10 MB read "
            "from disk");
  fakes.systemMemory.commit = platform::CommitCharge{12345 * kMiB, 30000 * kMiB};
  form->Timer2Timer(form);
  EXPECT_EQ(
      form->TextTrayIcon1->Hint(),
      "Free: 50 MB of 100 MB (50%)\nCommitted: 12345 MB of 30000 MB (41%)\nLast pass: freed 30 MB, 20 MB "
      "back, 10 MB read");
  // The menu's Free All cuts the next watch short.
  form->TextTrayIcon1Click(form->TextTrayIcon1);
  form->FMax->Click();
  ASSERT_EQ(form->HistoryPage->ListView3->RowCount(), 3);
  EXPECT_EQ(row(0)[1], "menu");
  EXPECT_EQ(row(1)[3], kCutShort);
  // Ten minutes after the last watch the tip has its one line again.
  for (int minutes = 0; minutes < 11; ++minutes) {
    minute();
  }
  EXPECT_EQ(form->TextTrayIcon1->Hint(),
            "Free: 70 MB of 100 MB (70%)\nCommitted: 12345 MB of 30000 MB (41%)");
}

TEST_F(History, TheChartIsDrawnOnlyWhileItsTabShows) {
  start({});
  clock->advance(5000);
  EXPECT_EQ(form->HistoryPage, nullptr);
  form->SShow_oldClick(form->SShow);
  clock->advance(5000);
  EXPECT_EQ(form->HistoryPage, nullptr) << "another tab shows";
  form->PageControl1->UserSelectTab(5);
  const std::uintptr_t first = form->HistoryPage->imgHistory->Bitmap();
  EXPECT_NE(first, 0u);
  const int objects = fakes.gdi.liveObjects();
  clock->advance(1000);
  EXPECT_NE(form->HistoryPage->imgHistory->Bitmap(), first);
  EXPECT_EQ(fakes.gdi.liveObjects(), objects) << "the bitmap before is given back";
  const std::uintptr_t shown = form->HistoryPage->imgHistory->Bitmap();
  form->SShow_oldClick(form->SShow);
  clock->advance(5000);
  EXPECT_EQ(form->HistoryPage->imgHistory->Bitmap(), shown) << "the window is hidden";
}

TEST_F(History, TheLogFileHasALinePerWatchAndStartsAnewPastAMegabyte) {
  start({});
  ShowHistoryPage(*form).chkLog->SetChecked(true);
  passAndMinute();
  passAndMinute();
  const std::string line = ",click,,40,70,50,10\r\n";
  EXPECT_EQ(fakes.fileSystem.files[logFile],
            "time,kind,regions,MB before,MB after,MB 60 s after,MB read from disk\r\n2026-12-07T12:00:00Z" +
                line + "2026-12-07T12:02:00Z" + line);
  fakes.fileSystem.files[logFile] = std::string(1 << 20, 'x');
  passAndMinute();
  EXPECT_FALSE(fakes.fileSystem.fileExists(logFile));
  EXPECT_EQ(fakes.fileSystem.files[logFile + ".1"].substr(1 << 20), "2026-12-07T12:04:00Z" + line);
  passAndMinute();
  EXPECT_EQ(fakes.fileSystem.files[logFile].find("time,"), 0u);
  // Past a megabyte again: the ".1" before is replaced, not left for the log to grow without end.
  fakes.fileSystem.files[logFile] += std::string(1 << 20, 'y');
  passAndMinute();
  EXPECT_FALSE(fakes.fileSystem.fileExists(logFile));
  // A ".1" that cannot be replaced is said on the page until the log starts anew.
  const std::u16string kept = Utf8ToUtf16(logFile + ".1");
  fakes.fileSystem.SetFileAttributesW(kept, platform::kFileAttributeReadOnly);
  fakes.fileSystem.files[logFile] = std::string(1 << 20, 'z');
  passAndMinute();
  EXPECT_EQ(form->HistoryPage->lblLogFailed->Caption(), "Cannot start the log anew (error 5)");
  fakes.fileSystem.SetFileAttributesW(kept, 0);
  passAndMinute();
  EXPECT_EQ(form->HistoryPage->lblLogFailed->Caption(), "");
  EXPECT_FALSE(fakes.fileSystem.fileExists(logFile));
  // A pass cut short by the next is logged then; nothing is logged with the box unticked.
  form->TextTrayIcon1Click(form->TextTrayIcon1);
  passAndMinute();
  EXPECT_NE(fakes.fileSystem.files[logFile].find(",cut short,cut short\r\n"), std::string::npos);
  form->HistoryPage->chkLog->SetChecked(false);
  fakes.fileSystem.files.erase(logFile);
  passAndMinute();
  EXPECT_FALSE(fakes.fileSystem.fileExists(logFile));
  form->HistoryPage->chkLog->SetChecked(true);

  // A refused write is said once, on the page, and the settings are still saved.
  fakes.fileSystem.faults.failOn("WriteFile_Append", 1, true);
  passAndMinute();
  EXPECT_EQ(form->HistoryPage->lblLogFailed->Caption(), "Cannot write the log (error 32)");
  EXPECT_TRUE(fakes.dialogs.boxes.empty());
  application.reset();
  EXPECT_NE(fakes.profile.files[kIni].find("[History]\r\nLog=1\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vantrel
