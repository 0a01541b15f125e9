// The program file that Windows would start for an entry, looked for on the fake disks as Windows looks.
#include "startup/program_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fake_services.h"

namespace vantrel {
namespace {

constexpr char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
// A file whose path is longer than CreateProcess takes.
const std::string kLongPath = "C:\\" + std::string(300, 'L') + "\\app.exe";

// A 64-bit Windows whose disks hold a few programs, seen by a 32-bit program.
struct Machine {
  Machine() {
    fakes.on64BitWindows(true);
    fakes::FakeFileSystem& disk = fakes.fileSystem;
    disk.environment = {{"SystemRoot", "C:\\Windows"},
                        {"windir", "C:\\Windows"},
                        {"ProgramFiles", "C:\\Program Files (x86)"},
                        {"ProgramFiles(x86)", "C:\\Program Files (x86)"},
                        {"ProgramW6432", "C:\\Program Files"},
                        {"PATH", "C:\\Windows\\System32;C:\\Tools\\;%NotSet%"}};
    for (const char* file : {"C:\\Program Files\\Ημερολόγιο\\cal.exe",
                             "C:\\Program Files (x86)\\Old\\old.exe",
                             "C:\\Short.exe",
                             "C:\\Program Files\\Two Words\\app.exe",
                             "C:\\Windows\\Sysnative\\health.exe",
                             "C:\\Windows\\SysWOW64\\only32.exe",
                             "C:\\Windows\\Sysnative\\rundll32.exe",
                             "C:\\Windows\\Sysnative\\shell.dll",
                             "C:\\Plug\\plug.dll",
                             "C:\\Tools\\tool.exe",
                             "C:\\Apps\\edit.exe",
                             "C:\\Windows\\notepad.exe",
                             "C:\\Tools\\My.exe",
                             "C:\\Tools\\My App\\app.exe",
                             "C:\\Locked\\app.exe",
                             "N:\\app.exe",
                             "C:\\Apps\\both.exe",
                             "C:\\Mine\\both.exe",
                             "C:\\Windows\\Sysnative\\cmd.exe",
                             "C:\\Windows\\Sysnative\\mshta.exe",
                             "C:\\Windows\\Sysnative\\wscript.exe",
                             "C:\\Windows\\Sysnative\\regsvr32.exe",
                             "C:\\Windows\\Sysnative\\WindowsPowerShell\\v1.0\\powershell.exe",
                             "C:\\Program Files\\PowerShell\\7\\pwsh.exe",
                             "C:\\Scripts\\Σενάριο.ps1",
                             "C:\\Scripts\\tidy.vbs",
                             "C:\\Scripts\\My Page.hta"}) {
      disk.addFile(file);
    }
    disk.addFolder("C:\\Program Files\\Two Words\\app.exe folder");
    disk.addFile(kLongPath);
    disk.denyReading("C:\\Locked");
    disk.networkDrives = {"N:"};
    for (const auto& [root, path] : {std::pair(platform::kHKeyLocalMachine, "C:\\Apps\\both.exe"),
                                     std::pair(platform::kHKeyCurrentUser, "C:\\Mine\\both.exe")}) {
      fakes.registry.setString(root, std::string(kAppPaths) + "both.exe", "", path);
    }
    fakes.registry.setString(platform::kHKeyLocalMachine, std::string(kAppPaths) + "edit.exe", "",
                             "\"C:\\Apps\\edit.exe\"");
    disk.addShortcut("C:\\Startup\\cal.lnk", "%ProgramFiles%\\Ημερολόγιο\\cal.exe", "/tray");
    disk.addShortcut("C:\\Startup\\gone.lnk", "C:\\Gone\\gone.exe", "");
    disk.addShortcut("C:\\Startup\\plug.lnk", "%SystemRoot%\\System32\\rundll32.exe",
                     "C:\\Plug\\plug.dll,Run");
    disk.addShortcut("C:\\Startup\\shell.lnk", "", "");
    disk.addFile("C:\\Startup\\tidy.bat");
  }
  ProgramSearch search() { return {fakes.fileSystem, fakes.registry, true}; }
  fakes::FakeServices fakes;
};

std::string shown(const ProgramFile& file) {
  switch (file.Is) {
    case ProgramFile::State::Unknown:
      return "<unknown>";
    case ProgramFile::State::Missing:
      return "<missing>";
    case ProgramFile::State::NotChecked:
      return "<not checked>";
    case ProgramFile::State::Network:
      return "<network>";
    case ProgramFile::State::Found:
      return (file.Path == file.Access ? file.Path : file.Path + " via " + file.Access) +
             (file.Host.empty() ? "" : ", runs through " + file.Host);
  }
  return "";
}

TEST(ProgramFile, IsFoundWhereWindowsWouldLookForIt) {
  struct Case {
    std::string command;
    bool native;
    const char* expected;
  };
  const Case cases[] = {
      // Quoted: the text between the quotes, whatever follows.
      {"\"C:\\Program Files\\Two Words\\app.exe\" /start", true, "C:\\Program Files\\Two Words\\app.exe"},
      {"  \"C:\\Program Files\\Two Words\\app\"", true, "C:\\Program Files\\Two Words\\app.exe"},
      {"\"C:\\Gone\\gone.exe\" C:\\Tools\\tool.exe", true, "<missing>"},
      // Unquoted with blanks: the longest prefix that ends at a blank and names a file, not a folder.
      {"C:\\Program Files\\Two Words\\app.exe folder /x", true, "C:\\Program Files\\Two Words\\app.exe"},
      {"C:\\Short Cut\\gone.exe /x", true, "C:\\Short.exe"},
      {"C:\\Program Files\\Gone\\gone.exe /x", true, "<missing>"},
      {"C:\\Gone Away\\gone.exe", true, "<missing>"},
      // The shortest such prefix first, as CreateProcess tries them; none as long as MAX_PATH.
      {"C:\\Tools\\My App\\app.exe -x", true, "C:\\Tools\\My.exe"},
      {kLongPath + " /x", true, "<missing>"},
      // A file this user may not look at is there all the same.
      {"C:\\Locked\\app.exe -x", true, "C:\\Locked\\app.exe"},
      // Not looked for: a share, a drive mapped to one, a line too long to start,
      // a search of too many names.
      {"\\\\server\\share\\app.exe", true, "<network>"},
      {"\\\\?\\UNC\\server\\share\\app.exe", true, "<network>"},
      {"N:\\app.exe", true, "<network>"},
      {"C:\\Short Cut " + std::string(32760, 'x'), true, "<not checked>"},
      {"a" + std::string(4096, ' ') + "b", true, "<not checked>"},
      // Variables as the scope's process expands them: a 64-bit one for the 64-bit scopes.
      {"%ProgramFiles%\\Ημερολόγιο\\cal.exe -min", true, "C:\\Program Files\\Ημερολόγιο\\cal.exe"},
      {"%ProgramFiles%\\Old\\old.exe", false, "C:\\Program Files (x86)\\Old\\old.exe"},
      {"%ProgramFiles%\\Old\\old.exe", true, "<missing>"},
      // The system folder of 64-bit programs, which a 32-bit process sees as Sysnative.
      {"%windir%\\System32\\health.exe", true,
       "C:\\Windows\\System32\\health.exe via C:\\Windows\\Sysnative\\health.exe"},
      {"C:\\Windows\\System32\\only32.exe", true, "<missing>"},
      // rundll32: the DLL it loads, by its path or searched by its name.
      {"rundll32.exe C:\\Plug\\plug.dll,Run", true, "C:\\Plug\\plug.dll"},
      {"C:\\Windows\\System32\\rundll32.exe \"C:\\Plug\\plug\",Run 1", true, "C:\\Plug\\plug.dll"},
      {"rundll32 shell.dll,Control_RunDLL", true,
       "C:\\Windows\\System32\\shell.dll via C:\\Windows\\Sysnative\\shell.dll"},
      {"rundll32.exe C:\\Plug\\gone.dll,Run", true, "<missing>"},
      {"C:\\Windows\\System32\\RUNDLL32.EXE C:\\Plug\\plug.dll,Run", true, "C:\\Plug\\plug.dll"},
      // Hosts that Windows ships: the file they run, or the host where they run none that can be named.
      {"regsvr32 /s /i:\"http://host/a b.sct\" shell", true,
       "C:\\Windows\\System32\\shell.dll via C:\\Windows\\Sysnative\\shell.dll"},
      {"cmd /q /c \"C:\\Program Files\\Two Words\\app.exe\" /x", true,
       "C:\\Program Files\\Two Words\\app.exe"},
      {"cmd.exe /s /c \"\"C:\\Program Files\\Two Words\\app\" /x\"", true,
       "C:\\Program Files\\Two Words\\app.exe"},
      {"CMD /K tool -q", true, "C:\\Tools\\tool.exe"},
      {"cmd /c C:\\Gone\\gone.exe", true, "<missing>"},
      {"cmd /c wscript //B C:\\Scripts\\tidy.vbs", true, "C:\\Scripts\\tidy.vbs"},
      {"cmd /c start \"\" /d C:\\Tools /min tool.exe", true, "C:\\Tools\\tool.exe"},
      {"cmd /c start https://example.org", true,
       "C:\\Windows\\System32\\cmd.exe via C:\\Windows\\Sysnative\\cmd.exe, runs through cmd.exe"},
      {"cmd /c del /q C:\\Temp\\*", true,
       "C:\\Windows\\System32\\cmd.exe via C:\\Windows\\Sysnative\\cmd.exe, runs through cmd.exe"},
      {"cmd /c cmd /c tool", true,
       "C:\\Windows\\System32\\cmd.exe via C:\\Windows\\Sysnative\\cmd.exe, runs through cmd.exe"},
      {"wscript.exe //B //Nologo C:\\Scripts\\tidy.vbs /x", true, "C:\\Scripts\\tidy.vbs"},
      {"wscript C:\\Scripts\\gone.vbs", true, "<missing>"},
      {"mshta C:\\Scripts\\My Page.hta", true, "C:\\Scripts\\My Page.hta"},
      {"MSHTA \"javascript:close()\"", true,
       "C:\\Windows\\System32\\MSHTA.exe via C:\\Windows\\Sysnative\\MSHTA.exe, runs through mshta.exe"},
      {"%SystemRoot%\\System32\\WindowsPowerShell\\v1.0\\powershell -ExecutionPolicy Bypass -File "
       "\"C:\\Scripts\\Σενάριο.ps1\"",
       true, "C:\\Scripts\\Σενάριο.ps1"},
      {"%ProgramFiles%\\PowerShell\\7\\pwsh.exe -NoLogo -f C:\\Scripts\\Σενάριο.ps1", true,
       "C:\\Scripts\\Σενάριο.ps1"},
      {"%ProgramFiles%\\PowerShell\\7\\pwsh.exe -c \"& C:\\Scripts\\Σενάριο.ps1 -f x\"", true,
       "C:\\Program Files\\PowerShell\\7\\pwsh.exe, runs through pwsh.exe"},
      // Bare names: the App Paths key, then the system folder, the Windows folder and PATH.
      {"edit", true, "C:\\Apps\\edit.exe"},
      {"both /x", true, "C:\\Mine\\both.exe"},
      {"notepad.exe C:\\notes.txt", true, "C:\\Windows\\notepad.exe"},
      {"tool -quiet", true, "C:\\Tools\\tool.exe"},
      {"gone.exe", true, "<missing>"},
      // Nothing to start: nothing to say.
      {"", true, "<unknown>"},
  };
  Machine machine;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command.substr(0, 80));
    const ProgramFile file = FindProgramFile(machine.search(), c.command, c.native);
    EXPECT_EQ(shown(file), c.expected);
    EXPECT_LE(file.Looks, kMaxLooks + 1);
  }
  const struct {
    const char* file;
    const char* expected;
  } folderRows[] = {
      // A shortcut's target as a 64-bit shell starts it, through rundll32 to its DLL; any other file itself.
      {"C:\\Startup\\cal.lnk", "C:\\Program Files\\Ημερολόγιο\\cal.exe"},
      {"C:\\Startup\\gone.lnk", "<missing>"},
      {"C:\\Startup\\plug.lnk", "C:\\Plug\\plug.dll"},
      {"C:\\Startup\\shell.lnk", "<unknown>"},
      {"C:\\Startup\\tidy.bat", "C:\\Startup\\tidy.bat"},
  };
  for (const auto& row : folderRows) {
    SCOPED_TRACE(row.file);
    EXPECT_EQ(shown(FindFolderProgram(machine.search(), row.file)), row.expected);
  }
}

}  // namespace
}  // namespace vantrel
