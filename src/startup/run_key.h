// Where Windows looks for the programs it starts at log-on, where the startup manager keeps the entries the
// user turned off, and this program's own entry.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/registry_key.h"
#include "platform/file_system.h"

namespace vantrel {

// The same two paths of each kind of place in every scope: the live entries and, beside them, the backup
// (the path with "-").
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kBackupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run-";
// Started once at the next log-on: Windows deletes each value as it starts its program.
constexpr char kRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr char kRunOnceBackupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce-";
// Set by policy (an administrator's, or Group Policy's): only administrators may change it, this user's too.
constexpr char kPolicyRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
constexpr char kPolicyRunBackupKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run-";
constexpr char kAutoStartValue[] = "Vantrel";
// The scopes of the registry's places: the machine's, the 32-bit programs' of the machine on 64-bit
// Windows, and the user's.
constexpr char kAllUsersScope[] = "All users";
constexpr char kPrograms32Scope[] = "All users (32-bit)";
constexpr char kThisUserScope[] = "This user";

// One place of the registry that Windows reads at log-on: a root, the registry view of its keys, its key and
// the key of its backup.
struct RunScope {
  std::string Name;      // as the lists' Scope column shows it
  std::string Location;  // as the lists' Location column shows it
  platform::HKey Root;
  std::uint32_t View;
  std::string LiveKey;
  std::string BackupKey;

  TRegistry Keys(platform::Registry& registry) const { return TRegistry(registry, Root, View); }
};

// The Run key's scopes of this system, in the order the lists sort them: all users (the 64-bit programs' keys
// where the system has two views), all users of 32-bit programs (only where it has), this user. `program32`:
// this program runs as a 32-bit program on 64-bit Windows.
std::vector<RunScope> RunScopes(bool system64, bool program32);
// Every place of the registry that the startup manager shows: the Run scopes, the RunOnce key's in the same
// scopes, and the Policy Run key's of all users (the native view) and of this user.
std::vector<RunScope> RegistryPlaces(bool system64, bool program32);

// A command line split where Windows splits it: the program it starts and the arguments after it.
struct CommandParts {
  std::string Program;
  // What follows the program: after its closing quote, or from the blank that ended it.
  std::string Arguments;
  // `names` accepted Program. Not so: the command names no program that is there.
  bool Named = false;
};

// Whether a path that a command line may start with names the program Windows would start.
using NamesProgram = std::function<bool(const std::string& path)>;

// Splits `command` (without blanks before it) as CreateProcess does: a quoted path up to its closing quote
// (to the end where there is none); an unquoted one as the first prefix that ends at a blank or at the end
// and that `names` accepts, shortest first, none as long as MAX_PATH: "C:\Program Files\App\app.exe -x"
// tries "C:\Program" before "C:\Program Files\App\app.exe". Where `names` accepts none, the whole
// command, not named.
CommandParts SplitCommand(const std::string& command, const NamesProgram& names);

// The program a Run key's command starts (SplitCommand), taking a prefix that ends in ".exe" as a program
// there or gone; with `fileSystem`, first any that names a file (".exe" added to a name without an
// extension), as Windows would start that one.
std::string CommandProgram(const std::string& command, platform::FileSystem* fileSystem = nullptr);
// Whether a command of a value named kAutoStartValue is this program's own entry: its program is a file named
// "Vantrel.exe" (this copy, or an earlier one), or `executable` (this copy, whatever its name). Any other
// program's is that program's entry. `fileSystem`: as for CommandProgram.
bool StartsVantrel(const std::string& command, const std::string& executable,
                   platform::FileSystem* fileSystem = nullptr);

// The text with its environment variables as a process of the scope's width expands them: a 64-bit one for a
// `native` scope, a 32-bit one for the 32-bit programs' scope, whatever this process is.
std::string ExpandForScope(platform::FileSystem& fileSystem, std::string text, bool native);

}  // namespace vantrel
