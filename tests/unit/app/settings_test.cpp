// Start-up and shutdown of the main window against fake profile, file system, registry, process and memory.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "fake_services.h"
#include "program/auto_start.h"
#include "program/product.h"
#include "program_run.h"
#include "program_support.h"
#include "startup/run_key.h"

namespace vantrel {
namespace {

const platform::HKey kHklm = platform::kHKeyLocalMachine;
const platform::HKey kHkcu = platform::kHKeyCurrentUser;
// A copy in Program Files, run by a standard user, whose settings go to their application-data folder.
constexpr char kInstalledExe[] = "C:\\Program Files\\Vantrel\\Vantrel.exe";
constexpr char kInstalledIni[] = "C:\\Program Files\\Vantrel\\Vantrel.ini";
constexpr char kUserIni[] = "C:\\Users\\Ann\\AppData\\Roaming\\Vantrel\\Vantrel.ini";
constexpr char kInstalledCommand[] = "\"C:\\Program Files\\Vantrel\\Vantrel.exe\"";
constexpr char kNotAdded[] =
    "Vantrel could not be set to start with Windows: Windows does not let this user add it to the programs "
    "that "
    "start at log-on.";

class Settings : public ::testing::Test {
 protected:
  Settings() {
    fakes.memory.status = {512 * kMiB, 64 * kMiB};
    fakes.process.moduleFileName = kExe;
    fakes.registry.createKey(kHklm, kRunKey);
  }
  std::optional<std::string> autoStart() const {
    return fakes.registry.stringValue(kHklm, kRunKey, "Vantrel");
  }
  std::optional<std::string> userAutoStart() const {
    return fakes.registry.stringValue(kHkcu, kRunKey, "Vantrel");
  }
  // As Windows treats a standard user: Program Files and the machine's Run key refuse every change.
  void standardUser() {
    fakes.process.moduleFileName = kInstalledExe;
    fakes.fileSystem.denyWriting("C:\\Program Files\\Vantrel");
    fakes.registry.denyWriting(kHklm, kRunKey);
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const auto& box : fakes.dialogs.boxes) {
      EXPECT_EQ(box.caption, kProductLine);
      EXPECT_EQ(box.type, platform::kMbOk | platform::kMbIconStop);
      texts.push_back(box.text);
    }
    return texts;
  }

