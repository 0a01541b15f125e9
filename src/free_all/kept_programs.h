// The programs whose working sets a Free All never trims, as their dialog edits the list: executable file
// names kept exactly as typed, one entry per name whatever its case, in any script.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/system_memory.h"

namespace vantrel {

enum class KeptName { Added, Empty, HasBar, AlreadyKept };

// What the dialog says of a name that holds "|", which the settings file puts between the names.
constexpr char kKeptNameHasBar[] =
    "A program's name cannot hold \"|\". Type the name of its file, as app.exe.";

// Adds `typed` without the blanks around it, unless it is empty, holds "|" or is there already (also in
// another case); says which, and sets `at` to the entry added or found.
KeptName AddKeptProgram(std::vector<std::string>& names, const std::string& typed, std::size_t& at);
// Whether two file names are the same to Windows: compared without regard to case, outside ASCII too.
bool SameProgramName(const std::string& a, const std::string& b);
// The file names of the running programs, each once, in the order of their names without regard to case;
// empty when the system names none.
std::vector<std::string> RunningProgramNames(platform::SystemMemory& system);

}  // namespace vantrel
