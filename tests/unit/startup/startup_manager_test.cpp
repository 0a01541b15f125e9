// The startup manager page against the in-memory registry: what it lists, and that no move, deletion or
// failure loses an entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "fake_native_application.h"
#include "fake_services.h"
#include "platform/unicode.h"
#include "program/product.h"
#include "startup/refusals.h"
#include "startup/run_key.h"
#include "startup/startup_entries.h"
#include "startup/startup_rows.h"
#include "startup_page.h"

namespace vantrel {
namespace {

const platform::HKey kHklm = platform::kHKeyLocalMachine;
const platform::HKey kHkcu = platform::kHKeyCurrentUser;
// Where the 32-bit programs' keys lie in the 64-bit view.
constexpr char kRun32[] = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kBackup32[] = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run-";
constexpr char kAll[] = "All users";
constexpr char kAll32[] = "All users (32-bit)";
constexpr char kUser[] = "This user";
using Bytes = std::vector<std::uint8_t>;

// String data as the registry holds it: UTF-16LE with its two-byte NUL.
Bytes sz(const std::string& text) {
  Bytes bytes = Utf16LeBytes(Utf8ToUtf16(text));
  bytes.insert(bytes.end(), 2, 0);
  return bytes;
}

std::vector<std::string> captions(const TListView* list) {
  std::vector<std::string> names;
  for (const TListRow& row : list->Rows()) {
    names.push_back(row.Caption);
  }
  return names;
}

// The keys of the Run scopes of 64-bit Windows and of this user's RunOnce and Policy Run, as stored,
// labelled.
struct StoredKey {
  const char* label;
  platform::HKey root;
  const char* path;
};
const StoredKey kScopeKeys[] = {{"all", kHklm, kRunKey},          {"all-", kHklm, kBackupKey},
                                {"all32", kHklm, kRun32},         {"all32-", kHklm, kBackup32},
                                {"user", kHkcu, kRunKey},         {"user-", kHkcu, kBackupKey},
                                {"once", kHkcu, kRunOnceKey},     {"once-", kHkcu, kRunOnceBackupKey},
                                {"policy", kHkcu, kPolicyRunKey}, {"policy-", kHkcu, kPolicyRunBackupKey}};

// The labels of the keys that hold a value of this name, e.g. "all- user".
std::string holders(const fakes::FakeRegistry& registry, const std::string& name) {
  std::string found;
  for (const StoredKey& key : kScopeKeys) {
    if (registry.value(key.root, key.path, name)) {
      found += found.empty() ? key.label : " " + std::string(key.label);
    }
  }
  return found;
}

// Puts a string value of that name into the keys of these labels; its data is "<label>.exe".
void place(fakes::FakeRegistry& registry, const std::string& name, const std::vector<std::string>& labels) {
  for (const StoredKey& key : kScopeKeys) {
    if (std::find(labels.begin(), labels.end(), key.label) != labels.end()) {
      registry.setString(key.root, key.path, name, std::string(key.label) + ".exe");
    }
  }
}

// Every row as "name / place", its place as the refusals name it: "All users", "RunOnce, This user".
std::vector<std::string> scoped(const TListView* list) {
  std::vector<std::string> rows;
  for (const TListRow& row : list->Rows()) {
    rows.push_back(row.Caption + " / " + PlaceText(LocationOf(row), ScopeOf(row)));
  }
  return rows;
}

std::string program(const TListView* list, const std::string& name) {
  for (const TListRow& row : list->Rows()) {
    if (row.Caption == name) {
      const int column = SubItemOf(*list, "Program");
      return row.SubItems.size() <= static_cast<std::size_t>(column) ? "<none>" : row.SubItems[column];
    }
  }
  return "<no row>";
}

// Selects the rows of these names, in one scope or (none given) in every scope.
void select(TListView* list, const std::vector<std::string>& names, const std::string& scope = "") {
  for (int i = 0; i < list->RowCount(); ++i) {
    const TListRow& row = list->Rows()[i];
    for (const std::string& name : names) {
      if (row.Caption == name && (scope.empty() || PlaceText(LocationOf(row), ScopeOf(row)) == scope)) {
        list->SetSelected(i, true);
      }
    }
  }
}

TEST(ProgramText, ByTheValuesType) {
  struct Case {
    const char* what;
    std::uint32_t type;
    Bytes data;
    std::optional<std::string> text;
  };
  const std::vector<Case> cases = {
      {"string", platform::kRegSz, sz("C:\\a.exe /min"), "C:\\a.exe /min"},
      {"string up to its first NUL", platform::kRegSz, Bytes{'a', 0, 0, 0, 'b', 0}, "a"},
      {"string without a terminator", platform::kRegSz, Bytes{'a', 0, 'b', 0}, "ab"},
      {"Greek and Cyrillic string", platform::kRegSz, sz("\u03A9 C:\\\u041F\\p.exe"),
       "\u03A9 C:\\\u041F\\p.exe"},
      {"empty string", platform::kRegSz, Bytes{}, ""},
      {"number", platform::kRegDword, Bytes{0x2A, 0, 0, 0}, "42"},
      {"number 4294967295", platform::kRegDword, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
      {"short number", platform::kRegDword, Bytes{0x01, 0x01}, "257"},
      {"binary with a NUL", platform::kRegBinary, Bytes{0x41, 0x00, 0x42, 0xE9}, "A\r\nB\u00E9"},
      {"empty binary", platform::kRegBinary, Bytes{}, std::nullopt},
      {"expandable string, as stored", platform::kRegExpandSz, sz("%windir%\\x.exe"), "%windir%\\x.exe"},
      {"multi-string", platform::kRegMultiSz, Bytes{'a', 0, 0}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ProgramText({c.type, c.data}), c.text);
  }
}

// One program run with the page, on a fresh machine whose keys the test fills first.
class StartupManager : public ::testing::Test, protected StartupPage {
 protected:
  std::optional<fakes::FakeRegistry::Value> live(const std::string& name) const {
    return fakes.registry.value(kHklm, kRunKey, name);
  }
  std::optional<fakes::FakeRegistry::Value> backup(const std::string& name) const {
    return fakes.registry.value(kHklm, kBackupKey, name);
  }
};

TEST_F(StartupManager, ListsEveryValueButItsOwnEntryInTheUsersOrder) {
  fakes.registry.setString(kHklm, kRunKey, "cherry", "c.exe");
  fakes.registry.setString(kHklm, kRunKey, "vantrel", "C:\\other\\vantrel.exe");
  fakes.registry.setString(kHklm, kRunKey, "", "default.exe");
  fakes.registry.setString(kHklm, kRunKey, "Banana", "b.exe");
  fakes.registry.setString(kHklm, kRunKey, "apple", "a.exe");
  fakes.registry.setString(kHklm, kBackupKey, "Vantrel", "C:\\old\\Vantrel.exe");
  fakes.registry.setValue(kHklm, kBackupKey, "Bell", platform::kRegDword, {0xFF, 0xFF, 0xFF, 0xFF});
  // Another program's value under this program's name is that program's entry.
  fakes.registry.setString(kHkcu, kBackupKey, "Vantrel", "C:\\Tools\\launch.exe Vantrel.exe");
  start();
  ASSERT_TRUE(live("Vantrel"));  // this program's own entry, written at start-up
  EXPECT_EQ(show(), "");
  TStartupPage& f = page();
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"", "apple", "Banana", "cherry", "vantrel"}));
  EXPECT_EQ(program(f.ListView1, ""), "default.exe");
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{"Bell", "Vantrel"}));
  EXPECT_EQ(program(f.ListView2, "Vantrel"), "C:\\Tools\\launch.exe Vantrel.exe");
  EXPECT_EQ(program(f.ListView2, "Bell"), "-1");
  EXPECT_EQ(f.ListView1->Rows()[0].ImageIndex, 0);

  // Every showing lists the keys afresh.
  fakes.registry.setString(kHklm, kRunKey, "date", "d.exe");
  EXPECT_EQ(show(), "");
  EXPECT_EQ(captions(f.ListView1),
            (std::vector<std::string>{"", "apple", "Banana", "cherry", "date", "vantrel"}));
  EXPECT_EQ(fakes.registry.openHandles(), 0);
}

