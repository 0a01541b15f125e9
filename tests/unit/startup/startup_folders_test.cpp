// The Startup folders on the startup manager's page, against the in-memory disks: what is listed, and that no
// move, deletion or failure loses a file or replaces one.
#include <gtest/gtest.h>

#include <functional>
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
#include "startup/startup_rows.h"
#include "startup_page.h"

namespace vantrel {
namespace {

constexpr char kUser[] = "This user (folder)";
constexpr char kAll[] = "All users (folder)";
constexpr char kGreek[] = "Ημερολόγιο.lnk";

// One program run with the page, on a machine whose disks a test fills first.
class Machine : public StartupPage {
 public:
  std::string userStartup(const std::string& name) const { return fakes.fileSystem.startup + "\\" + name; }
  std::string userBackup(const std::string& name) const {
    return fakes.fileSystem.appData + "\\Vantrel\\Startup-\\" + name;
  }
  std::string allStartup(const std::string& name) const {
    return fakes.fileSystem.commonStartup + "\\" + name;
  }
  std::string allBackup(const std::string& name) const {
    return fakes.fileSystem.commonAppData + "\\Vantrel\\Startup-\\" + name;
  }
  // The content of a file, "<none>" when it is not there.
  std::string content(const std::string& path) const {
    const auto file = fakes.fileSystem.files.find(path);
    return file == fakes.fileSystem.files.end() ? "<none>" : file->second;
  }
};

// Selects the rows whose exact name (a registry row's: its caption) is one of these, and no others.
void select(TListView* list, const std::vector<std::string>& names) {
  for (int i = 0; i < list->RowCount(); ++i) {
    const TListRow& row = list->Rows()[i];
    const std::string& name = row.Key.empty() ? row.Caption : row.Key;
    list->SetSelected(i, std::find(names.begin(), names.end(), name) != names.end());
  }
}

// Every row as "caption / scope / program / exact name".
std::vector<std::string> rows(const TListView* list) {
  std::vector<std::string> texts;
  for (const TListRow& row : list->Rows()) {
    const std::size_t program = SubItemOf(*list, "Program");
    texts.push_back(row.Caption + " / " + ScopeOf(row) + " / " +
                    (row.SubItems.size() > program ? row.SubItems[program] : "<none>") + " / " + row.Key);
  }
  std::sort(texts.begin(), texts.end());
  return texts;
}

using Texts = std::vector<std::string>;

TEST(StartupFolders, ListsEachFileOfBothFoldersAndTheirBackupsButTheFoldersOwnLook) {
  Machine m;
  fakes::FakeFileSystem& disk = m.fakes.fileSystem;
  disk.addShortcut(m.userStartup(kGreek), "C:\\Program Files\\Ημερολόγιο\\cal.exe", "/tray");
  disk.addShortcut(m.userStartup("Notes.LNK"), "C:\\n.exe", "");
  disk.addFile(m.userStartup("Notes"), "a file named like the shortcut");
  disk.addFile(m.userStartup("broken.lnk"), "not a shortcut");
  disk.addFile(m.userStartup("desktop.ini"), "[.ShellClassInfo]");
  disk.addFile(m.userStartup("my desktop.ini"), "a file of the user's");
  disk.addFile(m.userStartup("Old\\run.bat"), "a subfolder's file");
  disk.addFile(m.allStartup("Desktop.INI"), "");
  disk.addFile(m.allStartup("sync.bat"), "");
  disk.addFile(m.allBackup("off.exe"), "");
  // Made by Vantrel run as administrator.
  for (const std::string& folder :
       {disk.commonAppData + "\\Vantrel", disk.commonAppData + "\\Vantrel\\Startup-"}) {
    m.fakes.fileSecurity.descriptors[folder] = {"S-1-5-32-544", true, {}, 0};
  }
  TStartupPage& f = m.open();
  const std::string startup = disk.startup;
  EXPECT_EQ(
      rows(f.ListView1),
      (Texts{"Notes / " + std::string(kUser) + " / " + startup + "\\Notes / Notes",
             "Notes / " + std::string(kUser) + " / C:\\n.exe / Notes.LNK",
             "broken / " + std::string(kUser) + " / <none> / broken.lnk",
             "my desktop.ini / " + std::string(kUser) + " / " + startup + "\\my desktop.ini / my desktop.ini",
             "sync.bat / " + std::string(kAll) + " / " + m.allStartup("sync.bat") + " / sync.bat",
             "Ημερολόγιο / " + std::string(kUser) + " / C:\\Program Files\\Ημερολόγιο\\cal.exe /tray / " +
                 kGreek}));
  EXPECT_EQ(rows(f.ListView2),
            (Texts{"off.exe / " + std::string(kAll) + " / " + m.allBackup("off.exe") + " / off.exe"}));
  // The backup folders are made when a file is to go there, not when they are looked at.
  EXPECT_FALSE(disk.folderExists(disk.appData + "\\Vantrel"));

  // A row moves its own file: the shortcut of the same caption stays.
  select(f.ListView1, {"Notes"});
  EXPECT_EQ(Machine::press(f.SpeedButton1), "");
  EXPECT_EQ(m.content(m.userBackup("Notes")), "a file named like the shortcut");
  EXPECT_EQ(m.content(m.userStartup("Notes")), "<none>");
  EXPECT_EQ(m.content(m.userStartup("Notes.LNK")), "[shortcut]\r\nC:\\n.exe\r\n");
  EXPECT_EQ(rows(f.ListView2).front(),
            "Notes / " + std::string(kUser) + " / " + m.userBackup("Notes") + " / Notes");
}

TEST(StartupFolders, AFailureAtAnyStepOfAMoveWithinOrAcrossVolumesLosesNoFile) {
  struct Case {
    const char* what;
    bool acrossVolumes;
    const char* call;
    int n;  // the failing call, counted from this move's first call
    bool persistent;
    const char* where;  // after the move down: "live", "backup" or "both"
    bool readOnly = false;
    const char* reason = "";  // said of the file that did not move
  };
  const std::vector<Case> cases = {
      {"within a volume", false, "", 0, false, "backup"},
      {"the backup folder not made", false, "CreateDirectoryW", 1, true, "live"},
      // Windows does not tell where this user's application data is: no backup at the root of a drive.
      {"no application-data folder", false, "SHGetFolderPathW", 2, true, "live", false,
       "Windows does not tell where its folder is"},
      {"the move", false, "MoveFileExW", 1, false, "live"},
      {"across volumes", true, "", 0, false, "backup"},
      {"the copy", true, "CopyFileW", 1, false, "live"},
      {"the original's deletion, the copy removed again", true, "DeleteFileW", 1, false, "live"},
      {"the original's deletion and the copy's", true, "DeleteFileW", 1, true, "both"},
      {"a read-only file across volumes", true, "", 0, false, "backup", true},
      {"a read-only original's deletion, the copy removed again", true, "DeleteFileW", 1, false, "live",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Machine m;
    fakes::FakeFileSystem& disk = m.fakes.fileSystem;
    if (c.acrossVolumes) {
      disk.appData = "D:\\Roaming";
    }
    disk.addShortcut(m.userStartup(kGreek), "C:\\cal.exe", "/tray");
    const std::uint32_t attributes = c.readOnly ? 0x21 : 0x20;
    disk.attributes[m.userStartup(kGreek)] = attributes;
    const std::string greek = m.content(m.userStartup(kGreek));
    m.start();
    ASSERT_EQ(m.show(), "");
    TStartupPage& f = m.page();
    if (*c.call != '\0') {
      disk.faults.failOn(c.call, disk.faults.calls(c.call) + c.n, c.persistent);
    }
    select(f.ListView1, {kGreek});
    const std::string message = Machine::press(f.SpeedButton1);
    EXPECT_EQ(message.empty(), *c.call == '\0') << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    bool missing = false;
    const bool inLive = m.content(m.userStartup(kGreek)) == greek;
    const bool inBackup = m.content(m.userBackup(kGreek)) == greek;
    EXPECT_EQ(inLive, std::string(c.where) != "backup");
    EXPECT_EQ(inBackup, std::string(c.where) != "live");
    // Each file keeps its attributes.
    for (const std::string& path : {m.userStartup(kGreek), m.userBackup(kGreek)}) {
      if (disk.fileExists(path)) {
        EXPECT_EQ(disk.GetFileAttributesW(Utf8ToUtf16(path), &missing), attributes) << path;
      }
    }
    // The lists show what the disk holds.
    disk.faults = {};
    const Texts live = rows(f.ListView1);
    const Texts backup = rows(f.ListView2);
    EXPECT_EQ(m.show(), "");
    EXPECT_EQ(rows(f.ListView1), live);
    EXPECT_EQ(rows(f.ListView2), backup);

    // And up again, as it went down.
    if (std::string(c.where) == "backup") {
      select(f.ListView2, {kGreek});
      EXPECT_EQ(Machine::press(f.SpeedButton2), "");
      EXPECT_EQ(m.content(m.userStartup(kGreek)), greek);
      EXPECT_EQ(m.content(m.userBackup(kGreek)), "<none>");
      EXPECT_EQ(disk.GetFileAttributesW(Utf8ToUtf16(m.userStartup(kGreek)), &missing), attributes);
      EXPECT_EQ(f.ListView2->RowCount(), 0);
    }
  }
}

TEST(StartupFolders, ANameTakenInTheTargetIsNeverReplacedAndBothFilesStay) {
  Machine m;
  fakes::FakeFileSystem& disk = m.fakes.fileSystem;
  disk.addFile(m.userStartup("a.bat"), "new");
  disk.addFile(m.userBackup("a.bat"), "old");
  TStartupPage& f = m.open();
  for (TListView* list : {f.ListView1, f.ListView2}) {
    select(list, {"a.bat"});
    const std::string message = Machine::press(list == f.ListView1 ? f.SpeedButton1 : f.SpeedButton2);
    EXPECT_NE(message.find("\"a.bat\" (This user (folder)): a file of that name is in"), std::string::npos)
        << message;
    EXPECT_EQ(m.content(m.userStartup("a.bat")), "new");
    EXPECT_EQ(m.content(m.userBackup("a.bat")), "old");
    EXPECT_EQ(list->RowCount(), 1);
  }
  EXPECT_EQ(f.ListView1->RowCount(), 1);
  EXPECT_EQ(f.ListView2->RowCount(), 1);
}

TEST(StartupFolders, DeletingSendsTheFileToTheRecycleBinAndAFailureKeepsIt) {
  Machine m;
  fakes::FakeFileSystem& disk = m.fakes.fileSystem;
  disk.addShortcut(m.userStartup(kGreek), "C:\\cal.exe", "");
  disk.addFile(m.userBackup("b.bat"), "b");
  TStartupPage& f = m.open();
  select(f.ListView1, {kGreek});
  disk.faults.failOn("SHFileOperationW", 1);
  EXPECT_NE(Machine::press(f.SpeedButton4), "");
  EXPECT_EQ(f.ListView1->RowCount(), 1);
  EXPECT_EQ(Machine::press(f.SpeedButton4), "");
  EXPECT_EQ(f.ListView1->RowCount(), 0);
  EXPECT_EQ(m.content(m.userStartup(kGreek)), "<none>");
  EXPECT_EQ(disk.recycled.count(m.userStartup(kGreek)), 1u);
  select(f.ListView2, {"b.bat"});
  EXPECT_EQ(Machine::press(f.SpeedButton5), "");
  EXPECT_EQ(disk.recycled[m.userBackup("b.bat")], "b");
  EXPECT_EQ(f.ListView2->RowCount(), 0);
}

TEST(StartupFolders, ADeleteThatWouldNotReachTheRecycleBinOrDidNotHappenKeepsTheFileAndTheRow) {
  struct Case {
    const char* what;
    const char* startup;
    const char* reason;
    // The file's name, the name it keeps, and calls that fail, each its n-th time from the press.
    const char* name = "a.bat";
    const char* kept = "a.bat";
    std::vector<std::pair<const char*, int>> failing = {};
  };
  const char* const kUsed = "another program is using it";
  const char* const kRenamed =
      "using it, and it is now called \"a.bat\": its own name could not be given back.";
  const std::vector<Case> cases = {
      {"a drive without a bin", "D:\\Startup", "its drive keeps no Recycle Bin"},
      {"a redirected folder", "\\\\server\\profiles\\Ann\\Startup", "its drive keeps no Recycle Bin"},
      {"the shell answers done and keeps it", "C:\\Startup", "but it is still there"},
      {"a name for the bin given back", "C:\\Ann", kUsed, "a.bat ", "a.bat ", {{"SHFileOperationW", 1}}},
      {"a name for the bin kept",
       "C:\\Ann",
       kRenamed,
       "a.bat ",
       "a.bat",
       {{"SHFileOperationW", 1}, {"MoveFileExW", 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Machine m;
    fakes::FakeFileSystem& disk = m.fakes.fileSystem;
    disk.startup = c.startup;
    disk.withoutRecycleBin = {"D:"};
    disk.shellKeepsFiles = std::string(c.startup) == "C:\\Startup";
    disk.addFile(m.userStartup(c.name), "a");
    TStartupPage& f = m.open();
    select(f.ListView1, {c.name});
    for (const auto& [call, n] : c.failing) {
      disk.faults.failOn(call, disk.faults.calls(call) + n);
    }
    const std::string message = Machine::press(f.SpeedButton4);
    EXPECT_EQ(message.rfind("Could not delete \"" + std::string(c.name) + "\" (This user (folder)): ", 0), 0u)
        << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    EXPECT_EQ(m.content(m.userStartup(c.kept)), "a");
    ASSERT_EQ(f.ListView1->RowCount(), 1);
    EXPECT_EQ(f.ListView1->Rows()[0].Key, c.kept);
  }
}

TEST(StartupFolders, AStandardUserIsToldOfEachOfAllUsersFilesAndTheOtherScopesStillMove) {
  Machine m;
  fakes::FakeFileSystem& disk = m.fakes.fileSystem;
  disk.addFile(m.allStartup("a.bat"), "a");
  disk.addFile(m.allStartup("b.bat"), "b");
  disk.addFile(m.userStartup("u.bat"), "u");
  disk.denyWriting(disk.commonStartup);
  disk.administrator = false;
  m.fakes.registry.setString(platform::kHKeyCurrentUser, kRunKey, "U", "u.exe");
  m.fakes.registry.setString(platform::kHKeyLocalMachine, kRunKey, "M", "m.exe");
  m.fakes.registry.denyWriting(platform::kHKeyLocalMachine, kRunKey);
  TStartupPage& f = m.open();
  select(f.ListView1, {"a.bat", "b.bat", "u.bat", "U", "M"});
  const std::string lines = "(All users (folder)): only an administrator may change entries for all users.\n";
  const std::string administrator = std::string(kStartAsAdministrator) + "\n\n";
  // One box for the keys and the folders, which says once what to do; the machine's key lets the backup
  // key be made, but not its own value be deleted.
  EXPECT_EQ(
      Machine::press(f.SpeedButton1),
      administrator +
          "Could not turn off \"M\" (All users): it could not be removed from the entries that start at "
          "log-on: only "
          "an administrator may change entries for all users, so it was left where it was.\n"
          "Could not turn off \"a.bat\" " +
          lines + "Could not turn off \"b.bat\" " + lines.substr(0, lines.size() - 1));
  EXPECT_EQ(m.content(m.allStartup("a.bat")), "a");
  EXPECT_EQ(m.content(m.allStartup("b.bat")), "b");
  EXPECT_EQ(m.content(m.userBackup("u.bat")), "u");
  EXPECT_TRUE(m.fakes.registry.value(platform::kHKeyCurrentUser, kBackupKey, "U"));
  EXPECT_TRUE(m.fakes.registry.value(platform::kHKeyLocalMachine, kRunKey, "M"));
  EXPECT_EQ(f.ListView1->RowCount(), 3);
  EXPECT_EQ(f.ListView2->RowCount(), 2);
  // Nothing was made for a move that could not be.
  EXPECT_FALSE(disk.folderExists(disk.commonAppData + "\\Vantrel"));
  // The shell's own code for a refusal says the same.
  select(f.ListView1, {"a.bat"});
  EXPECT_EQ(Machine::press(f.SpeedButton4),
            administrator + "Could not delete \"a.bat\" " + lines.substr(0, lines.size() - 1));
  EXPECT_EQ(m.content(m.allStartup("a.bat")), "a");
}

TEST(StartupFolders, AllUsersBackupIsMadeOrSetSoThatOnlyAdministratorsMayChangeItAndUsedOnlyThen) {
  const platform::SecurityInfo administrators{"S-1-5-32-544", true, {{true, 0, 0x1F01FF, "S-1-5-32-544"}}, 0};
  platform::SecurityInfo junction = administrators;
  junction.attributes = 0x410;
  struct Case {
    const char* what;
    std::vector<std::string> before;               // folders made before: the backup's parent, the backup
    std::vector<platform::SecurityInfo> security;  // of those, where not as the fake makes them
    std::string refused;              // the folder that turning off and restoring are refused for
    bool permissionsRefused = false;  // Windows refuses to set its permissions
  };
  const std::string parent = "C:\\ProgramData\\Vantrel";
  const std::string backup = parent + "\\Startup-";
  const std::vector<Case> cases = {
      {"made by the move", {}, {}, ""},
      {"made before by an administrator", {parent, backup}, {administrators, administrators}, ""},
      {"made before by an administrator, its permissions refused",
       {parent, backup},
       {administrators, administrators},
       "",
       true},
      {"made before by a standard user", {parent, backup}, {}, backup},
      {"its parent made before by a standard user", {parent}, {}, parent},
      {"a junction", {parent, backup}, {administrators, junction}, backup},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Machine m;
    fakes::FakeFileSystem& disk = m.fakes.fileSystem;
    disk.addFile(m.allStartup("a.bat"), "a");
    for (std::size_t i = 0; i < c.before.size(); ++i) {
      disk.addFolder(c.before[i]);
      if (i < c.security.size()) {
        m.fakes.fileSecurity.descriptors[c.before[i]] = c.security[i];
      }
    }
    // Planted by whoever could: shown as turned off only where no one else could have.
    if (!c.before.empty() && c.before.back() == backup) {
      disk.addFile(m.allBackup("planted.lnk"), "x");
    }
    TStartupPage& f = m.open();
    EXPECT_EQ(f.ListView2->RowCount(), c.before.size() == 2 && c.refused.empty() ? 1 : 0);
    select(f.ListView1, {"a.bat"});
    if (c.permissionsRefused) {
      disk.faults.failOn("SetNamedSecurityInfoW", 1, true);
      EXPECT_NE(Machine::press(f.SpeedButton1), "");
      EXPECT_EQ(m.content(m.allStartup("a.bat")), "a");
      EXPECT_FALSE(disk.fileExists(m.allBackup("a.bat")));
      continue;
    }
    const std::string message = Machine::press(f.SpeedButton1);
    if (!c.refused.empty()) {
      EXPECT_NE(message.find("users without administrator rights may have changed " + c.refused + ","),
                std::string::npos)
          << message;
      EXPECT_EQ(m.content(m.allStartup("a.bat")), "a");
      continue;
    }
    EXPECT_EQ(message, "");
    EXPECT_EQ(m.content(m.allBackup("a.bat")), "a");
    EXPECT_TRUE(disk.administratorsOnly(backup));

    // Changed since by someone else: nothing comes back from it.
    m.fakes.fileSecurity.descriptors[parent] = {"S-1-5-21-1-2-3-1001", true, {}, 0};
    select(f.ListView2, {"a.bat"});
    EXPECT_NE(Machine::press(f.SpeedButton2).find(parent), std::string::npos);
    EXPECT_EQ(m.content(m.allBackup("a.bat")), "a");
    // A file gone from it meanwhile reads it again, and shows nothing put there since.
    disk.addFile(m.allBackup("planted.lnk"), "x");
    disk.files.erase(m.allBackup("a.bat"));
    select(f.ListView2, {"a.bat"});
    Machine::press(f.SpeedButton5);
    EXPECT_EQ(f.ListView2->RowCount(), 0);
  }
}

TEST(StartupFolders, AFileGoneFromOutsideIsSaidSoAndTheListsAreReadAgain) {
  Machine m;
  fakes::FakeFileSystem& disk = m.fakes.fileSystem;
  disk.addFile(m.userStartup("a.bat"), "a");
  disk.addFile(m.userStartup("b.bat"), "b");
  disk.addFile(m.userBackup("old.bat"), "old");
  TStartupPage& f = m.open();
  disk.files.erase(m.userStartup("a.bat"));
  disk.addFile(m.userStartup("new.bat"), "new");
  select(f.ListView1, {"a.bat"});
  EXPECT_EQ(Machine::press(f.SpeedButton1),
            "Could not turn off \"a.bat\" (This user (folder)): " + std::string(kReasonGone) + ".");
  EXPECT_FALSE(disk.fileExists(m.userBackup("a.bat")));
  EXPECT_EQ(rows(f.ListView1),
            (Texts{"b.bat / " + std::string(kUser) + " / " + m.userStartup("b.bat") + " / b.bat",
                   "new.bat / " + std::string(kUser) + " / " + m.userStartup("new.bat") + " / new.bat"}));
  EXPECT_EQ(f.ListView2->RowCount(), 1);

  // Deleting what is gone already is what the user asked: no word, the row goes.
  disk.files.erase(m.userStartup("b.bat"));
  select(f.ListView1, {"b.bat"});
  EXPECT_EQ(Machine::press(f.SpeedButton4), "");
  EXPECT_EQ(f.ListView1->RowCount(), 1);

  // A backup folder deleted by hand holds nothing at the next showing.
  disk.files.erase(m.userBackup("old.bat"));
  EXPECT_EQ(m.show(), "");
  EXPECT_EQ(f.ListView2->RowCount(), 0);
}

TEST(StartupFolders, NamesEndingInADotOrABlankAreMovedAndDeletedAsThemselves) {
  Machine m;
  fakes::FakeFileSystem& disk = m.fakes.fileSystem;
  disk.addFile(m.userStartup("trail."), "dot");
  disk.addFile(m.userStartup("trail"), "plain");
  disk.addFile(m.userStartup("blank "), "blank");
  TStartupPage& f = m.open();
  EXPECT_EQ(f.ListView1->RowCount(), 3);
  select(f.ListView1, {"trail.", "blank "});
  EXPECT_EQ(Machine::press(f.SpeedButton1), "");
  EXPECT_EQ(m.content(m.userBackup("trail.")), "dot");
  EXPECT_EQ(m.content(m.userBackup("blank ")), "blank");
  EXPECT_EQ(m.content(m.userStartup("trail")), "plain");
  select(f.ListView2, {"trail."});
  EXPECT_EQ(Machine::press(f.SpeedButton2), "");
  EXPECT_EQ(m.content(m.userStartup("trail.")), "dot");
  // To the Recycle Bin under the name the shell can take; where that is taken, it stays.
  select(f.ListView2, {"blank "});
  EXPECT_EQ(Machine::press(f.SpeedButton5), "");
  EXPECT_EQ(disk.recycled[m.userBackup("blank")], "blank");
  select(f.ListView1, {"trail."});
  EXPECT_NE(Machine::press(f.SpeedButton4), "");
  EXPECT_EQ(m.content(m.userStartup("trail.")), "dot");
  EXPECT_EQ(m.content(m.userStartup("trail")), "plain");
  EXPECT_EQ(f.ListView1->RowCount(), 2);
  EXPECT_EQ(f.ListView2->RowCount(), 0);
}

TEST(StartupFolders, AShortcutShowsTheTargetA64BitShellStarts) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> environment;
    const char* shown;
  };
  const std::vector<Case> cases = {
      {"a 32-bit process on 64-bit Windows",
       {{"ProgramFiles", "C:\\Program Files (x86)"},
        {"ProgramW6432", "C:\\Program Files"},
        {"CommonProgramFiles", "C:\\Program Files (x86)\\Common Files"},
        {"CommonProgramW6432", "C:\\Program Files\\Common Files"},
        {"windir", "C:\\Windows"}},
       "C:\\Program Files\\Ημερολόγιο\\cal.exe C:\\Program Files\\Common Files\\x C:\\Windows\\System32"},
      {"32-bit Windows",
       {{"ProgramFiles", "C:\\Program Files"},
        {"CommonProgramFiles", "C:\\Program Files\\Common Files"},
        {"windir", "C:\\WINDOWS"}},
       "C:\\Program Files\\Ημερολόγιο\\cal.exe C:\\Program Files\\Common Files\\x C:\\WINDOWS\\System32"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Machine m;
    m.fakes.fileSystem.environment = c.environment;
    m.fakes.fileSystem.addShortcut(
        m.userStartup(kGreek),
        "%programfiles%\\Ημερολόγιο\\cal.exe %CommonProgramFiles%\\x %windir%\\System32", "");
    TStartupPage& f = m.open();
    EXPECT_EQ(f.ListView1->Rows().at(0).SubItems.back(), c.shown);
  }
}

TEST(StartupFolders, AFileShowsAndSetsWindowsSwitchUnderItsFoldersHiveByItsExactName) {
  constexpr char kSwitches[] =
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
  const platform::HKey hkcu = platform::kHKeyCurrentUser;
  const platform::HKey hklm = platform::kHKeyLocalMachine;
  const std::vector<std::uint8_t> off = {0x03, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
  Machine m;
  m.fakes.version.majorVersion = 6;
  m.fakes.version.minorVersion = 2;
  fakes::FakeFileSystem& disk = m.fakes.fileSystem;
  disk.addShortcut(m.userStartup(kGreek), "C:\\cal.exe", "");
  disk.addFile(m.userStartup("tidy.bat"), "");
  disk.addFile(m.allStartup("sync.bat"), "");
  m.fakes.registry.setValue(hkcu, kSwitches, kGreek, platform::kRegBinary, off);
  m.fakes.registry.setValue(hklm, kSwitches, "sync.bat", platform::kRegBinary, off);
  // The other hive's switch of the same name is not this file's.
  m.fakes.registry.setValue(hklm, kSwitches, "tidy.bat", platform::kRegBinary, off);
  TStartupPage& f = m.open();
  const auto statuses = [&] {
    std::vector<std::string> texts;
    for (const TListRow& row : f.ListView1->Rows()) {
      texts.push_back(row.Caption + " " + row.SubItems.at(kStatusItem));
    }
    return texts;
  };
  EXPECT_EQ(statuses(), (Texts{"sync.bat Disabled", "tidy.bat Enabled", "Ημερολόγιο Disabled"}));

  select(f.ListView1, {kGreek, "tidy.bat"});
  EXPECT_EQ(m.choose(f.EnableAtLogOn), "");
  EXPECT_EQ(m.fakes.registry.value(hkcu, kSwitches, kGreek)->data[0], 0x02);
  EXPECT_FALSE(m.fakes.registry.value(hkcu, kSwitches, "Ημερολόγιο"));
  EXPECT_FALSE(m.fakes.registry.value(hkcu, kSwitches, "tidy.bat"));
  select(f.ListView1, {"tidy.bat"});
  EXPECT_EQ(m.choose(f.DisableAtLogOn), "");
  EXPECT_EQ(m.fakes.registry.value(hkcu, kSwitches, "tidy.bat")->data[0], 0x03);
  EXPECT_EQ(m.fakes.registry.value(hklm, kSwitches, "tidy.bat")->data, off);
  EXPECT_EQ(statuses(), (Texts{"sync.bat Disabled", "tidy.bat Disabled", "Ημερολόγιο Enabled"}));

  // Down and up again, the file keeps its switch and shows it.
  select(f.ListView1, {"sync.bat"});
  EXPECT_EQ(Machine::press(f.SpeedButton1), "");
  EXPECT_EQ(f.ListView2->Rows().at(0).SubItems.size(), 4u);  // location, scope, publisher, program: no status
  select(f.ListView2, {"sync.bat"});
  EXPECT_EQ(Machine::press(f.SpeedButton2), "");
  EXPECT_EQ(statuses(), (Texts{"sync.bat Disabled", "tidy.bat Disabled", "Ημερολόγιο Enabled"}));
  EXPECT_EQ(m.fakes.registry.value(hklm, kSwitches, "sync.bat")->data, off);

  // A file deleted from outside is not switched, and its row goes.
  disk.files.erase(m.userStartup("tidy.bat"));
  select(f.ListView1, {"tidy.bat"});
  EXPECT_EQ(m.choose(f.EnableAtLogOn),
            "Could not switch \"tidy.bat\" (" + std::string(kUser) + ") on at log-on: " + kReasonGone + ".");
  EXPECT_EQ(m.fakes.registry.value(hkcu, kSwitches, "tidy.bat")->data[0], 0x03);
  EXPECT_EQ(statuses(), (Texts{"sync.bat Disabled", "Ημερολόγιο Enabled"}));
}

}  // namespace
}  // namespace vantrel