  fakes::FakeServices fakes;
};

TEST_F(Settings, AStartWithoutAFileTakesTheDefaults) {
  ProgramRun run(fakes);
  TfrmVantrel& f = *run.form;
  EXPECT_EQ(f.listMax->ItemIndex(), 4);
  EXPECT_EQ(f.lblTARGET->Caption(), "16");
  EXPECT_EQ(f.ComboBox1->ItemIndex(), 4);
  EXPECT_EQ(f.ComboBox1->Caption(), "Free 64 MB");
  EXPECT_EQ(f.edtCMI->Text(), "1");
  EXPECT_EQ(f.edtMin->Text(), "6");
  EXPECT_EQ(f.edtCPU->Text(), "80");
  EXPECT_EQ(f.edtWAIT->Text(), "1");
  EXPECT_EQ(f.edtTRYT->Text(), "1");
  EXPECT_TRUE(f.CheckBox1->Checked());
  EXPECT_TRUE(f.SEnable->Checked);
  EXPECT_TRUE(f.Timer1->Enabled());
  EXPECT_EQ(f.Timer1->Interval(), 1000u);
  EXPECT_EQ(f.Timer2->Interval(), 1000u);
  EXPECT_EQ(f.Timer3->Interval(), 1000u);
  EXPECT_TRUE(f.CheckBox2->Checked());
  EXPECT_EQ(autoStart(), kExe);
  EXPECT_TRUE(fakes.profile.files.empty());  // nothing is written at start-up
  EXPECT_EQ(f.Label15->Caption(), "1");
  EXPECT_FALSE(f.Visible());
  EXPECT_EQ(f.PageControl1->ActivePage(), f.TabSheet3);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Settings, MemoryFiguresAndThresholdBounds) {
  struct Case {
    std::uint64_t total;
    std::uint64_t free;
    std::string label3;
    std::string label1;
    int gauge;
    std::int32_t lower;
    std::int32_t upper;
  };
  const std::vector<Case> cases = {
      {128 * kMiB, 1234567, "128MB", "1.18", 1, 4, 21},
      {256 * kMiB, 64 * kMiB, "256MB", "64", 25, 8, 43},
      {512 * kMiB, 64 * kMiB, "512MB", "64", 12, 16, 85},  // 12.5 % goes to the even neighbour
      {1024 * kMiB, 512 * kMiB, "1024MB", "512", 50, 32, 171},
      {24576 * kMiB, 3072 * kMiB, "24576MB", "3072", 12, 768, 4096},
      {65536 * kMiB, 100 * kMiB + kMiB / 8, "65536MB", "100.12", 0, 2048, 10923},
      {1048576 * kMiB, 1048576 * kMiB / 4, "1048576MB", "262144", 25, 32768, 174763},
      {5 * kMiB / 2, 0, "2MB", "0", 0, 0, 0},  // 2.5 MB: the tie goes to the even neighbour
      {0, 0, "0MB", "0", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label3);
    fakes::FakeServices machine;
    machine.memory.status = {c.total, c.free};
    ProgramRun run(machine);
    EXPECT_EQ(run.form->Label3->Caption(), c.label3);
    EXPECT_EQ(run.form->Label1->Caption(), c.label1);
    EXPECT_EQ(run.form->Gauge1->Position(), c.gauge);
    EXPECT_EQ(run.form->edtMin->MinValue(), c.lower);
    EXPECT_EQ(run.form->edtMin->MaxValue(), c.upper);
  }
}

TEST_F(Settings, TheFirstExitWritesTheTwelveKeysInOrder) {
  ProgramRun run(fakes);
  run.stop();
  EXPECT_EQ(fakes.profile.files[kIni],
            settingsText({"AutoRun=1", "AutoFree=1", "Target=16", "GRFSH=1", "TRFSH=1", "TRYT=1", "LCLK=4",
                          "WAIT=1", "CPU=80", "IDX=4", "MIN=6", "CMI=1"}) +
                std::string(kFreeMemoryDefaults) + kWindowDefaults + kHistoryDefaults + kTrayDefaults);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Settings, TheFreeMemorySectionTakesItsDefaultsForValuesOutOfRange) {
  struct Case {
    const char* file;      // the section's lines as found
    const char* written;   // as the exit writes them back
    bool rule;             // the rule's box
    const char* percent;   // its edit
    std::uint16_t hotkey;  // the field
    bool hotkeyHeld;       // registered and ticked
    bool told = false;     // that it is held elsewhere
  };
  const std::vector<Case> cases = {
      {"WorkingSets=0\r\nFileCache=0\r\nStandbyLowPriority=0\r\nStandby=1\r\nModifiedList=1\r\n"
       "BelowPercent=90\r\nCooldownMinutes=1440\r\nHotkey=1606\r\nHotkeyOn=1\r\n"
       // Each name once, in any script and case; a '%' without a byte after it is a name's own.
       "KeepPrograms=game.exe|%D0%98%D0%B3%D1%80%D0%B0.exe||GAME.EXE|%d0%b8%D0%B3%D1%80%D0%B0.EXE|"
       "\u00C9diteur"
       ".exe|100%.exe|a%7Cb.exe\r\n",
       "WorkingSets=0\r\nFileCache=0\r\nStandbyLowPriority=0\r\nStandby=1\r\nModifiedList=1\r\n"
       "BelowPercent=90\r\nCooldownMinutes=1440\r\nHotkey=1606\r\nHotkeyOn=1\r\n"
       "KeepPrograms=game.exe|%D0%98%D0%B3%D1%80%D0%B0.exe|%C3%89diteur.exe|100%25.exe|a%7Cb.exe\r\n"
       "CombinedPages=0\r\nRegistryCache=0\r\n",
       true, "90", 0x646, true},
      {"WorkingSets=-1\r\nFileCache=2\r\nStandbyLowPriority=x\r\nStandby=-1\r\nModifiedList=\r\n"
       "BelowPercent=91\r\nCooldownMinutes=1441\r\nHotkey=70\r\nHotkeyOn=1\r\n",
       "WorkingSets=1\r\nFileCache=1\r\nStandbyLowPriority=1\r\nStandby=0\r\nModifiedList=0\r\n"
       "BelowPercent=0\r\nCooldownMinutes=5\r\nHotkey=0\r\nHotkeyOn=0\r\nCombinedPages=0\r\nRegistryCache="
       "0\r\n",
       false, "10", 0, false},
      // Shift alone is no hotkey; a hotkey turned on without a key is off.
      {"BelowPercent=1\r\nCooldownMinutes=0\r\nHotkey=326\r\n",
       "BelowPercent=1\r\nCooldownMinutes=5\r\nHotkey=0\r\nWorkingSets=1\r\nFileCache=1\r\n"
       "StandbyLowPriority=1\r\nStandby=0\r\nModifiedList=0\r\nCombinedPages=0\r\nRegistryCache="
       "0\r\nHotkeyOn=0\r\n",
       true, "1", 0, false},
      {"BelowPercent=-1\r\nCooldownMinutes=1\r\nHotkey=65536\r\nHotkeyOn=1\r\n",
       "BelowPercent=0\r\nCooldownMinutes=1\r\nHotkey=0\r\nHotkeyOn=0\r\nWorkingSets=1\r\nFileCache=1\r\n"
       "StandbyLowPriority=1\r\nStandby=0\r\nModifiedList=0\r\nCombinedPages=0\r\nRegistryCache=0\r\n",
       false, "10", 0, false},
      // Kept, though turned off, once the hotkey was not free at the start.
      {"Hotkey=838\r\nHotkeyOn=1\r\n",
       "Hotkey=838\r\nHotkeyOn=0\r\nWorkingSets=1\r\nFileCache=1\r\nStandbyLowPriority=1\r\nStandby=0\r\n"
       "ModifiedList=0\r\nCombinedPages=0\r\nRegistryCache=0\r\nBelowPercent=0\r\nCooldownMinutes=5\r\n",
       false, "10", 0x346, false, true},
      // Kept, turned off.
      {"Hotkey=1606\r\nHotkeyOn=0\r\n",
       "Hotkey=1606\r\nHotkeyOn=0\r\nWorkingSets=1\r\nFileCache=1\r\nStandbyLowPriority=1\r\nStandby=0\r\n"
       "ModifiedList=0\r\nCombinedPages=0\r\nRegistryCache=0\r\nBelowPercent=0\r\nCooldownMinutes=5\r\n",
       false, "10", 0x646, false},
  };
  const std::string vantrel =
      settingsText({"AutoRun=1", "AutoFree=1", "Target=16", "GRFSH=1", "TRFSH=1", "TRYT=1", "LCLK=4",
                    "WAIT=1", "CPU=80", "IDX=4", "MIN=6", "CMI=1"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    fakes::FakeServices machine;
    machine.memory.status = {512 * kMiB, 64 * kMiB};
    machine.process.moduleFileName = kExe;
    machine.profile.files[kIni] = vantrel + "[FreeMemory]\r\n" + c.file;
    // Another program holds Ctrl+Shift+F.
    machine.windowSystem.heldElsewhere = {{platform::kModControl | platform::kModShift, 'F'}};
    ProgramRun run(machine);
    const TFreeMemoryPage& page = ShowFreeMemoryPage(*run.form);
    EXPECT_EQ(page.CheckBox3->Checked(), c.rule);
    EXPECT_EQ(page.edtBelowPercent->Text(), c.percent);
    EXPECT_EQ(page.hkFreeAll->HotKey(), c.hotkey);
    EXPECT_EQ(page.chkHotkey->Checked(), c.hotkeyHeld);
    EXPECT_EQ(machine.windowSystem.hotKeys.size(), c.hotkeyHeld ? 1u : 0u);
    EXPECT_EQ(machine.dialogs.boxes.size(), c.told ? 1u : 0u);
    run.stop();
    EXPECT_EQ(machine.profile.files[kIni],
              vantrel + "[FreeMemory]\r\n" + c.written + kWindowDefaults + kHistoryDefaults + kTrayDefaults);
  }
}

TEST_F(Settings, PagesNeverShownAreNeverMadeAndTheirSettingsAreSavedUnchanged) {
  const std::string file = settingsText({"AutoRun=1", "AutoFree=1", "Target=16", "GRFSH=1", "TRFSH=1",
                                         "TRYT=1", "LCLK=4", "WAIT=1", "CPU=80", "IDX=4", "MIN=6", "CMI=1"}) +
                           "[FreeMemory]\r\nWorkingSets=0\r\nFileCache=1\r\nStandbyLowPriority=0\r\nStandby="
                           "1\r\nModifiedList=1\r\n"
                           "BelowPercent=20\r\nCooldownMinutes=30\r\nHotkey=1606\r\nHotkeyOn="
                           "1\r\nCombinedPages=0\r\nRegistryCache=0\r\n"
                           "KeepPrograms=game.exe|%D0%98%D0%B3%D1%80%D0%B0.exe\r\n" +
                           kWindowDefaults + "[History]\r\nLog=1\r\n" + kTrayDefaults;
  fakes.profile.files[kIni] = file;
  ProgramRun run(fakes);
  EXPECT_TRUE(run.form->TabSheet5->Controls().empty());
  EXPECT_TRUE(run.form->TabSheet6->Controls().empty());
  EXPECT_EQ(fakes.windowSystem.hotKeys.size(), 1u) << "the hotkey is held from the start";
  run.stop();
  EXPECT_EQ(fakes.profile.files[kIni], file);
}

TEST_F(Settings, TheWindowsSizeComesBackAndASideThatIsNoSizeItMayHaveGivesTheSmallest) {
  struct Case {
    const char* file;  // the section's lines as found
    int width, height;
  };
  const std::vector<Case> cases = {
      {"Width=600\r\nHeight=500\r\n", 600, 500},           {"Width=452\r\nHeight=16384\r\n", 452, 16384},
      {"Width=451\r\nHeight=-500\r\n", 452, 311},  // smaller than the window was made for
      {"Width=16385\r\nHeight=99999999999\r\n", 452, 311}, {"Width=wide\r\nHeight=\r\n", 452, 311},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    fakes::FakeServices machine;
    machine.process.moduleFileName = kExe;
    machine.profile.files[kIni] = std::string("[Window]\r\n") + c.file;
    ProgramRun run(machine);
    EXPECT_EQ(run.form->Width(), c.width);
    EXPECT_EQ(run.form->Height(), c.height);
    EXPECT_EQ(run.form->PageControl1->Height(), c.height);
    run.stop();
    const std::string written =
        "[Window]\r\nWidth=" + std::to_string(c.width) + "\r\nHeight=" + std::to_string(c.height) + "\r\n";
    EXPECT_EQ(machine.profile.files[kIni].substr(0, written.size()), written);
  }
}

TEST_F(Settings, TheBoxThatHidesWindowsOwnEntriesIsKeptInTheWindowsSectionAndIsOnUnlessItSays0) {
  struct Case {
    const char* file;  // the section's lines as found
    bool shown;        // the box at the start; the user then flips it
  };
  const std::vector<Case> cases = {
      {"", true}, {"HideWindowsEntries=0\r\n", false}, {"HideWindowsEntries=7\r\n", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    fakes::FakeServices machine;
    machine.process.moduleFileName = kExe;
    machine.profile.files[kIni] = std::string("[Window]\r\n") + c.file;
    ProgramRun run(machine);
    run.form->TabSheet3Show(run.form);
    TCheckBox* box = run.form->StartupManagerPage->chkHideWindows;
    EXPECT_EQ(box->Checked(), c.shown);
    box->Toggle();
    run.stop();
    EXPECT_NE(machine.profile.files[kIni].find(std::string("HideWindowsEntries=") + (c.shown ? "0" : "1")),
              std::string::npos);
  }
}

TEST_F(Settings, ALargerWindowsStartupListsShareItsHeightAndTakeItsWidthAndTheOtherPagesStayAsTheyWere) {
  struct Case {
    int width, height;
    int listWidth, liveHeight, backupTop, backupHeight;
  };
  // The first makes the page, which takes the window's size then; the others lay it out anew.
  const std::vector<Case> cases = {
      {800, 611, 792, 274, 296, 285},
      {452, 311, 444, 124, 146, 135},
      {452, 312, 444, 124, 146, 136},  // the odd pixel goes to the lower list
      {300, 200, 444, 124, 146, 135},  // never below the smallest
  };
  ProgramRun run(fakes);
  TfrmVantrel& f = *run.form;
  const auto bounds = [](const TControl* c) {
    return std::vector<int>{c->Left(), c->Top(), c->Width(), c->Height()};
  };
  const std::vector<int> button = bounds(f.btnFreeAll);
  const std::vector<int> note = bounds(ShowFreeMemoryPage(f).lvRegions);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    f.Resized(c.width, c.height);
    f.TabSheet3Show(&f);
    const TStartupPage& page = *f.StartupManagerPage;
    EXPECT_EQ(bounds(f.PageControl1), (std::vector<int>{0, 0, c.width, c.height}));
    EXPECT_EQ(bounds(f.TabSheet3), (std::vector<int>{0, 0, c.width, c.height}));
    EXPECT_EQ(bounds(page.ListView1), (std::vector<int>{0, 20, c.listWidth, c.liveHeight - 20}));
    EXPECT_EQ(bounds(page.Panel1), (std::vector<int>{0, c.liveHeight, c.listWidth, 22}));
    EXPECT_EQ(bounds(page.ListView2), (std::vector<int>{0, c.backupTop, c.listWidth, c.backupHeight}));
    EXPECT_EQ(bounds(f.btnFreeAll), button);
    EXPECT_EQ(bounds(f.FreeMemoryPage->lvRegions), note);
  }
}

TEST_F(Settings, ExistingLinesAreUpdatedInPlaceAndNewKeysFollow) {
  fakes.profile.files[kIni] = "[Other]\r\nx=1\r\n[Vantrel]\r\nCMI=3\r\nIDX=2\r\n[Tail]\r\ny=2\r\n";
  ProgramRun run(fakes);
  run.stop();
  EXPECT_EQ(
      fakes.profile.files[kIni],
      "[Other]\r\nx=1\r\n[Vantrel]\r\nCMI=3\r\nIDX=2\r\nAutoRun=1\r\nAutoFree=1\r\nTarget=16\r\nGRFSH=1\r\n"
      "TRFSH=1\r\nTRYT=1\r\nLCLK=4\r\nWAIT=1\r\nCPU=80\r\nMIN=6\r\n[Tail]\r\ny=2\r\n" +
          std::string(kFreeMemoryDefaults) + kWindowDefaults + kHistoryDefaults + kTrayDefaults);
}

TEST_F(Settings, ValuesFromTheFileAndWhatIsWrittenBack) {
  struct Case {
    std::string line;
    std::string shown;  // what the window shows
    std::function<std::string(TfrmVantrel&)> read;
    std::string written;  // the key's line after the exit
  };
  const auto text = [](TSpinEdit* TfrmVantrel::*edit) {
    return [edit](TfrmVantrel& f) { return (f.*edit)->Text(); };
  };
  const auto figure = [](TfrmVantrel& f) {  // the tray figure's colour at 12.5 % free
    f.Timer2Timer(f.Timer2);
    return std::to_string(f.TextTrayIcon1->Font().Color);
  };
  const std::string orange = std::to_string(0x004AB0), red = std::to_string(0x0000C0);
  const std::vector<Case> cases = {
      {"CMI=9", "6", text(&TfrmVantrel::edtCMI), "CMI=6"},
      {"CMI=0", "1", text(&TfrmVantrel::edtCMI), "CMI=1"},
      {"MIN=1000", "1000", text(&TfrmVantrel::edtMin), "MIN=1000"},
      {"CPU=0x50", "80", text(&TfrmVantrel::edtCPU), "CPU=80"},
      {"CPU=abc", "80", text(&TfrmVantrel::edtCPU), "CPU=80"},
      {"CPU=$1E", "30", text(&TfrmVantrel::edtCPU), "CPU=30"},
      {"TRYT=0", "0", text(&TfrmVantrel::edtTRYT), "TRYT=0"},
      {"GRFSH=-4", "-4", text(&TfrmVantrel::edtGRFSH), "GRFSH=-4"},
      {"LCLK=12", "-1", [](TfrmVantrel& f) { return std::to_string(f.ComboBox1->ItemIndex()); }, "LCLK=-1"},
      {"LCLK=9", "Show /Hide", [](TfrmVantrel& f) { return f.ComboBox1->Caption(); }, "LCLK=9"},
      {"IDX=40", "4", [](TfrmVantrel& f) { return std::to_string(f.listMax->ItemIndex()); }, "IDX=4"},
      {"IDX=0", "0", [](TfrmVantrel& f) { return std::to_string(f.listMax->ItemIndex()); }, "IDX=0"},
      {"IDX=28", "28", [](TfrmVantrel& f) { return std::to_string(f.listMax->ItemIndex()); }, "IDX=28"},
      {"Target=100", "100", [](TfrmVantrel& f) { return f.lblTARGET->Caption(); }, "Target=100"},
      {"AutoFree=0", "1", [](TfrmVantrel& f) { return std::to_string(f.CheckBox1->Checked()); },
       "AutoFree=1"},
      {"AutoFree=-1", "0", [](TfrmVantrel& f) { return std::to_string(f.CheckBox1->Checked()); },
       "AutoFree=-1"},
      {"[Tray]\r\nLowPercent=35\r\nLowColor=ff8000", std::to_string(0x0080FF), figure, "LowColor=FF8000"},
      {"[Tray]\r\nLowPercent=101\r\nLowColor=#FF8000", orange, figure, "LowPercent=20"},
      {"[Tray]\r\nLowPercent=x\r\nLowColor=FF80", orange, figure, "LowColor=B04A00"},
      {"[Tray]\r\nLowPercent=10\r\nCriticalPercent=15\r\nCriticalColor=0x8000", red, figure,
       "CriticalColor=C00000"},
      {"[Tray]\r\nLowPercent=0\r\nCriticalPercent=0", std::to_string(clWindowText), figure, "LowPercent=0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    fakes::FakeServices machine;
    machine.memory.status = {512 * kMiB, 64 * kMiB};
    machine.process.moduleFileName = kExe;
    machine.profile.files[kIni] = settingsText({c.line});
    ProgramRun run(machine);
    EXPECT_EQ(c.read(*run.form), c.shown);
    run.stop();
    EXPECT_NE(machine.profile.files[kIni].find("\r\n" + c.written + "\r\n"), std::string::npos)
        << machine.profile.files[kIni];
  }
}

TEST_F(Settings, IntervalsComeFromTheEditsAsTheyAre) {
  fakes.profile.files[kIni] = settingsText({"GRFSH=0", "CPU=abc", "TRFSH=3", "CMI=4"});
  ProgramRun run(fakes);
  EXPECT_EQ(run.form->Timer3->Interval(), 0u);
  EXPECT_EQ(run.form->Timer2->Interval(), 3000u);
  EXPECT_EQ(run.form->Timer1->Interval(), 4000u);
}

TEST_F(Settings, AutomaticReclaimOffStopsTheCheckTimer) {
  fakes.profile.files[kIni] = settingsText({"AutoFree=-1"});
  ProgramRun run(fakes);
  EXPECT_FALSE(run.form->Timer1->Enabled());
  EXPECT_FALSE(run.form->SEnable->Checked);
}

TEST_F(Settings, AutoRunOtherThanOneLeavesTheBoxAndTheRegistryAlone) {
  for (const char* value : {"0", "-1", "7"}) {
    SCOPED_TRACE(value);
    fakes::FakeServices machine;
    machine.process.moduleFileName = kExe;
    machine.registry.setString(kHklm, kRunKey, "Vantrel", "D:\\old\\Vantrel.exe");
    machine.profile.files[kIni] = settingsText({std::string("AutoRun=") + value});
    ProgramRun run(machine);
    EXPECT_FALSE(run.form->CheckBox2->Checked());
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), "D:\\old\\Vantrel.exe");
    run.stop();
    EXPECT_NE(machine.profile.files[kIni].find("AutoRun=-1"), std::string::npos);
  }
}

TEST_F(Settings, TheAutoStartValueNamesTheRunningExecutable) {
  struct Case {
    std::string exe;
    std::string value;
    std::string ini;
  };
  const std::vector<Case> cases = {
      {"C:\\Apps\\Vantrel\\Vantrel.exe", "C:\\Apps\\Vantrel\\Vantrel.exe", "C:\\Apps\\Vantrel\\Vantrel.ini"},
      // An administrator's copy writes where the same user's copy without administrator rights would.
      {"C:\\Program Files\\Vantrel\\Vantrel.exe", "\"C:\\Program Files\\Vantrel\\Vantrel.exe\"", kUserIni},
      {"D:\\Tools\\vt2.exe", "D:\\Tools\\vt2.exe", "D:\\Tools\\Vantrel.ini"},
      {"C:\\Πρόγραμμα 内存\\Vantrel.exe", "\"C:\\Πρόγραμμα 内存\\Vantrel.exe\"",
       "C:\\Πρόγραμμα 内存\\Vantrel.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.exe);
    fakes::FakeServices machine;
    machine.process.moduleFileName = c.exe;
    ProgramRun run(machine);
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), c.value);
    // Unchecking deletes the value; checking writes it anew.
    run.form->CheckBox2->SetChecked(false);
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), std::nullopt);
    run.form->CheckBox2->SetChecked(true);
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), c.value);
    run.stop();
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), c.value);
    EXPECT_EQ(machine.profile.files.count(c.ini), 1u);
    EXPECT_EQ(machine.registry.openHandles(), 0);
  }
}

