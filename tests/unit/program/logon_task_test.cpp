// The task that starts the program elevated at log-on: its definition, and the Free Memory tab's box against
// a fake Task Scheduler and the Run values it stands in for.
#include "program/logon_task.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fake_native_application.h"
#include "fake_services.h"
#include "program/program_trust.h"
#include "program_run.h"
#include "program_support.h"
#include "startup/run_key.h"

namespace vantrel {
namespace {

const platform::HKey kHklm = platform::kHKeyLocalMachine;
const platform::HKey kHkcu = platform::kHKeyCurrentUser;
constexpr char kGoneExe[] = "C:\\Old\\Vantrel.exe";

// As in Program Files: only administrators may change the program and the folders above it, except `open`.
void onlyAdministrators(fakes::FakeServices& machine, std::string path, const std::string& open = "") {
  for (; path.find('\\') != std::string::npos; path.resize(path.rfind('\\'))) {
    if (path != open) {
      machine.fileSecurity.descriptors[path] = {
          "S-1-5-32-544", true, {{true, 0, 0x1F01FF, "S-1-5-32-544"}}, 0};
    }
  }
}

// The task as Windows gives it back: indented, the quotes of the command as they are.
std::string windowsTask(const std::string& command) {
  return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Task version=\"1.2\" "
         "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n  <Actions "
         "Context=\"Author\">\r\n"
         "    <Exec>\r\n      <Command>" +
         command +
         "</Command>\r\n      <Arguments>/logon</Arguments>\r\n    </Exec>\r\n  </Actions>\r\n</Task>";
}

TEST(LogonTask, TheDefinitionStartsThisProgramElevatedAtThisUsersLogOnAndReadsBack) {
  const std::string program = "C:\\Tom & Jerry's <Apps>\\Vantrel.exe";
  const std::string xml = LogonTaskXml("PC\\Ann", program);
  for (const char* part :
       {"<LogonTrigger><Enabled>true</Enabled><UserId>PC\\Ann</UserId></LogonTrigger>",
        "<LogonType>InteractiveToken</LogonType><RunLevel>HighestAvailable</RunLevel>",
        "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
        "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>", "<RunOnlyIfIdle>false</RunOnlyIfIdle>",
        "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>", "<Priority>4</Priority>",
        "<Exec><Command>&quot;C:\\Tom &amp; Jerry's &lt;Apps&gt;\\Vantrel.exe&quot;</Command>"
        "<Arguments>/logon</Arguments></Exec>"}) {
    EXPECT_NE(xml.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(TaskProgram(xml), program);

  struct Row {
    std::string xml;
    std::optional<std::string> program;
  };
  const std::vector<Row> rows = {
      {windowsTask("\"C:\\Program Files\\Vantrel\\Vantrel.exe\""), "C:\\Program Files\\Vantrel\\Vantrel.exe"},
      {windowsTask("C:\\Tools\\launch.exe"), "C:\\Tools\\launch.exe"},
      {windowsTask("&quot;C:\\A &amp; B\\Vantrel.exe&quot;"), "C:\\A & B\\Vantrel.exe"},
      // Wine's copy of a task: no action kept.
      {fakes::FakeScheduledTasks::kWithoutAction, std::nullopt},
      {"<Task><Actions><ComHandler><ClassId>{0}</ClassId></ComHandler></Actions></Task>", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.xml);
    EXPECT_EQ(TaskProgram(row.xml), row.program);
  }
}

TEST(LogonTask, AProgramIsChangeableByOthersWhereTheyMayReplaceItOrAddADllOrRenameAFolderOnItsPath) {
  using platform::AccessEntry;
  const AccessEntry admins{true, 0, 0x1F01FF, "S-1-5-32-544"};
  const auto with = [&](std::vector<AccessEntry> more, std::uint32_t attributes = 0) {
    more.insert(more.begin(), admins);
    return platform::SecurityInfo{"S-1-5-18", true, more, attributes};
  };
  struct Row {
    std::string what;
    std::string path;  // given `security`; the rest as in Program Files
    platform::SecurityInfo security;
    std::optional<std::string> changeable;
  };
  const std::string exe = "C:\\Apps\\Vantrel\\Vantrel.exe";
  const std::vector<Row> rows = {
      {"only administrators", exe, with({}), std::nullopt},
      {"owned by the user", exe, {"S-1-5-21-1-2-3-1001", true, {admins}, 0}, exe},
      {"the user's own write", exe, with({{true, 0, 0x2, "S-1-5-21-1-2-3-1001"}}), exe},
      {"generic write for Users", exe, with({{true, 0, 0x40000000, "S-1-5-32-545"}}), exe},
      {"no permission list", exe, {"S-1-5-18", false, {}, 0}, exe},
      {"denied before it is allowed", exe,
       with({{false, 0, 0x10000000, "S-1-1-0"}, {true, 0, 0x1F01FF, "S-1-5-32-545"}}), std::nullopt},
      {"allowed before it is denied", exe,
       with({{true, 0, 0x1F01FF, "S-1-5-32-545"}, {false, 0, 0x10000000, "S-1-1-0"}}), exe},
      {"only for what it holds", exe, with({{true, 0x08, 0x1F01FF, "S-1-5-11"}}), std::nullopt},
      {"a DLL added beside it", "C:\\Apps\\Vantrel", with({{true, 0, 0x2, "S-1-5-11"}}), "C:\\Apps\\Vantrel"},
      {"its folder a junction", "C:\\Apps\\Vantrel", with({}, 0x410), "C:\\Apps\\Vantrel"},
      {"a folder above renamed", "C:\\Apps", with({{true, 0, 0x40, "S-1-5-11"}}), "C:\\Apps"},
      {"a folder above re-permissioned", "C:\\Apps", with({{true, 0, 0x80000, "S-1-5-4"}}), "C:\\Apps"},
      {"folders added above", "C:\\Apps", with({{true, 0, 0x4, "S-1-5-11"}}), std::nullopt},
      {"the user's machine group at the root", "C:", with({{true, 0, 0x40, "S-1-5-21-1-2-3-513"}}), "C:"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    fakes::FakeServices machine;
    machine.process.moduleFileName = exe;
    onlyAdministrators(machine, exe);
    machine.fileSecurity.descriptors[row.path] = row.security;
    EXPECT_EQ(ChangeableByOthers(machine.fileSecurity, exe), row.changeable);
  }
  // A file whose security cannot be read counts as changeable.
  fakes::FakeServices machine;
  onlyAdministrators(machine, exe);
  machine.fileSecurity.faults.failOn("GetNamedSecurityInfoW", 1);
  EXPECT_EQ(ChangeableByOthers(machine.fileSecurity, exe), exe);
}

class LogonTaskBox : public ::testing::Test {
 protected:
  LogonTaskBox() {
    fakes.version.majorVersion = 10;
    fakes.version.minorVersion = 0;
    fakes.windowSystem.elevated = true;
    fakes.process.moduleFileName = kExe;
    fakes.registry.createKey(kHklm, kRunKey);
    fakes.registry.createKey(kHkcu, kRunKey);
    onlyAdministrators(fakes, kExe);
  }
  std::optional<std::string> runValue() const {
    return fakes.registry.stringValue(kHklm, kRunKey, "Vantrel");
  }
  std::optional<std::string> taskProgram() const {
    const auto task = fakes.scheduledTasks.tasks.find("Vantrel");
    return task == fakes.scheduledTasks.tasks.end() ? std::nullopt : TaskProgram(task->second.xml);
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const auto& box : fakes.dialogs.boxes) {
      texts.push_back(box.text);
    }
    return texts;
  }

  fakes::FakeServices fakes;
};

TEST_F(LogonTaskBox, TheTaskTakesTheRunValuesPlaceAndUntickingEitherBoxGivesItBack) {
  ProgramRun run(fakes);
  TfrmVantrel& f = *run.form;
  TFreeMemoryPage& page = ShowFreeMemoryPage(f);
  EXPECT_TRUE(page.chkLogonTask->Enabled());
  EXPECT_FALSE(page.chkLogonTask->Checked());
  EXPECT_EQ(runValue(), kExe);

  page.chkLogonTask->Toggle();
  EXPECT_EQ(taskProgram(), kExe);
  EXPECT_NE(fakes.scheduledTasks.tasks["Vantrel"].xml.find("<UserId>PC\\Ann</UserId>"), std::string::npos);
  EXPECT_EQ(runValue(), std::nullopt);
  EXPECT_TRUE(f.CheckBox2->Checked());

  page.chkLogonTask->Toggle();
  EXPECT_EQ(taskProgram(), std::nullopt);
  EXPECT_EQ(runValue(), kExe);

  // Unticking Auto Start ends both; ticking the task's box ticks it again, without a Run value.
  page.chkLogonTask->Toggle();
  f.CheckBox2->Toggle();
  EXPECT_FALSE(page.chkLogonTask->Checked());
  EXPECT_EQ(fakes.scheduledTasks.tasks.count("Vantrel"), 0u);
  EXPECT_EQ(runValue(), std::nullopt);
  page.chkLogonTask->Toggle();
  EXPECT_TRUE(f.CheckBox2->Checked());
  EXPECT_EQ(runValue(), std::nullopt);
  // The exit writes no Run value beside the task either.
  run.stop();
  EXPECT_EQ(runValue(), std::nullopt);
  EXPECT_EQ(taskProgram(), kExe);
  EXPECT_TRUE(messages().empty());
}

TEST_F(LogonTaskBox, TheWindowAnswersWhileACallOnTheTaskIsHeldAndTheBoxesFollowItsAnswer) {
  fakes.scheduledTasks.tasks["Vantrel"] = windowsTask(kExe);
  fakes.memory.status = {2048 * kMiB, 1024 * kMiB};
  fakes.workers.hold = true;
  TApplication application(fakes.services, std::make_unique<fakes::FakeNativeApplication>(fakes.clock));
  TfrmVantrel& f = *application.CreateForm<TfrmVantrel>();
  const std::string tip = f.TextTrayIcon1->Hint();
  fakes.memory.status = {2048 * kMiB, 512 * kMiB};
  fakes.clock.advance(f.Timer2->Interval());
  EXPECT_NE(f.TextTrayIcon1->Hint(), tip);
  // Nothing is decided before the answer: no Run value beside the task, and no second call from the box.
  TFreeMemoryPage& page = ShowFreeMemoryPage(f);
  page.chkLogonTask->Toggle();
  EXPECT_FALSE(page.chkLogonTask->Checked());
  EXPECT_EQ(runValue(), std::nullopt);
  fakes.workers.finish();
  fakes.clock.advance(f.Timer2->Interval());
  EXPECT_TRUE(page.chkLogonTask->Checked());
  EXPECT_TRUE(f.CheckBox2->Checked());
  EXPECT_EQ(runValue(), std::nullopt);
}

TEST_F(LogonTaskBox, TheStartShowsWhatTheTaskIsAndRewritesOneForAProgramThatIsGone) {
  struct Case {
    std::string what;
    std::optional<std::string> task;  // the task's XML before the start
    bool elevated;
    std::int32_t service;
    bool ticked;
    std::optional<std::string> taskAfter;  // the program the task runs then
    bool enabled = true;                   // the task's switch
  };
  const std::string foreign = windowsTask("C:\\Other\\tool.exe");
  const std::vector<Case> cases = {
      {"ours", windowsTask(kExe), false, platform::kSOk, true, kExe},
      {"another Vantrel.exe", windowsTask("\"D:\\Vantrel.exe\""), false, platform::kSOk, true,
       "D:\\Vantrel.exe"},
      {"gone, rewritten", windowsTask(kGoneExe), true, platform::kSOk, true, kExe},
      // Meanwhile the Run value starts it.
      {"gone, a copy that may not rewrite it", windowsTask(kGoneExe), false, platform::kSOk, false, kGoneExe},
      {"another program's", foreign, true, platform::kSOk, false, "C:\\Other\\tool.exe"},
      {"another program's, named like ours", windowsTask("C:\\Other\\NotVantrel.exe"), true, platform::kSOk,
       false, "C:\\Other\\NotVantrel.exe"},
      {"none", {}, true, platform::kSOk, false, {}},
      // Switched off, it starts nothing: the Run value stands in, and it is not registered on again.
      {"ours, switched off", windowsTask(kExe), true, platform::kSOk, false, kExe, false},
      {"gone, switched off", windowsTask(kGoneExe), true, platform::kSOk, false, kGoneExe, false},
      {"the service is not running", windowsTask(kExe), true, platform::kSchedEServiceNotRunning, false,
       kExe},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes::FakeServices machine;
    machine.version.majorVersion = 10;
    machine.windowSystem.elevated = c.elevated;
    machine.process.moduleFileName = kExe;
    onlyAdministrators(machine, kExe);
    machine.fileSystem.addFile("D:\\Vantrel.exe");
    onlyAdministrators(machine, "D:\\Vantrel.exe");
    machine.registry.createKey(kHklm, kRunKey);
    // An earlier Run value goes while the task starts the program, whatever the file said.
    machine.registry.setString(kHklm, kRunKey, "Vantrel", kExe);
    machine.profile.files[kIni] = settingsText({"AutoRun=-1"});
    if (c.task) {
      machine.scheduledTasks.tasks["Vantrel"] = *c.task;
      machine.scheduledTasks.tasks["Vantrel"].enabled = c.enabled;
    }
    machine.scheduledTasks.service = c.service;
    ProgramRun run(machine);
    machine.scheduledTasks.service = platform::kSOk;
    EXPECT_EQ(ShowFreeMemoryPage(*run.form).chkLogonTask->Checked(), c.ticked);
    EXPECT_EQ(run.form->CheckBox2->Checked(), c.ticked);
    const auto task = machine.scheduledTasks.tasks.find("Vantrel");
    EXPECT_EQ(task == machine.scheduledTasks.tasks.end() ? std::nullopt : TaskProgram(task->second.xml),
              c.taskAfter);
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"),
              c.ticked ? std::nullopt : std::optional<std::string>(kExe));
    EXPECT_TRUE(machine.dialogs.boxes.empty());
  }
}

TEST_F(LogonTaskBox, SwitchingOurTaskInTheStartupManagerMovesTheBoxAndTheRunValueWithIt) {
  fakes.scheduledTasks.tasks["Vantrel"] = LogonTaskXml("PC\\Ann", kExe);
  ProgramRun run(fakes);
  TfrmVantrel& f = *run.form;
  f.TabSheet3Show(&f);
  TStartupPage& startup = *f.StartupManagerPage;
  for (const bool enabled : {false, true}) {
    SCOPED_TRACE(enabled);
    startup.ListView1->SetSelected(0, true);
    enabled ? startup.EnableAtLogOnClick(&f) : startup.DisableAtLogOnClick(&f);
    EXPECT_EQ(fakes.scheduledTasks.tasks["Vantrel"].enabled, enabled);
    EXPECT_EQ(ShowFreeMemoryPage(f).chkLogonTask->Checked(), enabled);
    EXPECT_TRUE(f.CheckBox2->Checked());
    EXPECT_EQ(runValue(), enabled ? std::nullopt : std::optional<std::string>(kExe));
  }
  EXPECT_EQ(taskProgram(), kExe);
  EXPECT_TRUE(messages().empty());
}

TEST_F(LogonTaskBox, AFailureIsToldOnceAndLeavesTheRunValueAndAnotherProgramsTask) {
  struct Case {
    std::string what;
    std::function<void(fakes::FakeScheduledTasks&)> arrange;
    std::string reason;
    std::optional<std::string> taskAfter;
    std::string open = "";  // a folder on the program's path that others may change
  };
  const std::string text = "Vantrel could not set itself to start as administrator at log-on: ";
  const std::vector<Case> cases = {
      {"another program's task",
       [](auto& tasks) { tasks.tasks["Vantrel"] = windowsTask("C:\\Other\\tool.exe"); },
       "a task named Vantrel that starts another program is there; Vantrel leaves it alone.",
       "C:\\Other\\tool.exe"},
      {"another program's task, named like ours",
       [](auto& tasks) { tasks.tasks["Vantrel"] = windowsTask("C:\\Other\\NotVantrel.exe"); },
       "a task named Vantrel that starts another program is there; Vantrel leaves it alone.",
       "C:\\Other\\NotVantrel.exe"},
      {"the service is not running",
       [](auto& tasks) { tasks.service = platform::kSchedEServiceNotRunning; },
       "the Task Scheduler service is not running.",
       {}},
      {"refused", [](auto& tasks) { tasks.standardUser = true; }, "Windows refused it (access denied).", {}},
      {"done, but nothing kept",
       [](auto& tasks) { tasks.keepsNothing = true; },
       "the Task Scheduler did not keep the task.",
       {}},
      // The task that would start nothing goes again.
      {"done, but no action kept",
       [](auto& tasks) { tasks.keepsNoAction = true; },
       "the Task Scheduler did not keep the task.",
       {}},
      {"another error",
       [](auto& tasks) { tasks.faults.failOn("RegisterTask", 1); },
       "the Task Scheduler answered error 0x80004005.",
       {}},
      {"a folder that others may change",
       [](auto&) {},
       "programs without administrator rights may change C:\\Apps. "
       "Move Vantrel into Program Files, then tick the box again.",
       {},
       "C:\\Apps"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes::FakeServices machine;
    machine.version.majorVersion = 10;
    machine.windowSystem.elevated = true;
    machine.process.moduleFileName = kExe;
    onlyAdministrators(machine, kExe, c.open);
    machine.registry.createKey(kHklm, kRunKey);
    ProgramRun run(machine);
    c.arrange(machine.scheduledTasks);
    ShowFreeMemoryPage(*run.form).chkLogonTask->Toggle();
    EXPECT_FALSE(ShowFreeMemoryPage(*run.form).chkLogonTask->Checked());
    ASSERT_EQ(machine.dialogs.boxes.size(), 1u);
    EXPECT_EQ(machine.dialogs.boxes[0].text, text + c.reason);
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), kExe);
    const auto task = machine.scheduledTasks.tasks.find("Vantrel");
    EXPECT_EQ(task == machine.scheduledTasks.tasks.end()
                  ? std::nullopt
                  : std::optional(TaskProgram(task->second.xml).value_or("(no action)")),
              c.taskAfter);
  }

  // A task that an administrator registered stays for a standard user who unticks Auto Start, and says so.
  fakes.scheduledTasks.tasks["Vantrel"] = windowsTask(kExe);
  fakes.windowSystem.elevated = false;
  ProgramRun run(fakes);
  EXPECT_FALSE(ShowFreeMemoryPage(*run.form).chkLogonTask->Enabled());
  EXPECT_TRUE(ShowFreeMemoryPage(*run.form).chkLogonTask->Checked());
  fakes.scheduledTasks.standardUser = true;
  run.form->CheckBox2->Toggle();
  EXPECT_TRUE(ShowFreeMemoryPage(*run.form).chkLogonTask->Checked());
  EXPECT_EQ(taskProgram(), kExe);
  EXPECT_EQ(messages(), std::vector<std::string>{"Vantrel could not remove its task from the Task Scheduler: "
                                                 "Windows refused it (access denied)."});
}

TEST_F(LogonTaskBox, ATaskForAProgramThatOthersMayNowChangeIsRemovedAtTheStartAndTheRunValueStandsIn) {
  fakes.scheduledTasks.tasks["Vantrel"] = windowsTask(kExe);
  fakes.fileSecurity.descriptors.erase("C:\\Apps\\Vantrel");
  ProgramRun run(fakes);
  EXPECT_FALSE(ShowFreeMemoryPage(*run.form).chkLogonTask->Checked());
  EXPECT_TRUE(run.form->CheckBox2->Checked());
  EXPECT_EQ(taskProgram(), std::nullopt);
  EXPECT_EQ(runValue(), kExe);
  EXPECT_EQ(messages(),
            std::vector<std::string>{
                "Vantrel removed its task that started it as administrator at log-on: programs "
                "without administrator rights may change C:\\Apps\\Vantrel. It starts with Windows "
                "without administrator rights now. Move Vantrel into Program Files, then tick the box "
                "again."});
}

}  // namespace
}  // namespace vantrel