TEST_F(StartupManager, ThePageIsMadeWhenItsTabFirstShowsAndNotAtStart) {
  fakes.registry.setString(kHklm, kRunKey, "App", "app.exe");
  TfrmVantrel& f = start();
  EXPECT_EQ(f.StartupManagerPage, nullptr);
  EXPECT_TRUE(f.TabSheet3->Controls().empty());
  f.Show();  // the window opens on this tab
  ASSERT_NE(f.StartupManagerPage, nullptr);
  // The two lists, the buttons' panel, and the box that hides Windows' own entries with its two labels.
  EXPECT_EQ(f.TabSheet3->Controls().size(), 6u);
  EXPECT_EQ(captions(f.StartupManagerPage->ListView1), (std::vector<std::string>{"App"}));
}

// Every row's Publisher cell, as "name: text".
std::vector<std::string> publishers(const TListView* list) {
  std::vector<std::string> texts;
  for (const TListRow& row : list->Rows()) {
    texts.push_back(row.Caption + ": " + row.SubItems.at(SubItemOf(*list, kPublisherColumn)));
  }
  return texts;
}

TEST_F(StartupManager, ThePublisherColumnSaysWhoSignedEachProgramAsTheWorkerFindsIt) {
  using Verdict = platform::Signature::Verdict;
  struct Case {
    const char* name;
    const char* file;  // none: not on the disks
    platform::Signature signature;
    const char* company;
    const char* text;
    bool greyed;
  };
  const std::vector<Case> cases = {
      {"Signed",
       "C:\\Apps\\Ημερολόγιο.exe",
       {Verdict::Verified, u"Ημερολόγιο Ltd", false},
       "",
       "Verified: Ημερολόγιο Ltd",
       false},
      {"Foreign",
       "C:\\Apps\\f.exe",
       {Verdict::Untrusted, u"Self \u202E", false},
       "",
       "Signer not trusted: Self \\u202E",
       false},
      {"Altered",
       "C:\\Apps\\a.exe",
       {Verdict::NotValid, u"Big Corp", false},
       "Big Corp",
       "Signature not valid",
       false},
      {"Plain", "C:\\Apps\\p.exe", {Verdict::Unsigned, u"", false}, "Maker", "Maker (not verified)", false},
      {"Bare", "C:\\Apps\\b.exe", {Verdict::Unsigned, u"", false}, "", "(not verified)", false},
      {"Gone", nullptr, {}, "", "File not found", true},
      {"Share", "\\\\server\\share\\app.exe", {}, "", "Not checked (network)", true},
  };
  for (const Case& c : cases) {
    const std::string file = c.file ? c.file : "C:\\Gone\\gone.exe";
    if (c.file) {
      fakes.fileSystem.addFile(file);
      fakes.fileSystem.companies[file] = c.company;
      fakes.signatures.signatures[file] = c.signature;
    }
    fakes.registry.setString(kHklm, kRunKey, c.name, "\"" + file + "\" /tray");
  }
  TStartupPage& f = open();
  // The rows show before any program is looked up.
  EXPECT_EQ(publishers(f.ListView1).front(), "Altered: ");
  windows->advance(100);
  EXPECT_FALSE(f.Publishers->Checking());
  const int column = SubItemOf(*f.ListView1, kPublisherColumn) + 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto row = std::find_if(f.ListView1->Rows().begin(), f.ListView1->Rows().end(),
                                  [&](const TListRow& r) { return r.Caption == c.name; });
    ASSERT_NE(row, f.ListView1->Rows().end());
    EXPECT_EQ(row->SubItems.at(column - 1), c.text);
    EXPECT_EQ(f.ListView1->Greyed(*row, column), c.greyed);
  }
  // Signatures of the share's file are not asked for; each file is checked once.
  EXPECT_EQ(fakes.signatures.checks, 5);
  // A program Windows runs through a host of its own names that host.
  ProgramFile hosted;
  hosted.Host = "svchost.exe";
  EXPECT_EQ(PublisherText(hosted, {}, ""), "(runs through svchost.exe)");
}

TEST(StartupManagerWorker, TheWindowThreadLooksNothingUpAndARefillDropsTheAnswersOfTheListsBefore) {
  // While the worker holds its job, and when its answers wait to be taken.
  for (const bool held : {true, false}) {
    SCOPED_TRACE(held ? "held" : "answered");
    StartupPage run;
    run.fakes.fileSystem.addFile("C:\\Apps\\app.exe");
    run.fakes.fileSystem.companies["C:\\Apps\\app.exe"] = "Old";
    run.fakes.registry.setString(kHklm, kRunKey, "App", "C:\\Apps\\app.exe");
    run.fakes.workers.hold = held;
    TStartupPage& f = run.open();
    if (held) {
      run.windows->advance(100);
      EXPECT_EQ(run.fakes.fileSystem.faults.calls("GetFileAttributesW"), 0);
    }
    run.fakes.fileSystem.companies["C:\\Apps\\app.exe"] = "New";
    EXPECT_EQ(run.show(), "");
    run.fakes.workers.hold = false;
    run.fakes.workers.finish();
    run.windows->advance(100);
    EXPECT_EQ(publishers(f.ListView1), (std::vector<std::string>{"App: New (not verified)"}));
  }
}

