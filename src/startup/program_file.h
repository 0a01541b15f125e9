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

// What searches asked the system, kept so that searches of the same names ask once.
struct ProgramLooks {
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
  // Where the search keeps what it asked; none: it keeps nothing beyond itself.
  ProgramLooks* Looks = nullptr;
};

struct ProgramFile {
  enum class State {
    Unknown,  // nothing to look for (an empty command), or a shortcut without a file target
    Found,
    Missing,  // no file where Windows would look
    // Not looked for: a search that would look at more than kMaxLooks files and keys; a command line too
    // long to run.
    NotChecked,
    // Not looked for: a file on a network share, which may not answer for a network's time-out.
    Network,
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

// The most files, drives and keys that one search looks at, so that one hostile entry does not hold up the
// others; each 4 KB of the command line counts as one more look, for the work of reading it.
constexpr int kMaxLooks = 128;

// The file that the command line of a Run key's entry starts: environment variables expanded (as a 64-bit
// process does for `native` scopes, as a 32-bit one for the 32-bit programs' scope); a quoted path up to its
// closing quote; an unquoted one as CreateProcess tries it, its shortest prefix that ends at a blank and
// names a file first (".exe" added to a name without an extension), no prefix as long as MAX_PATH; a bare
// name through the App Paths keys, then the system folder, the Windows
// folder and the folders of PATH. Network where the search would reach a network share; NotChecked where it
// would look further than kMaxLooks, and for a command line longer than Windows starts. Through a host that
// Windows ships (HostedBy), the file it runs: rundll32's and regsvr32's DLL, the script of wscript, cscript,
// mshta and PowerShell's -File, the program of cmd's /c and /k (once: cmd inside cmd is not looked into); the
// host, with Host, where it runs no file that can be named.
ProgramFile FindProgramFile(const ProgramSearch& search, const std::string& command, bool native);

// The file that a Startup folder's file starts: a shortcut's target (with its arguments, as above), any
// other file itself; Network for a file on a network share.
ProgramFile FindFolderProgram(const ProgramSearch& search, const std::string& file);

}  // namespace vantrel