TEST_F(Settings, AnExistingAutoStartValueIsKeptAndTheExitRecreatesAMissingOne) {
  fakes.fileSystem.addFile("E:\\elsewhere\\Vantrel.exe");
  fakes.registry.setString(kHklm, kRunKey, "Vantrel", "E:\\elsewhere\\Vantrel.exe");
  ProgramRun run(fakes);
  EXPECT_EQ(autoStart(), "E:\\elsewhere\\Vantrel.exe");
  run.stop();
  EXPECT_EQ(autoStart(), "E:\\elsewhere\\Vantrel.exe");

  // Deleted by someone else while the program ran with the box checked: the exit writes it again.
  ProgramRun again(fakes);
  fakes.registry.deleteValue(kHklm, kRunKey, "Vantrel");
  again.stop();
  EXPECT_EQ(autoStart(), kExe);
}

TEST_F(Settings, AReadOnlyFileKeepsTheKeysWrittenBeforeTheFailure) {
  fakes.profile.faults.failOn("WritePrivateProfileStringW", 3, true);
  ProgramRun run(fakes);
  run.form->CheckBox2->SetChecked(false);  // the exit must not recreate the value either way
  run.form->CheckBox2->SetChecked(true);
  fakes.registry.log.clear();
  const auto before = autoStart();
  run.stop();
  EXPECT_EQ(fakes.profile.files[kIni], settingsText({"AutoRun=1", "AutoFree=1"}));
  EXPECT_EQ(messages(), (std::vector<std::string>{"Unable to write to C:\\Apps\\Vantrel\\Vantrel.ini."}));
  EXPECT_TRUE(fakes.registry.log.empty());  // the auto-start step is skipped
  EXPECT_EQ(autoStart(), before);
}