TEST_F(StartupManager, WindowsOwnEntriesAreKeptAsideByTheirSignatureAloneAndNoActionTouchesThem) {
  const std::string shell = "C:\\Windows\\System32\\Ημερολόγιο.exe";
  const std::string lookAlike = "C:\\Windows\\System32\\look.exe";
  fakes.fileSystem.addFile(shell);
  fakes.fileSystem.addFile(lookAlike);
  fakes.signatures.signatures[shell] = {platform::Signature::Verdict::Verified, u"Windows", true};
  // A name, a folder and a maker of Windows' are no signature.
  fakes.fileSystem.companies[lookAlike] = "Microsoft Corporation";
  fakes.registry.setString(kHklm, kRunKey, "Shell", shell);
  fakes.registry.setString(kHklm, kRunKey, "Windows Defender", lookAlike);
  fakes.registry.setString(kHklm, kBackupKey, "Shell copy", shell);
  TStartupPage& f = open();
  windows->advance(100);
  EXPECT_TRUE(f.chkHideWindows->Checked());
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"Windows Defender"}));
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{}));
  EXPECT_EQ(f.lblHidden->Caption(), "2 of Windows' own entries hidden");
  // Every shown row turned off and the lower list deleted: the hidden entries stay as they were.
  select(f.ListView1, {"Windows Defender"});
  EXPECT_EQ(press(f.SpeedButton1), "");
  select(f.ListView2, {"Windows Defender"});
  EXPECT_EQ(press(f.SpeedButton5), "");
  EXPECT_TRUE(live("Shell"));
  EXPECT_TRUE(backup("Shell copy"));
  f.chkHideWindows->Toggle();
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"Shell"}));
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{"Shell copy"}));
  EXPECT_EQ(f.ListView1->SelCount(), 0);
  EXPECT_EQ(f.lblHidden->Caption(), "");
  // Ticked again, the rows go at once, from what was learnt.
  f.chkHideWindows->Toggle();
  EXPECT_EQ(f.ListView1->RowCount(), 0);
}

TEST_F(StartupManager, DirectionMarksAndLineBreaksOfNamesProgramsAndPublishersShowAndAreNotObeyed) {
  // Drawn as they are, these would read "Microsoft" and "...txt.exe" backwards, and break lines.
  const std::string name = "Update\u202Etxt.exe\u2066";
  const std::string file = "C:\\Apps\\ex\u200Fe.exe";
  const std::string command = "\"" + file + "\" /x\r\n\t";
  fakes.fileSystem.addFile(file);
  fakes.fileSystem.companies[file] = "\u202Etfosorcim\u202C Corp\n";
  fakes.registry.setString(kHklm, kRunKey, name, command);
  TStartupPage& f = open();
  windows->advance(100);
  const TListRow& row = f.ListView1->Rows().at(0);
  EXPECT_EQ(row.Caption, "Update\\u202Etxt.exe\\u2066");
  EXPECT_EQ(program(f.ListView1, row.Caption), "\"C:\\Apps\\ex\\u200Fe.exe\" /x\\u000D\\u000A\\u0009");
  EXPECT_EQ(row.SubItems.at(SubItemOf(*f.ListView1, kPublisherColumn)),
            "\\u202Etfosorcim\\u202C Corp\\u000A (not verified)");
  // The entry itself moves as it is.
  select(f.ListView1, {row.Caption});
  EXPECT_EQ(press(f.SpeedButton1), "");
  EXPECT_EQ(fakes.registry.stringValue(kHklm, kBackupKey, name), command);
}

TEST_F(StartupManager, EachListsRowMenuOffersWhatItsSelectionAllowsAndDoesWhatThePagesButtonsDo) {
  constexpr char kApproved[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
  constexpr char kCalendar[] = "C:\\Apps\\Ημερολόγιο.exe";
  fakes.version.majorVersion = 10;
  fakes.version.minorVersion = 0;
  fakes.fileSystem.addFile(kCalendar);
  fakes.fileSystem.addFile("C:\\Apps\\kept.exe");
  fakes.registry.setString(kHklm, kRunKey, "On", std::string("\"") + kCalendar + "\" /tray");
  fakes.registry.setString(kHklm, kRunKey, "Off", "C:\\Gone\\off.exe");
  fakes.registry.setValue(kHklm, kApproved, "Off", platform::kRegBinary,
                          Bytes{3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  fakes.registry.setString(kHklm, kBackupKey, "Kept", "C:\\Apps\\kept.exe");
  fakes.registry.setString(kHklm, kBackupKey, "Also", "C:\\Apps\\kept.exe");
  fakes.registry.setString(kHklm, kBackupKey, "Lost", "C:\\Gone\\lost.exe");
  // Windows starts a RunOnce entry whatever the Run key's switch of its name says.
  fakes.registry.setString(kHklm, kRunOnceKey, "Once", "C:\\Gone\\once.exe");
  fakes.registry.setValue(kHklm, kApproved, "Once", platform::kRegBinary,
                          Bytes{3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  TStartupPage& f = open();
  windows->advance(100);
  const auto only = [](TListView* list, const std::vector<std::string>& names) {
    for (int i = 0; i < list->RowCount(); ++i) {
      list->SetSelected(i, false);
    }
    select(list, names);
  };
  // What a right click on the rows shows.
  const auto shown = [&](StartupPage& page, const TListView* list) {
    page.windows->menuAnswer = -1;
    list->ContextMenu()->Popup(10, 10);
    return page.windows->menus.back();
  };
  using Items = std::vector<std::string>;
  struct Case {
    const char* what;
    bool backup;
    std::vector<std::string> rows;
    Items items;
  };
  const std::vector<Case> cases = {
      {"enabled, its file there",
       false,
       {"On"},
       {"&Disable at log-on", "&Open file location", "-", "&Turn off", "De&lete"}},
      {"disabled, its file gone", false, {"Off"}, {"&Enable at log-on", "-", "&Turn off", "De&lete"}},
      {"mixed",
       false,
       {"On", "Off"},
       {"&Enable at log-on", "&Disable at log-on", "-", "&Turn off", "De&lete"}},
      {"RunOnce, which has no switch", false, {"Once"}, {"&Turn off", "De&lete"}},
      {"backup, its file there", true, {"Kept"}, {"&Open file location", "-", "&Restore", "De&lete"}},
      {"backup, its file gone", true, {"Lost"}, {"&Restore", "De&lete"}},
      // Explorer shows one file: several rows offer no place.
      {"backup, two with their files", true, {"Also", "Kept"}, {"&Restore", "De&lete"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TListView* list = c.backup ? f.ListView2 : f.ListView1;
    only(list, c.rows);
    EXPECT_EQ(shown(*this, list), c.items);
  }

  // Explorer opens with the file selected, by its name in any script.
  only(f.ListView1, {"On"});
  EXPECT_EQ(choose(f.OpenLiveLocation), "");
  ASSERT_EQ(fakes.shellExecution.calls.size(), 1u);
  const auto& call = fakes.shellExecution.calls.back();
  EXPECT_EQ(call.file, "explorer.exe");
  EXPECT_EQ(call.parameters, std::string("/select,\"") + kCalendar + "\"");
  EXPECT_TRUE(call.wide);
  fakes.shellExecution.answer = 2;
  EXPECT_EQ(choose(f.OpenLiveLocation),
            std::string("Explorer could not be started to show ") + kCalendar + " (error 2).");

  // The page's actions, as its buttons do them.
  EXPECT_EQ(choose(f.TurnOff), "");
  EXPECT_EQ(holders(fakes.registry, "On"), "all-");
  only(f.ListView2, {"Kept"});
  EXPECT_EQ(choose(f.RestoreBackup, f.ListView2), "");
  EXPECT_EQ(holders(fakes.registry, "Kept"), "all");
  only(f.ListView2, {"Lost"});
  EXPECT_EQ(choose(f.DeleteBackup, f.ListView2), "");
  only(f.ListView1, {"Off"});
  EXPECT_EQ(choose(f.DeleteLive), "");
  EXPECT_EQ(holders(fakes.registry, "Lost") + holders(fakes.registry, "Off"), "");

  // Before Windows 8 there is nothing to switch.
  StartupPage old;
  old.fakes.fileSystem.addFile(kCalendar);
  old.fakes.registry.setString(kHklm, kRunKey, "On", kCalendar);
  TStartupPage& g = old.open();
  old.windows->advance(100);
  only(g.ListView1, {"On"});
  EXPECT_EQ(shown(old, g.ListView1), (Items{"&Open file location", "-", "&Turn off", "De&lete"}));
}

TEST_F(StartupManager, AnEntryInBothKeysIsABackupOnlyWhenItsNameTypeAndDataAreTheSame) {
  fakes.registry.setString(kHklm, kRunKey, "Same", "same.exe");
  fakes.registry.setString(kHklm, kBackupKey, "Same", "same.exe");
  // An updater put its program back with a new command line: both are kept.
  fakes.registry.setString(kHklm, kRunKey, "Updated", "new.exe --fast");
  fakes.registry.setString(kHklm, kBackupKey, "Updated", "old.exe");
  fakes.registry.setString(kHklm, kRunKey, "Typed", "t.exe");
  fakes.registry.setValue(kHklm, kBackupKey, "Typed", platform::kRegExpandSz, sz("t.exe"));
  // Names that differ only in blanks are other entries.
  fakes.registry.setString(kHklm, kRunKey, "Foo", "foo.exe");
  fakes.registry.setString(kHklm, kBackupKey, "Foo ", "foo.exe");
  // A duplicate whose live value may not be deleted stays in both lists.
  fakes.registry.setString(kHklm, kRunKey, "Held", "held.exe");
  fakes.registry.setString(kHklm, kBackupKey, "Held", "held.exe");
  start();
  fakes.registry.faults.failOn("RegDeleteValueW", fakes.registry.faults.calls("RegDeleteValueW") + 1);
  EXPECT_EQ(show(), "");
  TStartupPage& f = page();
  EXPECT_EQ(live("Same"), std::nullopt);
  EXPECT_EQ(backup("Same")->data, sz("same.exe"));
  EXPECT_EQ(live("Updated")->data, sz("new.exe --fast"));
  EXPECT_EQ(backup("Updated")->data, sz("old.exe"));
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"Foo", "Held", "Typed", "Updated"}));
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{"Foo ", "Held", "Same", "Typed", "Updated"}));
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kRunKey),
            (std::vector<std::string>{"Updated", "Typed", "Foo", "Held", "Vantrel"}));
}

