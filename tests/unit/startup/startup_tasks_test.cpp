// Tasks in the Startup Manager over the fake Task Scheduler: which are listed and how, and their switch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "startup/startup_rows.h"
#include "startup_page.h"

namespace vantrel {
namespace {

std::string definition(const std::string& triggers, const std::string& actions) {
  return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<Task version=\"1.2\" "
         "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\"><Triggers>" +
         triggers + "</Triggers><Actions Context=\"Author\">" + actions + "</Actions></Task>";
}

// The task rows of the upper list, as "name | scope | status | program".
std::vector<std::string> taskRows(const TListView& list) {
  std::vector<std::string> rows;
  for (const TListRow& row : list.Rows()) {
    if (IsTaskRow(row)) {
      const auto cell = [&](const char* column) {
        const std::size_t at = SubItemOf(list, column);
        return at < row.SubItems.size() ? row.SubItems[at] : std::string();
      };
      rows.push_back(row.Caption + " | " + cell("Location") + " | " + cell("Scope") + " | " + cell("Status") +
                     " | " + cell("Program"));
    }
  }
  return rows;
}

TEST(StartupTasks, LogOnAndBootTasksAreListedAndSwitchedByTheirOwnSwitch) {
  const std::string exec =
      "<Exec><Command>%ProgramFiles%\\Up &amp; Co\\up.exe</Command><Arguments>/s</Arguments></Exec>";
  const std::string logon = "<LogonTrigger><Enabled>false</Enabled></LogonTrigger>";
  struct Case {
    const char* what;
    std::string key;  // the fake's: its path without the first backslash
    std::string xml;
    bool enabled = true;
    bool administrators = false;
    bool vanishes = false;
    std::vector<std::string> listed;
    std::string box = "";  // of "Disable at log-on", or of "Enable at log-on" for a disabled task
    std::vector<std::string> after = {};
  };
  const std::string up = " | Task | All users | Enabled | %ProgramFiles%\\Up & Co\\up.exe /s";
  const std::vector<Case> cases = {
      {"anyone's log-on",
       "Up\\Updater",
       definition(logon, exec),
       true,
       false,
       false,
       {"\\Up\\Updater" + up},
       "",
       {"\\Up\\Updater | Task | All users | Disabled | %ProgramFiles%\\Up & Co\\up.exe /s"}},
      {"boot, with a namespace prefix",
       "Boot",
       "<t:Task xmlns:t=\"x\"><t:Triggers><t:BootTrigger/></t:Triggers><t:Actions><t:Exec><t:Command>b.exe"
       "</t:Command></t:Exec></t:Actions></t:Task>",
       true,
       false,
       false,
       {"\\Boot | Task | All users | Enabled | b.exe"},
       "",
       {"\\Boot | Task | All users | Disabled | b.exe"}},
      {"a time trigger only", "Daily", definition("<TimeTrigger/>", exec), true, false, false, {}},
      {"cut short in its actions",
       "Cut",
       definition(logon, exec).substr(0, 300),
       true,
       false,
       false,
       {"\\Cut | Task | All users | Enabled | "},
       "",
       {"\\Cut | Task | All users | Disabled | "}},
      {"disabled, this user's, in Cyrillic",
       "\xD0\x9F\xD0\xBE\xD1\x87\xD1\x82\xD0\xB0",
       definition("<LogonTrigger><UserId>pc\\ann</UserId></LogonTrigger>", exec),
       false,
       false,
       false,
       {"\\\xD0\x9F\xD0\xBE\xD1\x87\xD1\x82\xD0\xB0 | Task | This user | Disabled | %ProgramFiles%\\Up & "
        "Co\\up.exe "
        "/s"},
       "",
       {"\\\xD0\x9F\xD0\xBE\xD1\x87\xD1\x82\xD0\xB0 | Task | This user | Enabled | %ProgramFiles%\\Up & "
        "Co\\up.exe "
        "/s"}},
      {"another user's, without an Exec action",
       "Other",
       definition("<LogonTrigger><UserId>PC\\Bob</UserId></LogonTrigger>", "<ComHandler/>"),
       true,
       false,
       false,
       {"\\Other | Task | PC\\Bob | Enabled | "},
       "",
       {"\\Other | Task | PC\\Bob | Disabled | "}},
      {"an administrator's, for a standard user",
       "Up",
       definition(logon, exec),
       true,
       true,
       false,
       {"\\Up" + up},
       "To change them, start Vantrel as administrator: right-click Vantrel.exe and choose \"Run as "
       "administrator\".\n\nCould not switch \"\\Up\" (Task, All users) off at log-on: only an administrator "
       "may "
       "change this task.",
       {"\\Up" + up}},
      {"gone before its switch",
       "Up",
       definition(logon, exec),
       true,
       false,
       true,
       {"\\Up" + up},
       "Could not switch \"\\Up\" (Task, All users) off at log-on: it is no longer there.",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartupPage machine;
    machine.fakes.version.majorVersion = 10;
    machine.fakes.version.minorVersion = 0;
    machine.fakes.scheduledTasks.standardUser = true;
    machine.fakes.scheduledTasks.tasks[c.key] = c.xml;
    machine.fakes.scheduledTasks.tasks[c.key].enabled = c.enabled;
    machine.fakes.scheduledTasks.tasks[c.key].administrators = c.administrators;
    TStartupPage& page = machine.open();
    EXPECT_EQ(taskRows(*page.ListView1), c.listed);
    if (c.listed.empty()) {
      continue;
    }
    if (c.vanishes) {
      machine.fakes.scheduledTasks.faults.failOn("Vanish", 1);
    }
    page.ListView1->SetSelected(0, true);
    EXPECT_EQ(machine.choose(c.enabled ? page.DisableAtLogOn : page.EnableAtLogOn), c.box);
    EXPECT_EQ(taskRows(*page.ListView1), c.after);
    if (c.after.empty()) {
      continue;
    }
    // Tasks are never deleted here.
    EXPECT_FALSE(page.DeleteLive->Visible);
    EXPECT_NE(StartupPage::press(page.SpeedButton4), "");
    EXPECT_EQ(machine.fakes.scheduledTasks.faults.calls("DeleteTask"), 0);
  }
}

}  // namespace
}  // namespace vantrel