TEST_F(Settings, ABoxThatIsNotANumberAtExitKeepsWhatTheFileHadAndTheRestIsWritten) {
  struct Case {
    TSpinEdit* TfrmVantrel::*edit;
    std::string text;
    std::string fileLine;  // the key's line in the file at start-up, if any
    std::string written;
  };
  const std::vector<Case> cases = {{&TfrmVantrel::edtCMI, "", "CMI=5", "CMI=5"},
                                   {&TfrmVantrel::edtTRFSH, "1.5", "TRFSH=3", "TRFSH=3"},
                                   {&TfrmVantrel::edtMin, "-", "", "MIN=6"},
                                   {&TfrmVantrel::edtCPU, "99999999999", "CPU=abc", "CPU=80"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    fakes::FakeServices machine;
    machine.process.moduleFileName = kExe;
    machine.profile.files[kIni] = settingsText({c.fileLine});
    ProgramRun run(machine);
    (run.form->*c.edit)->SetText(c.text);
    run.form->edtWAIT->SetText("7");
    machine.registry.log.clear();
    run.stop();
    const std::string& file = machine.profile.files[kIni];
    EXPECT_NE(file.find("\r\n" + c.written + "\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\r\nWAIT=7\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\r\nCMI="), std::string::npos) << file;  // the last key written: all of them are
    EXPECT_TRUE(machine.dialogs.boxes.empty());
    EXPECT_FALSE(machine.registry.log.empty());  // the auto-start step ran after the writes
  }
}

TEST_F(Settings, AStandardUserKeepsTheirSettingsAndTheirAutoStart) {
  standardUser();
  // Left beside the executable by an installer: read while the user has no file of their own.
  fakes.profile.files[kInstalledIni] = settingsText({"CPU=50", "AutoFree=1"});
  ProgramRun first(fakes);
  TfrmVantrel& f = *first.form;
  EXPECT_EQ(f.edtCPU->Text(), "50");
  EXPECT_TRUE(f.CheckBox2->Checked());
  EXPECT_TRUE(f.CheckBox1->Checked());
  EXPECT_TRUE(f.Timer1->Enabled());
  EXPECT_EQ(userAutoStart(), kInstalledCommand);
  EXPECT_EQ(autoStart(), std::nullopt);
  f.edtWAIT->SetText("7");
  first.stop();
  EXPECT_EQ(fakes.profile.files[kUserIni],
            settingsText({"AutoRun=1", "AutoFree=1", "Target=16", "GRFSH=1", "TRFSH=1", "TRYT=1", "LCLK=4",
                          "WAIT=7", "CPU=50", "IDX=4", "MIN=6", "CMI=1"}) +
                std::string(kFreeMemoryDefaults) + kWindowDefaults + kHistoryDefaults + kTrayDefaults);
  EXPECT_EQ(fakes.profile.files[kInstalledIni], settingsText({"CPU=50", "AutoFree=1"}));

  // From now on the user's own file counts.
  fakes.profile.files[kInstalledIni] = settingsText({"CPU=60", "WAIT=2"});
  ProgramRun second(fakes);
  EXPECT_EQ(second.form->edtCPU->Text(), "50");
  EXPECT_EQ(second.form->edtWAIT->Text(), "7");
  second.stop();
  EXPECT_EQ(fakes.registry.valueNames(kHkcu, kRunKey), std::vector<std::string>{"Vantrel"});
  EXPECT_EQ(autoStart(), std::nullopt);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(fakes.registry.openHandles(), 0);
}

TEST_F(Settings, AFolderThatTurnsReadOnlyWhileTheProgramRunsSendsTheExitToTheUsersFolder) {
  fakes.profile.files[kIni] = settingsText({"CPU=50"});
  ProgramRun run(fakes);
  fakes.fileSystem.denyWriting("C:\\Apps\\Vantrel");
  run.stop();
  EXPECT_EQ(fakes.profile.files[kIni], settingsText({"CPU=50"}));
  EXPECT_NE(fakes.profile.files[kUserIni].find("\r\nCPU=50\r\n"), std::string::npos);
  EXPECT_TRUE(messages().empty());

  // Where Windows does not tell where this user's application data is, nothing goes elsewhere.
  fakes.fileSystem.appData.clear();
  const int folders = fakes.fileSystem.faults.calls("CreateDirectoryW");
  ProgramRun unknown(fakes);
  unknown.stop();
  EXPECT_EQ(fakes.fileSystem.faults.calls("CreateDirectoryW"), folders);
}

TEST_F(Settings, TheAutoStartEntryIsFoundInEitherKeyAndWrittenOnce) {
  struct Case {
    std::string what;
    std::optional<std::string> machine;  // the entries before the start
    std::optional<std::string> user;
    bool standardUser;
    std::vector<std::string> existing;  // files on the disk besides the executable
    std::optional<std::string> machineAfter;
    std::optional<std::string> userAfter;
    std::string told = {};  // the one box it shows
  };
  const std::string gone = "C:\\Old\\Vantrel.exe";
  const auto taken = [](const std::string& scope, const std::string& command) {
    return "The name \"Vantrel\" is taken in the programs that start at log-on (" + scope + "): it starts " +
           command + ". Vantrel left it as it is.";
  };
  // A value rewritten for a program that is gone is quoted, blank or not.
  const std::string rewritten = std::string("\"") + kExe + "\"";
  const std::vector<Case> cases = {
      {"first start", {}, {}, false, {}, kExe, {}},
      {"first start of a standard user", {}, {}, true, {}, {}, kExe},
      {"this user's entry counts",
       {},
       "C:\\Mine\\Vantrel.exe",
       false,
       {"C:\\Mine\\Vantrel.exe"},
       {},
       "C:\\Mine\\Vantrel.exe"},
      {"the machine's entry counts for a standard user", kExe, {}, true, {}, kExe, {}},
      {"a gone program is rewritten where it is", {}, gone, false, {}, {}, rewritten},
      {"a gone program in a key that refuses", gone, {}, true, {}, gone, rewritten},
      {"gone in both keys: one is rewritten", gone, gone, false, {}, rewritten, gone},
      {"quoted, with an argument", "\"C:\\Old Place\\Vantrel.exe\" /tray", {}, false, {}, rewritten, {}},
      {"gone from a network share", "\\\\server\\share\\Vantrel.exe", {}, false, {}, rewritten, {}},
      // Another program's entry of that name is neither counted nor changed, and the user hears of it.
      {"another program that is there",
       "C:\\Tools\\launch.exe Vantrel",
       {},
       false,
       {"C:\\Tools\\launch.exe"},
       "C:\\Tools\\launch.exe Vantrel",
       kExe,
       taken("All users", "C:\\Tools\\launch.exe Vantrel")},
      {"taken in both keys",
       "C:\\Tools\\launch.exe Vantrel.exe",
       "\"D:\\Vantrel.exe.cmd\"",
       false,
       {},
       "C:\\Tools\\launch.exe Vantrel.exe",
       "\"D:\\Vantrel.exe.cmd\"",
       taken("All users", "C:\\Tools\\launch.exe Vantrel.exe") + "\n" +
           taken("This user", "\"D:\\Vantrel.exe.cmd\"") +
           "\nVantrel could not be set to start with Windows."},
      {"found through the search path", "Vantrel.exe", {}, false, {}, "Vantrel.exe", {}},
      {"expanded at log-on",
       "%ProgramFiles%\\Vantrel\\Vantrel.exe",
       {},
       false,
       {},
       "%ProgramFiles%\\Vantrel\\Vantrel.exe",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes::FakeServices machine;
    machine.process.moduleFileName = kExe;
    if (c.standardUser) {
      machine.registry.denyWriting(kHklm, kRunKey);
    }
    if (c.machine) {
      machine.registry.setString(kHklm, kRunKey, "Vantrel", *c.machine);
    }
    if (c.user) {
      machine.registry.setString(kHkcu, kRunKey, "Vantrel", *c.user);
    }
    for (const std::string& file : c.existing) {
      machine.fileSystem.addFile(file);
    }
    ProgramRun run(machine);
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), c.machineAfter);
    EXPECT_EQ(machine.registry.stringValue(kHkcu, kRunKey, "Vantrel"), c.userAfter);
    run.stop();
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), c.machineAfter);
    EXPECT_EQ(machine.registry.stringValue(kHkcu, kRunKey, "Vantrel"), c.userAfter);
    EXPECT_EQ(machine.dialogs.boxes.size(), c.told.empty() ? 0u : 1u);
    EXPECT_EQ(machine.dialogs.boxes.empty() ? "" : machine.dialogs.boxes[0].text, c.told);
  }
}