TEST_F(StartupManager, TheEntriesUsersLookForArePreselectedAtEachShowing) {
  for (const char* name : {"Alpha", "TkBellExe", "Tweak UI ", "Zeta"}) {
    fakes.registry.setString(kHklm, kRunKey, name, "x.exe");
  }
  TStartupPage& f = open();
  fakes::FakeControl& list = *windows->of(*f.ListView1);
  EXPECT_EQ(f.ListView1->SelCount(), 2);
  EXPECT_TRUE(list.rows[1].Selected);
  EXPECT_TRUE(list.rows[2].Selected);
  EXPECT_EQ(list.visibleRows, (std::vector<int>{1, 2}));
  EXPECT_EQ(list.postedFocus, 2);
  f.ListView1->SetSelected(1, false);
  EXPECT_EQ(show(), "");
  EXPECT_TRUE(list.rows[1].Selected);
}

TEST_F(StartupManager, MovingCarriesTheSelectedEntriesWithTheirTypeAndDataAndNeverReplacesAnother) {
  const Bytes expand = sz("%ProgramFiles%\\x.exe");
  fakes.registry.setValue(kHklm, kRunKey, "Expand", platform::kRegExpandSz, expand);
  fakes.registry.setString(kHklm, kRunKey, "One", "  one.exe  ");
  fakes.registry.setString(kHklm, kRunKey, "Two", "two.exe");
  fakes.registry.setString(kHklm, kRunKey, "Three", "three.exe");
  fakes.registry.setString(kHklm, kRunKey, "Stays", "stays.exe");
  TStartupPage& f = open();
  // Meanwhile an older "Two" went to the backup, and "Three" exactly as it is.
  fakes.registry.setString(kHklm, kBackupKey, "Two", "an older two.exe");
  fakes.registry.setString(kHklm, kBackupKey, "Three", "three.exe");
  EXPECT_EQ(program(f.ListView1, "Expand"), "%ProgramFiles%\\x.exe");
  EXPECT_EQ(program(f.ListView1, "Two"), "two.exe");

  select(f.ListView1, {"Expand", "One", "Two", "Three"});
  EXPECT_EQ(
      press(f.SpeedButton1),
      "Could not turn off \"Two\" (All users): the turned-off entries already hold \"Two\" with another "
      "command line.");
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"Stays", "Two"}));
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{"Expand", "One", "Three"}));
  EXPECT_EQ(program(f.ListView2, "One"), "  one.exe  ");
  EXPECT_EQ(backup("Expand")->type, platform::kRegExpandSz);
  EXPECT_EQ(backup("Expand")->data, expand);
  EXPECT_EQ(backup("One")->data, sz("  one.exe  "));
  EXPECT_EQ(backup("Two")->data, sz("an older two.exe"));
  EXPECT_EQ(live("Two")->data, sz("two.exe"));
  EXPECT_EQ(backup("Three")->data, sz("three.exe"));
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kRunKey), (std::vector<std::string>{"Two", "Stays", "Vantrel"}));
  // The native lists took every row change with drawing off, in the order the lists keep.
  for (const TListView* list : {f.ListView1, f.ListView2}) {
    const fakes::FakeControl& native = *windows->of(*list);
    EXPECT_EQ(native.rowsChangedWhileDrawing, 0);
    EXPECT_EQ(native.updating, 0);
    std::vector<std::string> shown;
    for (const TListRow& row : native.rows) {
      shown.push_back(row.Caption);
    }
    EXPECT_EQ(shown, captions(list));
  }

  // The other way round: an updater wrote "One" again with a new command line.
  fakes.registry.setString(kHklm, kRunKey, "One", "one.exe --new");
  select(f.ListView2, {"Expand", "One"});
  EXPECT_EQ(
      press(f.SpeedButton2),
      "Could not restore \"One\" (All users): the entries that start at log-on already hold \"One\" with "
      "another command line.");
  EXPECT_EQ(live("Expand")->type, platform::kRegExpandSz);
  EXPECT_EQ(live("Expand")->data, expand);
  EXPECT_EQ(backup("Expand"), std::nullopt);
  EXPECT_EQ(live("One")->data, sz("one.exe --new"));
  EXPECT_EQ(backup("One")->data, sz("  one.exe  "));
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{"One", "Three"}));
  EXPECT_EQ(fakes.registry.openHandles(), 0);
}

