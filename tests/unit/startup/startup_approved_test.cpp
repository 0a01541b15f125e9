// Windows' own switch of each log-on entry, as the startup manager shows and sets it from Windows 8 on,
// against the in-memory registry.
#include "startup/startup_approved.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "fake_native_application.h"
#include "fake_services.h"
#include "startup/refusals.h"
#include "startup/run_key.h"
#include "startup/startup_rows.h"
#include "startup_page.h"

namespace vantrel {
namespace {

using Bytes = std::vector<std::uint8_t>;
const platform::HKey kHklm = platform::kHKeyLocalMachine;
const platform::HKey kHkcu = platform::kHKeyCurrentUser;
constexpr char kApproved[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr char kApproved32[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";
constexpr char kRun32[] = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";

// A switch as Windows writes it: the flags' low byte, then the FILETIME, little-endian.
Bytes switchData(std::uint8_t flags, std::uint64_t time) {
  Bytes data = {flags, 0, 0, 0};
  for (int i = 0; i < 8; ++i) {
    data.push_back(static_cast<std::uint8_t>(time >> (8 * i)));
  }
  return data;
}

class StartupApproved : public ::testing::Test, protected StartupPage {
 protected:
  StartupApproved() {
    fakes.version.majorVersion = 6;
    fakes.version.minorVersion = 2;
  }
  // A showing that fails fails the test.
  TStartupPage& show() {
    form_->TabSheet3Show(form_);
    return page();
  }
  // Selects only the rows of these names (in every scope, or in one).
  void select(const std::vector<std::string>& names, const std::string& scope = "") {
    TListView* list = page().ListView1;
    for (int i = 0; i < list->RowCount(); ++i) {
      const TListRow& row = list->Rows()[i];
      const bool named = std::find(names.begin(), names.end(), row.Caption) != names.end();
      list->SetSelected(i, named && (scope.empty() || ScopeOf(row) == scope));
    }
  }
  // Every row as "name / scope / status".
  std::vector<std::string> statuses() const {
    std::vector<std::string> rows;
    for (const TListRow& row : page().ListView1->Rows()) {
      rows.push_back(row.Caption + " / " + ScopeOf(row) + " / " + row.SubItems[kStatusItem]);
    }
    return rows;
  }
  std::optional<Bytes> switchOf(platform::HKey root, const char* path, const std::string& name) const {
    const auto value = fakes.registry.value(root, path, name);
    if (!value) {
      return std::nullopt;
    }
    EXPECT_EQ(value->type, platform::kRegBinary) << name;
    return value->data;
  }
};

TEST_F(StartupApproved, TheColumnAndTheMenuComeWithWindows8Only) {
  struct Case {
    const char* what;
    std::uint32_t major, minor;
    bool shown;
  };
  const std::vector<Case> cases = {
      {"XP", 5, 1, false}, {"7", 6, 1, false}, {"8", 6, 2, true}, {"8.1", 6, 3, true}, {"10", 10, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes::FakeServices machine;
    machine.version.majorVersion = c.major;
    machine.version.minorVersion = c.minor;
    machine.registry.setString(kHklm, kRunKey, "App", "app.exe");
    TApplication application(machine.services, std::make_unique<fakes::FakeNativeApplication>());
    auto* f = application.CreateForm<TfrmVantrel>();
    f->TabSheet3Show(f);
    TStartupPage& p = *f->StartupManagerPage;
    std::vector<std::string> columns;
    for (const TListColumn& column : p.ListView1->Columns()) {
      columns.push_back(column.Caption);
    }
    const std::vector<std::string> expected =
        c.shown ? std::vector<std::string>{"Auto Run Items", "Location",  "Scope",
                                           "Status",         "Publisher", "Program"}
                : std::vector<std::string>{"Auto Run Items", "Location", "Scope", "Publisher", "Program"};
    EXPECT_EQ(columns, expected);
    ASSERT_EQ(p.ListView1->RowCount(), 1);
    const std::vector<std::string> row =
        c.shown ? std::vector<std::string>{"Run", "All users", "Enabled", "", "app.exe"}
                : std::vector<std::string>{"Run", "All users", "", "app.exe"};
    EXPECT_EQ(p.ListView1->Rows()[0].SubItems, row);
    // A row brings the rows' menu on every Windows (its switching items from Windows 8 on), and the empty
    // part of the list still the window's.
    EXPECT_EQ(p.ListView1->ContextMenuAt(0), p.LiveMenu);
    EXPECT_EQ(p.ListView1->ContextMenuAt(-1), f->TPopupMenu1);
  }
}

TEST_F(StartupApproved, AnEntryIsDisabledOnlyByTwelveBytesOfBinaryWithBitZeroSet) {
  struct Case {
    const char* name;
    std::optional<Bytes> data;
    std::uint32_t type;
    const char* status;
  };
  const std::vector<Case> cases = {
      {"missing", std::nullopt, platform::kRegBinary, "Enabled"},
      {"02", switchData(0x02, 0), platform::kRegBinary, "Enabled"},
      {"03", switchData(0x03, 0x01D9000000000000), platform::kRegBinary, "Disabled"},
      {"06", switchData(0x06, 0), platform::kRegBinary, "Enabled"},
      {"07", switchData(0x07, 0x01D9000000000000), platform::kRegBinary, "Disabled"},
      {"11 bytes", Bytes{3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7}, platform::kRegBinary, "Enabled"},
      {"13 bytes", Bytes{3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, platform::kRegBinary, "Enabled"},
      {"not binary", switchData(0x03, 0), platform::kRegNone, "Enabled"},
      {"bit 0 beyond the low byte only", Bytes{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, platform::kRegBinary,
       "Enabled"},
  };
  for (const Case& c : cases) {
    fakes.registry.setString(kHklm, kRunKey, c.name, "x.exe");
    if (c.data) {
      fakes.registry.setValue(kHklm, kApproved, c.name, c.type, *c.data);
    }
  }
  start();
  show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto& rows = page().ListView1->Rows();
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&](const TListRow& r) { return r.Caption == c.name; });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ(row->SubItems[kStatusItem], c.status);
  }
  EXPECT_EQ(fakes.registry.openHandles(), 0);
}

TEST_F(StartupApproved, SwitchingKeepsTheOtherBitsAndWritesTheTimeOfSwitchingOff) {
  const std::uint64_t earlier = 0x01D9123456789ABC;
  const std::uint64_t now = fakes.timeOfDay.fileTime;
  fakes.registry.setValue(kHkcu, kApproved, "Two", platform::kRegBinary, switchData(0x02, 0));
  fakes.registry.setValue(kHkcu, kApproved, "Six", platform::kRegBinary, switchData(0x06, 0));
  fakes.registry.setValue(kHkcu, kApproved, "Seven", platform::kRegBinary, switchData(0x07, earlier));
  fakes.registry.setValue(kHkcu, kApproved, "Short", platform::kRegBinary, Bytes{2, 0, 0});
  for (const char* name : {"Two", "Six", "Seven", "Short", "None", "Untouched"}) {
    fakes.registry.setString(kHkcu, kRunKey, name, "x.exe");
  }
  start();
  TStartupPage& f = show();

  select({"Two", "Six", "Seven", "Short", "None"});
  EXPECT_EQ(choose(f.DisableAtLogOn), "");
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Two"), switchData(0x03, now));
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Six"), switchData(0x07, now));
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Seven"), switchData(0x07, earlier));  // off already: as it was
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Short"), switchData(0x03, now));      // Windows does not read it
  EXPECT_EQ(switchOf(kHkcu, kApproved, "None"), switchData(0x03, now));
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Untouched"), std::nullopt);
  EXPECT_EQ(statuses(),
            (std::vector<std::string>{"None / This user / Disabled", "Seven / This user / Disabled",
                                      "Short / This user / Disabled", "Six / This user / Disabled",
                                      "Two / This user / Disabled", "Untouched / This user / Enabled"}));

  fakes.registry.setValue(kHkcu, kApproved, "Odd", platform::kRegBinary, Bytes{2, 0});
  fakes.registry.setString(kHkcu, kRunKey, "Odd", "x.exe");
  show();
  select({"Two", "Six", "Seven", "Untouched", "Odd"});
  EXPECT_EQ(choose(f.EnableAtLogOn), "");
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Two"), switchData(0x02, 0));
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Six"), switchData(0x06, 0));
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Seven"), switchData(0x06, 0));
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Untouched"), std::nullopt);  // no value stays no value
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Odd"), (Bytes{2, 0}));       // on already: left alone
  EXPECT_EQ(statuses()[1], "Odd / This user / Enabled");
  EXPECT_EQ(statuses()[2], "Seven / This user / Enabled");
  EXPECT_EQ(fakes.registry.openHandles(), 0);

  // With no row selected the menu's items do nothing.
  select({});
  EXPECT_EQ(choose(f.DisableAtLogOn), "");
  EXPECT_FALSE(f.DisableAtLogOn->Enabled);
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Untouched"), std::nullopt);
}

TEST_F(StartupApproved, TheMachinesSwitchesAreInThe64BitViewAndThe32BitProgramsKeyHasRun32) {
  for (const bool program32 : {true, false}) {
    SCOPED_TRACE(program32 ? "32-bit program" : "64-bit program");
    fakes::FakeServices machine;
    machine.on64BitWindows(program32);
    machine.version.majorVersion = 10;
    machine.registry.setString(kHklm, kRunKey, "App", "all.exe");
    machine.registry.setString(kHklm, kRun32, "App", "all32.exe");
    machine.registry.setString(kHkcu, kRunKey, "App", "user.exe");
    machine.registry.setValue(kHklm, kApproved, "App", platform::kRegBinary, switchData(0x03, 1));
    auto native = std::make_unique<fakes::FakeNativeApplication>();
    windows = native.get();
    TApplication application(machine.services, std::move(native));
    form_ = application.CreateForm<TfrmVantrel>();
    show();
    EXPECT_EQ(statuses(),
              (std::vector<std::string>{"App / All users / Disabled", "App / All users (32-bit) / Enabled",
                                        "App / This user / Enabled"}));
    select({"App"}, "All users (32-bit)");
    EXPECT_EQ(choose(page().DisableAtLogOn), "");
    EXPECT_EQ(machine.registry.value(kHklm, kApproved32, "App").value().data,
              switchData(0x03, machine.timeOfDay.fileTime));
    EXPECT_EQ(machine.registry.value(kHklm, kApproved, "App").value().data, switchData(0x03, 1));
    EXPECT_FALSE(machine.registry.keyExists(
        kHklm, "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer"));
    EXPECT_EQ(statuses()[1], "App / All users (32-bit) / Disabled");
    form_ = nullptr;
  }
}

TEST_F(StartupApproved, ARefusedScopeIsToldOnceAndTheOtherScopesAreSwitched) {
  fakes.on64BitWindows(true);
  fakes.registry.setString(kHklm, kRunKey, "A", "a.exe");
  fakes.registry.setString(kHklm, kRunKey, "B", "b.exe");
  fakes.registry.setString(kHkcu, kRunKey, "A", "a.exe");
  fakes.registry.setString(kHkcu, kRunKey, "Gone", "gone.exe");
  // A standard user: the machine's keys may be read, not changed, and the switches' key is not there yet.
  fakes.registry.denyWriting(kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer");
  start();
  TStartupPage& f = show();
  select({"A", "B", "Gone"});
  // Another program removes an entry meanwhile: it is not switched, and the lists are read again.
  fakes.registry.deleteValue(kHkcu, kRunKey, "Gone");
  EXPECT_EQ(choose(f.DisableAtLogOn),
            std::string(kStartAsAdministrator) + "\n\n" +
                "Could not switch \"A\" (All users) off at log-on: only an administrator may change entries "
                "for all users.\n"
                "Could not switch \"B\" (All users) off at log-on: only an administrator may change entries "
                "for all users.\n"
                "Could not switch \"Gone\" (This user) off at log-on: it is no longer there.");
  EXPECT_EQ(switchOf(kHkcu, kApproved, "A"), switchData(0x03, fakes.timeOfDay.fileTime));
  EXPECT_EQ(switchOf(kHkcu, kApproved, "Gone"), std::nullopt);
  EXPECT_FALSE(fakes.registry.keyExists(kHklm, kApproved));
  EXPECT_EQ(statuses(), (std::vector<std::string>{"A / All users / Enabled", "A / This user / Disabled",
                                                  "B / All users / Enabled"}));
  EXPECT_EQ(fakes.registry.openHandles(), 0);
}

TEST_F(StartupApproved, AnEntryMovedToTheBackupAndBackKeepsItsSwitch) {
  fakes.registry.setString(kHklm, kRunKey, "App", "app.exe");
  fakes.registry.setValue(kHklm, kApproved, "App", platform::kRegBinary, switchData(0x07, 5));
  start();
  TStartupPage& f = show();
  select({"App"});
  EXPECT_EQ(run([&] { f.SpeedButton1->Click(); }), "");
  ASSERT_EQ(f.ListView2->RowCount(), 1);
  EXPECT_EQ(f.ListView2->Rows()[0].SubItems, (std::vector<std::string>{"Run", "All users", "", "app.exe"}));
  f.ListView2->SetSelected(0, true);
  EXPECT_EQ(run([&] { f.SpeedButton2->Click(); }), "");
  EXPECT_EQ(switchOf(kHklm, kApproved, "App"), switchData(0x07, 5));
  ASSERT_EQ(f.ListView1->RowCount(), 1);
  EXPECT_EQ(f.ListView1->Rows()[0].SubItems,
            (std::vector<std::string>{"Run", "All users", "Disabled", "", "app.exe"}));
}

TEST_F(StartupApproved, TickingAutoStartByHandSwitchesItsEntryOnInItsOwnScopeOnly) {
  const Bytes off = switchData(0x03, 0x01D9000000000000);
  for (const bool standardUser : {false, true}) {
    SCOPED_TRACE(standardUser ? "a standard user: the entry in this user's key" : "in the machine's key");
    fakes::FakeServices machine;
    machine.on64BitWindows(true);
    machine.version.majorVersion = 10;
    machine.process.moduleFileName = "C:\\Apps\\Vantrel.exe";
    if (standardUser) {
      machine.registry.denyWriting(kHklm, kRunKey);
    }
    machine.registry.setValue(kHklm, kApproved, "Vantrel", platform::kRegBinary, off);
    machine.registry.setValue(kHkcu, kApproved, "Vantrel", platform::kRegBinary, off);
    TApplication application(machine.services, std::make_unique<fakes::FakeNativeApplication>());
    auto* f = application.CreateForm<TfrmVantrel>();
    // The start-up ticks the box and writes the entry, and leaves Windows' switch as it is.
    ASSERT_TRUE(f->CheckBox2->Checked());
    const platform::HKey owner = standardUser ? kHkcu : kHklm;
    ASSERT_TRUE(machine.registry.stringValue(owner, kRunKey, "Vantrel"));
    EXPECT_EQ(machine.registry.value(owner, kApproved, "Vantrel").value().data, off);

    f->CheckBox2->Toggle();
    EXPECT_EQ(machine.registry.value(owner, kApproved, "Vantrel").value().data, off);
    f->CheckBox2->Toggle();
    EXPECT_EQ(machine.registry.value(owner, kApproved, "Vantrel").value().data, switchData(0x02, 0));
    EXPECT_EQ(machine.registry.value(standardUser ? kHklm : kHkcu, kApproved, "Vantrel").value().data, off);
    EXPECT_TRUE(machine.dialogs.boxes.empty());
  }

  // Where Windows keeps the switch from this user, the tick says that it did not take.
  fakes.registry.setString(kHklm, kRunKey, "Vantrel", "C:\\Apps\\Vantrel.exe");
  fakes.registry.setValue(kHklm, kApproved, "Vantrel", platform::kRegBinary, off);
  fakes.registry.denyWriting(kHklm, kRunKey);
  fakes.registry.denyWriting(kHklm, kApproved);
  fakes.profile.files["C:\\Apps\\Vantrel.ini"] = "[Vantrel]\r\nAutoRun=-1\r\n";
  TfrmVantrel& f = start();
  f.CheckBox2->Toggle();
  EXPECT_EQ(switchOf(kHklm, kApproved, "Vantrel"), off);
  ASSERT_EQ(fakes.dialogs.boxes.size(), 1u);
  EXPECT_EQ(fakes.dialogs.boxes[0].text,
            "Vantrel could not be set to start with Windows: Windows does not let this user add it to the "
            "programs that start at log-on.");
}

}  // namespace
}  // namespace vantrel