TEST_F(Settings, UntickingRemovesTheEntryFromBothKeysButNotAnotherProgramsOfItsName) {
  const std::string other = "C:\\Tools\\launch.exe Vantrel";
  for (const std::string user : {"D:\\Other\\Vantrel.exe", "", other.c_str()}) {
    SCOPED_TRACE(user.empty() ? "in the machine's key, this user's Run key there and empty" : user);
    fakes::FakeServices machine;
    machine.process.moduleFileName = kExe;
    machine.registry.setString(kHklm, kRunKey, "Vantrel", kExe);
    machine.registry.createKey(kHkcu, kRunKey);
    if (!user.empty()) {
      machine.registry.setString(kHkcu, kRunKey, "Vantrel", user);
    }
    ProgramRun run(machine);
    run.form->CheckBox2->SetChecked(false);
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), std::nullopt);
    EXPECT_EQ(machine.registry.stringValue(kHkcu, kRunKey, "Vantrel"),
              user == other ? std::optional(other) : std::nullopt);
    EXPECT_EQ(machine.dialogs.boxes.size(), user == other ? 1u : 0u);
  }
}

TEST_F(Settings, ARefusedAutoStartIsToldOncePerRunAndStopsNoOtherSetting) {
  for (const bool toggled : {false, true}) {
    SCOPED_TRACE(toggled ? "unticked and ticked again" : "ticked");
    fakes::FakeServices machine;
    machine.process.moduleFileName = kExe;
    machine.registry.denyWriting(kHklm, kRunKey);
    machine.registry.denyWriting(kHkcu, kRunKey);
    machine.profile.files[kIni] = settingsText({"LCLK=2", "AutoFree=1"});
    ProgramRun run(machine);
    TfrmVantrel& f = *run.form;
    EXPECT_EQ(f.ComboBox1->ItemIndex(), 2);
    EXPECT_TRUE(f.CheckBox2->Checked());
    EXPECT_TRUE(f.CheckBox1->Checked());
    EXPECT_TRUE(f.Timer1->Enabled());
    if (toggled) {
      f.CheckBox2->SetChecked(false);
      f.CheckBox2->SetChecked(true);
    }
    run.stop();
    ASSERT_EQ(machine.dialogs.boxes.size(), 1u);
    EXPECT_EQ(machine.dialogs.boxes[0].text, kNotAdded);
    EXPECT_NE(machine.profile.files[kIni].find("AutoFree=1"), std::string::npos);
    EXPECT_NE(machine.profile.files[kIni].find("AutoRun=1"), std::string::npos);
    EXPECT_EQ(machine.registry.openHandles(), 0);
  }

  // An entry that the machine's key keeps: unticking says so, once.
  fakes.registry.setString(kHklm, kRunKey, "Vantrel", kExe);
  fakes.registry.setString(kHkcu, kRunKey, "Vantrel", kExe);
  fakes.registry.denyWriting(kHklm, kRunKey);
  ProgramRun run(fakes);
  run.form->CheckBox2->SetChecked(false);
  run.form->CheckBox2->SetChecked(true);
  run.form->CheckBox2->SetChecked(false);
  EXPECT_EQ(autoStart(), kExe);
  EXPECT_EQ(userAutoStart(), std::nullopt);
  EXPECT_EQ(messages(),
            std::vector<std::string>{
                "Vantrel could not be kept from starting with Windows: Windows does not let this user "
                "remove it from the programs that start at log-on."});

  // Another program's entry of that name, told at start, does not silence the refusal after.
  fakes::FakeServices other;
  other.process.moduleFileName = kExe;
  other.registry.setString(kHklm, kRunKey, "Vantrel", kExe);
  other.registry.setString(kHkcu, kRunKey, "Vantrel", "C:\\Tools\\launch.exe");
  other.registry.denyWriting(kHklm, kRunKey);
  ProgramRun taken(other);
  taken.form->CheckBox2->SetChecked(false);
  EXPECT_EQ(other.dialogs.boxes.size(), 2u);  // the name taken, then the refusal
}