TEST_F(StartupManager, NamesAndPathsOfEveryScriptMoveDownAndUpByteForByte) {
  const std::string greek = "\u03A9mega \u0394\u03AD\u03BB\u03C4\u03B1";
  const std::string chinese = "\u5185\u5B58\U00020000";
  const Bytes cyrillic =
      sz("\"C:\\\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u044B\\p.exe\" /\u0442\u0438\u0445\u043E");
  fakes.registry.setValue(kHklm, kRunKey, greek, platform::kRegSz, cyrillic);
  fakes.registry.setValue(kHklm, kRunKey, chinese, platform::kRegExpandSz, sz("%\u7A0B%\\\u4E2D.exe"));
  TStartupPage& f = open();
  EXPECT_EQ(program(f.ListView1, greek), StringData(cyrillic));
  select(f.ListView1, {greek, chinese});
  EXPECT_EQ(press(f.SpeedButton1), "");
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{greek, chinese}));
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kBackupKey), (std::vector<std::string>{greek, chinese}));
  EXPECT_EQ(backup(greek)->data, cyrillic);
  select(f.ListView2, {greek, chinese});
  EXPECT_EQ(press(f.SpeedButton2), "");
  EXPECT_EQ(live(greek)->name, greek);
  EXPECT_EQ(live(greek)->data, cyrillic);
  EXPECT_EQ(live(chinese)->type, platform::kRegExpandSz);
  EXPECT_EQ(live(chinese)->data, sz("%\u7A0B%\\\u4E2D.exe"));
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kBackupKey), std::vector<std::string>{});

  // A file chosen in a Cyrillic folder is added under its Greek name, its path as it was chosen.
  fakes.dialogs.chosenFiles = {"C:\\\u041F\u0440\u043E\u0433\\\u03A9.exe"};
  EXPECT_EQ(press(f.SpeedButton3), "");
  EXPECT_EQ(live("\u03A9.exe")->data, sz("C:\\\u041F\u0440\u043E\u0433\\\u03A9.exe"));
}

TEST_F(StartupManager, EachOperationOnABlankEdgedNameHitsOnlyItsOwnValue) {
  const std::vector<std::string> twins = {" spaced", "spaced", "spaced\t", "Foo ", "Foo"};
  for (const std::string& name : twins) {
    fakes.registry.setString(kHklm, kRunKey, name, "[" + name + "].exe");
  }
  TStartupPage& f = open();
  EXPECT_EQ(f.ListView1->RowCount(), 5);
  const auto only = [&](const std::string& name) {
    for (int i = 0; i < f.ListView1->RowCount(); ++i) {
      f.ListView1->SetSelected(i, f.ListView1->Rows()[i].Caption == name);
    }
  };
  only(" spaced");
  EXPECT_EQ(press(f.SpeedButton4), "");
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kRunKey),
            (std::vector<std::string>{"spaced", "spaced\t", "Foo ", "Foo", "Vantrel"}));
  only("spaced\\u0009");  // the tab shown as such
  EXPECT_EQ(press(f.SpeedButton1), "");
  only("Foo ");
  EXPECT_EQ(press(f.SpeedButton1), "");
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kBackupKey), (std::vector<std::string>{"spaced\t", "Foo "}));
  EXPECT_EQ(fakes.registry.stringValue(kHklm, kBackupKey, "Foo "), "[Foo ].exe");
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"Foo", "spaced"}));
  // The backup "Foo " does not make the next showing delete the live "Foo".
  EXPECT_EQ(show(), "");
  EXPECT_EQ(live("Foo")->data, sz("[Foo].exe"));
  f.ListView2->SetSelected(0, true);  // "Foo "
  EXPECT_EQ(press(f.SpeedButton5), "");
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kBackupKey), (std::vector<std::string>{"spaced\t"}));
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kRunKey),
            (std::vector<std::string>{"spaced", "Foo", "Vantrel"}));
}

TEST_F(StartupManager, ANameWithANulIsShownWholeAndEveryOperationHitsOnlyItsOwnValue) {
  const std::string hidden("Hidden\0Evil", 11);
  fakes.registry.setString(kHklm, kRunKey, "Hidden", "plain.exe");
  fakes.registry.setString(kHklm, kRunKey, hidden, "evil.exe");
  TStartupPage& f = open();
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"Hidden", "Hidden\\0Evil"}));
  EXPECT_EQ(program(f.ListView1, "Hidden\\0Evil"), "evil.exe");
  select(f.ListView1, {"Hidden\\0Evil"});
  EXPECT_EQ(press(f.SpeedButton1), "");
  EXPECT_EQ(backup(hidden)->data, sz("evil.exe"));
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kRunKey), (std::vector<std::string>{"Hidden", "Vantrel"}));
  select(f.ListView2, {"Hidden\\0Evil"});
  EXPECT_EQ(press(f.SpeedButton2), "");
  select(f.ListView1, {"Hidden\\0Evil"});
  EXPECT_EQ(press(f.SpeedButton4), "");
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kRunKey), (std::vector<std::string>{"Hidden", "Vantrel"}));
  EXPECT_EQ(live("Hidden")->data, sz("plain.exe"));
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kBackupKey), std::vector<std::string>{});
}

TEST_F(StartupManager, AnEntryGoneSinceTheShowingIsNeverMovedAndTheListsAreReadAgain) {
  fakes.registry.setString(kHklm, kRunKey, "A", "a.exe");
  fakes.registry.setString(kHklm, kRunKey, "B", "b.exe");
  fakes.registry.setString(kHklm, kBackupKey, "C", "c.exe");
  TStartupPage& f = open();
  // Another program removes "A" and adds "N"; someone deletes the backup key.
  fakes.registry.deleteValue(kHklm, kRunKey, "A");
  fakes.registry.setString(kHklm, kRunKey, "N", "n.exe");
  fakes.registry.deleteKey(kHklm, kBackupKey);
  select(f.ListView2, {"C"});
  EXPECT_EQ(press(f.SpeedButton2), "Could not restore \"C\" (All users): it is no longer there.");
  EXPECT_EQ(live("C"), std::nullopt);
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"B", "N"}));
  EXPECT_EQ(captions(f.ListView2), std::vector<std::string>{});

  EXPECT_EQ(show(), "");
  fakes.registry.deleteValue(kHklm, kRunKey, "B");
  select(f.ListView1, {"B", "N"});
  EXPECT_EQ(press(f.SpeedButton1), "Could not turn off \"B\" (All users): it is no longer there.");
  EXPECT_EQ(backup("B"), std::nullopt);
  EXPECT_EQ(captions(f.ListView1), std::vector<std::string>{});
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{"N"}));

  // Deleting what another program already removed is what the user wanted: nothing to say.
  fakes.registry.deleteValue(kHklm, kBackupKey, "N");
  fakes.registry.setString(kHklm, kBackupKey, "M", "m.exe");
  select(f.ListView2, {"N"});
  EXPECT_EQ(press(f.SpeedButton5), "");
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{"M"}));
  EXPECT_EQ(fakes.registry.openHandles(), 0);
}

