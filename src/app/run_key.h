// Where Windows looks for the programs it starts at log-on for every user, where the startup manager keeps
// the entries the user turned off, and this program's own entry.
#pragma once

namespace vantrel {

constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kBackupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run-";
constexpr char kAutoStartValue[] = "Vantrel";

}  // namespace vantrel