TEST(CommandProgram, IsTheQuotedPathOrTheFirstPrefixThatNamesAProgram) {
  fakes::FakeServices machine;
  machine.fileSystem.addFile("C:\\Apps\\Two.exe");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\"C:\\Program Files\\V\\Vantrel.exe\" /min", "C:\\Program Files\\V\\Vantrel.exe"},
      {"\"C:\\Unclosed\\V.exe", "C:\\Unclosed\\V.exe"},
      {"C:\\Program Files\\V\\Vantrel.EXE /min x", "C:\\Program Files\\V\\Vantrel.EXE"},
      {"C:\\My Tools\\run.exe.bak now", "C:\\My Tools\\run.exe.bak now"},
      {"C:\\Tools\\start.bat", "C:\\Tools\\start.bat"},
      // Windows starts the shorter prefix that names a file; only the name tells where none is known.
      {"C:\\Apps\\Two Words\\Vantrel.exe /min", "C:\\Apps\\Two"},
  };
  for (const auto& [command, program] : cases) {
    SCOPED_TRACE(command);
    EXPECT_EQ(CommandProgram(command, &machine.fileSystem), program);
  }
  EXPECT_EQ(CommandProgram(cases.back().first), "C:\\Apps\\Two Words\\Vantrel.exe");
}

TEST_F(Settings, ShowingTheWindowMarksItShownAndStartsTheDisplayTimer) {
  ProgramRun run(fakes);
  TfrmVantrel& f = *run.form;
  f.Timer3->SetEnabled(false);
  f.Application()->Restore();
  EXPECT_TRUE(f.Visible());
  EXPECT_EQ(f.Label15->Caption(), "0");
  EXPECT_TRUE(f.Timer3->Enabled());
}

}  // namespace
}  // namespace vantrel