TEST_F(StartupManager, AProgramAddedUnderABackupsNameSurvivesTheNextMove) {
  fakes.registry.setString(kHklm, kBackupKey, "Tool.exe", "C:\\Old\\Tool.exe");
  fakes.registry.setString(kHklm, kRunKey, "Other", "other.exe");
  fakes.dialogs.chosenFiles = {"D:\\New\\Tool.exe"};
  TStartupPage& f = open();
  EXPECT_EQ(press(f.SpeedButton3), "");
  select(f.ListView1, {"Other"});
  EXPECT_EQ(press(f.SpeedButton1), "");
  EXPECT_EQ(fakes.registry.stringValue(kHklm, kRunKey, "Tool.exe"), "D:\\New\\Tool.exe");
  EXPECT_EQ(fakes.registry.stringValue(kHklm, kBackupKey, "Tool.exe"), "C:\\Old\\Tool.exe");
  EXPECT_EQ(fakes.registry.stringValue(kHklm, kBackupKey, "Other"), "other.exe");
}

TEST_F(StartupManager, AddingWritesTheFullPathUnquotedAndRefusesAnExistingName) {
  fakes.registry.setString(kHklm, kRunKey, "Old.exe", "C:\\Keep\\Old.exe");
  fakes.dialogs.chosenFiles = {"C:\\Tools\\My App.exe", "", "E:\\Else\\Old.exe"};
  TStartupPage& f = open();
  EXPECT_EQ(press(f.SpeedButton3), "");
  EXPECT_EQ(program(f.ListView1, "My App.exe"), "C:\\Tools\\My App.exe");
  EXPECT_EQ(fakes.registry.stringValue(kHklm, kRunKey, "My App.exe"), "C:\\Tools\\My App.exe");
  EXPECT_EQ(press(f.SpeedButton3), "");  // cancelled
  EXPECT_EQ(f.ListView1->RowCount(), 2);
  EXPECT_EQ(
      press(f.SpeedButton3),
      "Could not add \"Old.exe\" (All users): the entries that start at log-on already hold \"Old.exe\", "
      "which starts C:\\Keep\\Old.exe.");
  EXPECT_EQ(fakes.registry.stringValue(kHklm, kRunKey, "Old.exe"), "C:\\Keep\\Old.exe");
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"My App.exe", "Old.exe"}));
}

TEST_F(StartupManager, DeletingTakesOnlyTheSelectedEntriesOfEitherKey) {
  fakes.registry.setString(kHklm, kRunKey, "A", "a.exe");
  fakes.registry.setString(kHklm, kRunKey, "B", "b.exe");
  fakes.registry.setString(kHklm, kBackupKey, "C", "c.exe");
  TStartupPage& f = open();
  fakes.registry.log.clear();
  EXPECT_EQ(press(f.SpeedButton4), "");
  EXPECT_EQ(press(f.SpeedButton5), "");
  EXPECT_TRUE(fakes.registry.log.empty());
  EXPECT_EQ(f.ListView1->RowCount(), 2);

  select(f.ListView1, {"B"});
  select(f.ListView2, {"C"});
  EXPECT_EQ(press(f.SpeedButton4), "");
  EXPECT_EQ(press(f.SpeedButton5), "");
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"A"}));
  EXPECT_EQ(captions(f.ListView2), std::vector<std::string>{});
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kRunKey), (std::vector<std::string>{"A", "Vantrel"}));
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kBackupKey), std::vector<std::string>{});
}

TEST_F(StartupManager, AUserWhoMayOnlyReadSeesTheEntriesAndIsToldOfARefusedChangeWhenMakingIt) {
  fakes.registry.setString(kHklm, kRunKey, "A", "a.exe");
  fakes.registry.setString(kHklm, kRunKey, "B", "b.exe");
  fakes.registry.denyWriting(kHklm, kRunKey);
  fakes.registry.denyWriting(kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
  // The backup key is missing and may not be created: nothing is said until an entry is to go there.
  TStartupPage& f = open();
  EXPECT_FALSE(fakes.registry.keyExists(kHklm, kBackupKey));
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"A", "B"}));
  select(f.ListView1, {"A", "B"});
  EXPECT_EQ(
      press(f.SpeedButton1),
      std::string(kStartAsAdministrator) + "\n\n" +
          "Could not turn off \"A\" (All users): only an administrator may change entries for all users.\n"
          "Could not turn off \"B\" (All users): only an administrator may change entries for all users.");
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(f.ListView1->SelCount(), 2);

  fakes.registry.setString(kHklm, kBackupKey, "A", "a.exe");
  fakes.registry.denyWriting(kHklm, kBackupKey);
  EXPECT_EQ(show(), "");
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"A", "B"}));  // may not be resolved
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{"A"}));

  select(f.ListView1, {"B"});
  EXPECT_EQ(
      press(f.SpeedButton1),
      std::string(kStartAsAdministrator) + "\n\n" +
          "Could not turn off \"B\" (All users): only an administrator may change entries for all users.");
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(live("B")->data, sz("b.exe"));
  f.ListView1->SetSelected(1, false);
  select(f.ListView1, {"A"});
  EXPECT_EQ(
      press(f.SpeedButton4),
      std::string(kStartAsAdministrator) + "\n\n" +
          "Could not delete \"A\" (All users): only an administrator may change entries for all users.");
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(live("A")->data, sz("a.exe"));
  EXPECT_EQ(fakes.registry.openHandles(), 0);
}

