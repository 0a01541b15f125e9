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

// The same two paths in every scope: the live entries and, beside them, the backup.
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kBackupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run-";
constexpr char kAutoStartValue[] = "Vantrel";
// The scope of 32-bit programs' entries on 64-bit Windows.
constexpr char kPrograms32Scope[] = "All users (32-bit)";

// One place whose Run key Windows reads at log-on: a root and the registry view of its keys.
struct RunScope {
  std::string Name;  // as the lists' Scope column shows it
  platform::HKey Root;
  std::uint32_t View;

  TRegistry Keys(platform::Registry& registry) const { return TRegistry(registry, Root, View); }
};

// The scopes of this system, in the order the lists sort them: all users (the 64-bit programs' keys where the
// system has two views), all users of 32-bit programs (only where it has), this user. `program32`: this
// program runs as a 32-bit program on 64-bit Windows.
std::vector<RunScope> RunScopes(bool system64, bool program32);

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
