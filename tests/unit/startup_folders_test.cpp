// The Startup folders on the startup manager's page, against the in-memory disks: what is listed, and that no
// move, deletion or failure loses a file or replaces one.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/product.h"
#include "app/run_key.h"
#include "fake_native_application.h"
#include "fake_services.h"
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
    texts.push_back(row.Caption + " / " + row.SubItems.at(0) + " / " +
                    (row.SubItems.size() > 1 ? row.SubItems[1] : "<none>") + " / " + row.Key);
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
  disk.addFile(m.userStartup("Old\\run.bat"), "a subfolder's file");
  disk.addFile(m.allStartup("Desktop.INI"), "");
  disk.addFile(m.allStartup("sync.bat"), "");
  disk.addFile(m.allBackup("off.exe"), "");
  TfrmVantrel& f = m.start();
  EXPECT_EQ(m.show(), "");
  const std::string startup = disk.startup;
  EXPECT_EQ(rows(f.ListView1),
            (Texts{"Notes / " + std::string(kUser) + " / " + startup + "\\Notes / Notes",
                   "Notes / " + std::string(kUser) + " / C:\\n.exe / Notes.LNK",
                   "broken / " + std::string(kUser) + " / <none> / broken.lnk",
                   "sync.bat / " + std::string(kAll) + " / " + m.allStartup("sync.bat") + " / sync.bat",
                   "Ημερολόγιο / " + std::string(kUser) +
                       " / C:\\Program Files\\Ημερολόγιο\\cal.exe /tray / " + kGreek}));
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
  };
  const std::vector<Case> cases = {
      {"within a volume", false, "", 0, false, "backup"},
      {"the backup folder not made", false, "CreateDirectoryW", 1, true, "live"},
      {"the move", false, "MoveFileExW", 1, false, "live"},
      {"across volumes", true, "", 0, false, "backup"},
      {"the copy", true, "CopyFileW", 1, false, "live"},
      {"the original's deletion, the copy removed again", true, "DeleteFileW", 1, false, "live"},
      {"the original's deletion and the copy's", true, "DeleteFileW", 1, true, "both"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Machine m;
    fakes::FakeFileSystem& disk = m.fakes.fileSystem;
    if (c.acrossVolumes) {
      disk.appData = "D:\\Roaming";
    }
    disk.addShortcut(m.userStartup(kGreek), "C:\\cal.exe", "/tray");
    const std::string greek = m.content(m.userStartup(kGreek));
    TfrmVantrel& f = m.start();
    ASSERT_EQ(m.show(), "");
    if (*c.call != '\0') {
      disk.faults.failOn(c.call, disk.faults.calls(c.call) + c.n, c.persistent);
    }
    select(f.ListView1, {kGreek});
    const std::string message = Machine::press(f.SpeedButton1);
    EXPECT_EQ(message.empty(), *c.call == '\0') << message;
    const bool inLive = m.content(m.userStartup(kGreek)) == greek;
    const bool inBackup = m.content(m.userBackup(kGreek)) == greek;
    EXPECT_EQ(inLive, std::string(c.where) != "backup");
    EXPECT_EQ(inBackup, std::string(c.where) != "live");
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
      EXPECT_EQ(f.ListView2->RowCount(), 0);
    }
  }
}

TEST(StartupFolders, ANameTakenInTheTargetIsNeverReplacedAndBothFilesStay) {
  Machine m;
  fakes::FakeFileSystem& disk = m.fakes.fileSystem;
  disk.addFile(m.userStartup("a.bat"), "new");
  disk.addFile(m.userBackup("a.bat"), "old");
  TfrmVantrel& f = m.start();
  EXPECT_EQ(m.show(), "");
  for (TListView* list : {f.ListView1, f.ListView2}) {
    select(list, {"a.bat"});
    const std::string message = Machine::press(list == f.ListView1 ? f.SpeedButton1 : f.SpeedButton2);
    EXPECT_NE(message.find("\"a.bat\" was not moved"), std::string::npos) << message;
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
  TfrmVantrel& f = m.start();
  EXPECT_EQ(m.show(), "");
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

TEST(StartupFolders, AStandardUserIsToldOnceOfAllUsersFilesAndTheOtherScopesStillMove) {
  Machine m;
  fakes::FakeFileSystem& disk = m.fakes.fileSystem;
  disk.addFile(m.allStartup("a.bat"), "a");
  disk.addFile(m.allStartup("b.bat"), "b");
  disk.addFile(m.userStartup("u.bat"), "u");
  disk.denyWriting(disk.commonStartup);
  m.fakes.registry.setString(platform::kHKeyCurrentUser, kRunKey, "U", "u.exe");
  TfrmVantrel& f = m.start();
  EXPECT_EQ(m.show(), "");
  select(f.ListView1, {"a.bat", "b.bat", "u.bat", "U"});
  EXPECT_EQ(Machine::press(f.SpeedButton1),
            "Windows does not let this user change the files of \"All users (folder)\".");
  EXPECT_EQ(m.content(m.allStartup("a.bat")), "a");
  EXPECT_EQ(m.content(m.allStartup("b.bat")), "b");
  EXPECT_EQ(m.content(m.userBackup("u.bat")), "u");
  EXPECT_TRUE(m.fakes.registry.value(platform::kHKeyCurrentUser, kBackupKey, "U"));
  EXPECT_EQ(f.ListView1->RowCount(), 2);
  EXPECT_EQ(f.ListView2->RowCount(), 2);
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
  TfrmVantrel& f = m.start();
  EXPECT_EQ(m.show(), "");
  const auto statuses = [&] {
    std::vector<std::string> texts;
    for (const TListRow& row : f.ListView1->Rows()) {
      texts.push_back(row.Caption + " " + row.SubItems.at(1));
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
  EXPECT_EQ(f.ListView2->Rows().at(0).SubItems.size(), 2u);  // scope and program: no status below
  select(f.ListView2, {"sync.bat"});
  EXPECT_EQ(Machine::press(f.SpeedButton2), "");
  EXPECT_EQ(statuses(), (Texts{"sync.bat Disabled", "tidy.bat Disabled", "Ημερολόγιο Enabled"}));
  EXPECT_EQ(m.fakes.registry.value(hklm, kSwitches, "sync.bat")->data, off);
}

}  // namespace
}  // namespace vantrel
