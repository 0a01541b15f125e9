// Committed memory and the page files in words, for the Action tab's line and the tray tip. Figures are whole
// megabytes, rounded as the free memory's are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/system_memory.h"

namespace vantrel {

// "Committed: 12345 MB of 30000 MB (41%)", the share as the free memory's line computes it.
std::string CommittedText(const platform::CommitCharge& commit);
// "Committed: 41% of 30000 MB", for a tip that would not fit otherwise.
std::string CommittedBrief(const platform::CommitCharge& commit);
// "Page file: 2048 MB in use", or "No page file".
std::string PageFileText(const platform::PageFileUse& pageFiles);
// The Action tab's line: the commit charge and the page files, two blanks apart, each where the system told
// it; empty where it told neither.
std::string CommitLine(const std::optional<platform::CommitCharge>& commit,
                       const std::optional<platform::PageFileUse>& pageFiles);

}  // namespace vantrel
