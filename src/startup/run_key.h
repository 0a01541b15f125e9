// Where Windows looks for the programs it starts at log-on, where the startup manager keeps the entries the
// user turned off, and this program's own entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/registry_key.h"

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

// Whether a path ends in ".exe", in any case.
bool EndsWithExe(std::string_view text);
// The program a Run key's command starts: a quoted path, or an unquoted one up to the end or to the first
// blank after ".exe".
std::string CommandProgram(const std::string& command);
// Whether a command of a value named kAutoStartValue is this program's own entry: its program is a file named
// "Vantrel.exe" (this copy, or an earlier one), or `executable` (this copy, whatever its name). Any other
// program's is that program's entry.
bool StartsVantrel(const std::string& command, const std::string& executable);

}  // namespace vantrel