TEST_F(StartupManager, AFailureAtAnyRegistryCallOfAMoveInAnyScopeLosesNoEntry) {
  const Bytes expand = sz("%SystemRoot%\\e.exe");
  // The same entries in the Run and backup keys of every scope.
  const auto arrange = [&](fakes::FakeServices& machine) {
    machine.on64BitWindows(true);
    for (std::size_t pair = 0; pair < std::size(kScopeKeys); pair += 2) {
      const StoredKey& run = kScopeKeys[pair];
      const StoredKey& backup = kScopeKeys[pair + 1];
      machine.registry.setString(run.root, run.path, "A", "a.exe");
      machine.registry.setValue(run.root, run.path, "E", platform::kRegExpandSz, expand);
      machine.registry.setString(backup.root, backup.path, "A", "older a.exe");
      machine.registry.setString(backup.root, backup.path, "C", "c.exe");
    }
  };
  struct Move {
    const char* what;
    TSpeedButton* TStartupPage::*button;
    TListView* TStartupPage::*list;
    std::vector<std::string> rows;
  };
  const std::vector<Move> moves = {
      {"to backup", &TStartupPage::SpeedButton1, &TStartupPage::ListView1, {"E"}},
      {"restore", &TStartupPage::SpeedButton2, &TStartupPage::ListView2, {"A", "C"}},
  };
  const char* calls[] = {"RegOpenKeyExW",  "RegCreateKeyExW", "RegQueryValueExW",
                         "RegSetValueExW", "RegDeleteValueW", "RegCloseKey"};
  // One move of the rows of every scope on a fresh machine, its n-th call of `call` failing or, with
  // `vanish`, finding its value removed meanwhile (none for n = 0); how often it made each call.
  const auto moveOn = [&](fakes::FakeServices& machine, const Move& move, const char* call, int n,
                          bool vanish) {
    arrange(machine);
    TApplication application(machine.services);
    auto* f = application.CreateForm<TfrmVantrel>();
    f->TabSheet3Show(f);
    select(f->StartupManagerPage->*move.list, move.rows);
    machine.registry.faults = {};
    if (n > 0) {
      (vanish ? machine.registry.vanishing : machine.registry.faults).failOn(call, n);
    }
    run([&] { (f->StartupManagerPage->*move.button)->Click(); });
    std::map<std::string, int> counts;
    for (const char* counted : calls) {
      counts[counted] = machine.registry.faults.calls(counted);
    }
    return counts;
  };
  for (const Move& move : moves) {
    fakes::FakeServices clean;
    std::map<std::string, int> counts = moveOn(clean, move, "", 0, false);
    ASSERT_GT(counts["RegSetValueExW"], 0);
    ASSERT_GT(counts["RegDeleteValueW"], 0);
    // Each call failing, and each deletion finding its value removed meanwhile by another program.
    std::vector<std::pair<const char*, bool>> plans;
    for (const char* call : calls) {
      plans.emplace_back(call, false);
    }
    plans.emplace_back("RegDeleteValueW", true);
    for (const auto& [call, vanish] : plans) {
      for (int n = 1; n <= counts[call]; ++n) {
        SCOPED_TRACE(std::string(move.what) + ": " + call + (vanish ? " vanished" : "") + " #" +
                     std::to_string(n));
        fakes::FakeServices machine;
        moveOn(machine, move, call, n, vanish);
        for (std::size_t pair = 0; pair < std::size(kScopeKeys); pair += 2) {
          const StoredKey& run = kScopeKeys[pair];
          const StoredKey& backup = kScopeKeys[pair + 1];
          for (const char* name : {"A", "E", "C"}) {
            EXPECT_TRUE(machine.registry.value(run.root, run.path, name) ||
                        machine.registry.value(backup.root, backup.path, name))
                << name << " is lost from " << run.label;
          }
          // Never in both keys when it was in one: a copy whose source stayed is taken back.
          for (const char* name : {"E", "C"}) {
            EXPECT_FALSE(machine.registry.value(run.root, run.path, name) &&
                         machine.registry.value(backup.root, backup.path, name))
                << name << " is in both keys of " << run.label;
          }
          for (const auto& kept : {machine.registry.value(run.root, run.path, "E"),
                                   machine.registry.value(backup.root, backup.path, "E")}) {
            if (kept) {
              EXPECT_EQ(kept->data, expand);
            }
          }
        }
        if (std::string(call) != "RegCloseKey") {
          EXPECT_EQ(machine.registry.openHandles(), 0);
        }
      }
    }
  }
}

TEST_F(StartupManager, AValueThatCannotBeReadIsListedAndCanStillBeMovedAndDeleted) {
  fakes.registry.setString(kHklm, kRunKey, "A", "a.exe");
  fakes.registry.setValue(kHklm, kRunKey, "Odd", platform::kRegBinary, {1, 2, 3});
  fakes.registry.setString(kHklm, kRunKey, "TkBellExe", "bell.exe");
  start();
  // Two queries a value (size, then data): the fourth is Odd's data, which changes while it is read.
  fakes.registry.faults = {};
  fakes.registry.faults.failOn("RegQueryValueExW", 4);
  EXPECT_EQ(show(), "");
  TStartupPage& f = page();
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"A", "Odd", "TkBellExe"}));
  EXPECT_EQ(program(f.ListView1, "Odd"), "<none>");
  EXPECT_EQ(f.ListView1->SelCount(), 1);

  f.ListView1->SetSelected(2, false);
  select(f.ListView1, {"Odd"});
  EXPECT_EQ(press(f.SpeedButton1), "");
  EXPECT_EQ(backup("Odd")->data, (Bytes{1, 2, 3}));
  EXPECT_EQ(live("Odd"), std::nullopt);

  // When not even the raw data can be read (another program rewrites it all the time), the entry stays where
  // it is and the others still move.
  fakes.registry.setString(kHklm, kBackupKey, "B", "b.exe");
  EXPECT_EQ(show(), "");
  select(f.ListView2, {"Odd", "B"});
  Bytes growing = {1, 2, 3};
  fakes.registry.beforeCall = [&](const std::string& call) {
    if (call == "RegQueryValueExW" && fakes.registry.log.back().find("[Odd]") != std::string::npos) {
      growing.push_back(0);
      fakes.registry.setValue(kHklm, kBackupKey, "Odd", platform::kRegBinary, growing);
    }
  };
  EXPECT_EQ(press(f.SpeedButton2), "Could not restore \"Odd\" (All users): it could not be read.");
  fakes.registry.beforeCall = nullptr;
  EXPECT_EQ(captions(f.ListView1), (std::vector<std::string>{"A", "B", "TkBellExe"}));
  EXPECT_EQ(captions(f.ListView2), (std::vector<std::string>{"Odd"}));
  EXPECT_EQ(backup("Odd")->data, growing);
  EXPECT_EQ(live("Odd"), std::nullopt);
  EXPECT_EQ(press(f.SpeedButton5), "");
  EXPECT_EQ(fakes.registry.valueNames(kHklm, kBackupKey), std::vector<std::string>{});
  EXPECT_EQ(fakes.registry.openHandles(), 0);
}

TEST_F(StartupManager, ListsEveryScopeTheSystemHasOnceAndKeepsItsOwnEntryInTheMachines64BitKey) {
  struct Machine {
    const char* what;
    bool system64;
    bool program32;
    std::vector<std::string> rows;
  };
  const std::vector<Machine> machines = {
      {"32-bit Windows", false, false, {"App / All users", "App / This user"}},
      {"64-bit Windows, 32-bit program",
       true,
       true,
       {"App / All users", "App / All users (32-bit)", "App / This user"}},
      {"64-bit Windows, 64-bit program",
       true,
       false,
       {"App / All users", "App / All users (32-bit)", "App / This user"}},
  };
  for (const Machine& m : machines) {
    SCOPED_TRACE(m.what);
    fakes::FakeServices machine;
    if (m.system64) {
      machine.on64BitWindows(m.program32);
    }
    place(machine.registry, "App", {"all", "all32", "user", "once", "policy"});
    TApplication application(machine.services);
    auto* f = application.CreateForm<TfrmVantrel>();
    EXPECT_EQ(holders(machine.registry, "Vantrel"), "all");  // written at start-up
    machine.registry.setString(kHklm, kRun32, "Vantrel", "C:\\x86\\Vantrel.exe");
    machine.registry.setString(kHkcu, kRunKey, "Vantrel", "C:\\mine\\Vantrel.exe");
    // Only the Run key holds this program's entry; the rows go by name, then location, then scope.
    machine.registry.setString(kHkcu, kRunOnceKey, "Vantrel", "C:\\mine\\Vantrel.exe");
    f->TabSheet3Show(f);
    std::vector<std::string> rows = {"App / Policy Run, This user"};
    rows.insert(rows.end(), m.rows.begin(), m.rows.end());
    rows.insert(rows.end(), {"App / RunOnce, This user", "Vantrel / RunOnce, This user"});
    EXPECT_EQ(scoped(f->StartupManagerPage->ListView1), rows);
    const std::map<std::string, std::string> labels = {{kAll, "all"},
                                                       {kAll32, "all32"},
                                                       {kUser, "user"},
                                                       {"RunOnce, This user", "once"},
                                                       {"Policy Run, This user", "policy"}};
    for (const TListRow& row : f->StartupManagerPage->ListView1->Rows()) {
      if (row.Caption == "App") {
        EXPECT_EQ(row.SubItems.back(), labels.at(PlaceText(LocationOf(row), ScopeOf(row))) + ".exe");
      }
    }
    EXPECT_FALSE(machine.registry.keyExists(kHkcu, kBackupKey));  // showing creates nothing
  }
}

