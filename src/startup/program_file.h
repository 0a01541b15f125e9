// The program file that Windows would start for an entry of the startup manager, found the way Windows finds
// it: so that an entry whose program was uninstalled can be told from a healthy one.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace vantrel {

// What searches asked the system, kept so that a search cut short by its share of a tick goes on where it
// stopped, and so that searches of the same names ask once.
struct ProgramLooks {
  // How many more answers the system may be asked for, and how many more looks (asked or kept) may be taken,
  // before the search stops (State::Pending).
  int Asks = 0;
  int Looks = 0;

  // Takes one look, and one answer where `asked`; false when the budget is spent.
  bool take(bool asked) { return Looks-- > 0 && (!asked || Asks-- > 0); }
  std::map<std::string, std::pair<std::uint32_t, bool>> Attributes;  // path -> attributes, missing
  std::map<std::string, std::optional<std::string>> AppPaths;        // root and name -> path
  std::map<char, std::uint32_t> Drives;                              // lower-case letter -> kind
};

// The system as the search sees it.
struct ProgramSearch {
  platform::FileSystem& FileSystem;
  platform::Registry& Registry;
  // This program runs as a 32-bit program on 64-bit Windows: what Windows starts for a 64-bit scope is looked
  // at as a 64-bit process sees it (%ProgramFiles% of 64-bit programs, the system folder not redirected).
  bool Program32 = false;
  // Where the search keeps what it asked and takes its budget from; none: it asks as much as it needs.
  ProgramLooks* Looks = nullptr;
};

struct ProgramFile {
  enum class State {
    Unknown,  // nothing to look for (an empty command), or a shortcut without a file target
    Found,
    Missing,  // no file where Windows would look
    // Not looked for from the window's thread: a file on a network share, which may not answer for a long
    // time; a search that would look at more than kMaxLooks files and keys; a command line too long to run.
    NotChecked,
    // Not known yet: the search ran out of its budget, and goes on from there when asked again.
    Pending,
  };
  State Is = State::Unknown;
  // The file as Windows names it (for Explorer), and where this process reads it (through the system
  // folder's 64-bit alias where it runs as a 32-bit program).
  std::string Path;
  std::string Access;
  // The files, drives and keys the search looked at.
  int Looks = 0;
  // Where the command runs through a host that Windows ships but names no file for it to run (an mshta
  // address, a PowerShell command, cmd's own commands): the host's file name in lower case ("mshta.exe"),
  // which Path is.
  std::string Host = {};
};

// The most files, drives and keys that one search looks at, so that it keeps the window answering; each 4 KB
// of the command line counts as one more look, for the work of reading it.
constexpr int kMaxLooks = 128;

// The file that the command line of a Run key's entry starts: environment variables expanded (as a 64-bit
// process does for `native` scopes, as a 32-bit one for the 32-bit programs' scope); a quoted path up to its
// closing quote; an unquoted one as CreateProcess tries it, its shortest prefix that ends at a blank and
// names a file first (".exe" added to a name without an extension), no prefix as long as MAX_PATH; a bare
// name through the App Paths keys, then the system folder, the Windows
// folder and the folders of PATH. NotChecked where the search would reach a network share or look further
// than kMaxLooks, and for a command line longer than Windows starts. Through a host that Windows ships
// (HostedBy), the file it runs: rundll32's and regsvr32's DLL, the script of wscript, cscript, mshta and
// PowerShell's -File, the program of cmd's /c and /k (once: cmd inside cmd is not looked into); the host,
// with Host, where it runs no file that can be named.
ProgramFile FindProgramFile(const ProgramSearch& search, const std::string& command, bool native);

// The file that a Startup folder's file starts: a shortcut's target (with its arguments, as above), any
// other file itself; NotChecked for a file on a network share.
ProgramFile FindFolderProgram(const ProgramSearch& search, const std::string& file);

}  // namespace vantrel
