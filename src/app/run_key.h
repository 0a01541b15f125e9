// Where Windows looks for the programs it starts at log-on for every user, and this program's own entry
// there.
#pragma once

namespace vantrel {

constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kAutoStartValue[] = "Vantrel";

}  // namespace vantrel