TEST_F(StartupManager, EachOperationActsInItsRowsScopeOnly) {
  fakes.on64BitWindows(true);
  place(fakes.registry, "App", {"all", "all32", "user", "once"});
  TStartupPage& f = open();
  select(f.ListView1, {"App"}, kAll32);
  EXPECT_EQ(press(f.SpeedButton1), "");
  EXPECT_EQ(scoped(f.ListView1),
            (std::vector<std::string>{"App / All users", "App / This user", "App / RunOnce, This user"}));
  EXPECT_EQ(scoped(f.ListView2), (std::vector<std::string>{"App / All users (32-bit)"}));
  EXPECT_EQ(holders(fakes.registry, "App"), "all all32- user once");
  EXPECT_EQ(fakes.registry.stringValue(kHklm, kBackup32, "App"), "all32.exe");

  select(f.ListView2, {"App"});
  EXPECT_EQ(press(f.SpeedButton2), "");
  EXPECT_EQ(holders(fakes.registry, "App"), "all all32 user once");
  // A Run and a RunOnce value of the same name and scope are two entries.
  select(f.ListView1, {"App"}, kUser);
  EXPECT_EQ(press(f.SpeedButton4), "");
  EXPECT_EQ(holders(fakes.registry, "App"), "all all32 once");
  select(f.ListView1, {"App"}, "RunOnce, This user");
  EXPECT_EQ(press(f.SpeedButton1), "");
  EXPECT_EQ(holders(fakes.registry, "App"), "all all32 once-");

  // The machine's 64-bit keys refuse changes: the 32-bit programs' entry moves all the same, and the refusal
  // is told.
  fakes.registry.denyWriting(kHklm, kRunKey);
  fakes.registry.denyWriting(kHklm, kBackupKey);
  select(f.ListView1, {"App"});
  EXPECT_EQ(
      press(f.SpeedButton1),
      std::string(kStartAsAdministrator) + "\n\n" +
          "Could not turn off \"App\" (All users): only an administrator may change entries for all users.");
  EXPECT_EQ(holders(fakes.registry, "App"), "all all32- once-");

  // This user's Run key has rights of its own: the copy in the backup is taken back, and the entry stays.
  fakes.registry.setString(kHkcu, kRunKey, "Own", "own.exe");
  fakes.registry.createKey(kHkcu, kBackupKey);
  fakes.registry.denyWriting(kHkcu, kRunKey);
  EXPECT_EQ(show(), "");
  select(f.ListView1, {"Own"});
  EXPECT_EQ(press(f.SpeedButton1),
            "Could not turn off \"Own\" (This user): it could not be removed from the entries that start at "
            "log-on: Windows does not let this user change it, so it was left where it was.");
  EXPECT_EQ(holders(fakes.registry, "Own"), "user");
  EXPECT_EQ(scoped(f.ListView1), (std::vector<std::string>{"App / All users", "Own / This user"}));

  // A policy's keys are for administrators only, this user's too.
  for (const platform::HKey root : {kHklm, kHkcu}) {
    fakes.registry.setString(root, kPolicyRunKey, "Set", "set.exe");
    fakes.registry.denyWriting(root, kPolicyRunKey);
    fakes.registry.denyWriting(root, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer");
  }
  EXPECT_EQ(show(), "");
  select(f.ListView1, {"Set"});
  EXPECT_EQ(press(f.SpeedButton1), std::string(kStartAsAdministrator) + "\n\n" +
                                       "Could not turn off \"Set\" (Policy Run, All users): only an "
                                       "administrator may change entries for all users.\n"
                                       "Could not turn off \"Set\" (Policy Run, This user): only an "
                                       "administrator may change entries set by policy.");
  EXPECT_EQ(holders(fakes.registry, "Set"), "policy");
  EXPECT_EQ(fakes.registry.openHandles(), 0);
}

TEST_F(StartupManager, AnEntryInBothKeysIsKeptAsABackupWithinItsScopeOnly) {
  fakes.on64BitWindows(false);
  for (const StoredKey& key : kScopeKeys) {
    if (std::string(key.label) != "all32" && std::string(key.label) != "user-") {
      fakes.registry.setString(key.root, key.path, "X", "x.exe");
    }
  }
  // The last scope's duplicate leaves the same name of the others alone.
  fakes.registry.setString(kHklm, kRunKey, "Y", "y.exe");
  fakes.registry.setString(kHkcu, kRunKey, "Y", "y.exe");
  fakes.registry.setString(kHkcu, kBackupKey, "Y", "y.exe");
  TStartupPage& f = open();
  EXPECT_EQ(holders(fakes.registry, "X"), "all- all32- user once- policy-");
  EXPECT_EQ(holders(fakes.registry, "Y"), "all user-");
  EXPECT_EQ(scoped(f.ListView1), (std::vector<std::string>{"X / This user", "Y / All users"}));
  EXPECT_EQ(scoped(f.ListView2),
            (std::vector<std::string>{"X / Policy Run, This user", "X / All users", "X / All users (32-bit)",
                                      "X / RunOnce, This user", "Y / This user"}));
}

TEST_F(StartupManager, AddingLandsInThisUsersKeyWhenTheMachinesIsRefused) {
  fakes.on64BitWindows(true);
  fakes.dialogs.chosenFiles = {"C:\\Tools\\Shared.exe", "C:\\Tools\\Mine.exe"};
  TStartupPage& f = open();
  EXPECT_EQ(press(f.SpeedButton3), "");
  fakes.registry.denyWriting(kHklm, kRunKey);
  EXPECT_EQ(press(f.SpeedButton3), "");
  EXPECT_EQ(holders(fakes.registry, "Shared.exe"), "all");
  EXPECT_EQ(holders(fakes.registry, "Mine.exe"), "user");
  EXPECT_EQ(fakes.registry.stringValue(kHkcu, kRunKey, "Mine.exe"), "C:\\Tools\\Mine.exe");
  EXPECT_EQ(scoped(f.ListView1),
            (std::vector<std::string>{"Mine.exe / This user", "Shared.exe / All users"}));
}

}  // namespace
}  // namespace vantrel
