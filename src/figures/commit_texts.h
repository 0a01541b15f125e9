// Committed memory and the page files in words, for the Action tab's line and the tray tip. Figures are whole
// megabytes, rounded as the free memory's are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// The commit charge in bytes: what the system has promised, and the most it can promise (physical memory
// plus the page files).
struct CommitFigures {
  std::int64_t committed = 0;
  std::int64_t limit = 0;
};

// The page files: how many are set up (0: none), and the bytes in use in all of them.
struct PageFileFigures {
  std::uint32_t files = 0;
  std::int64_t inUse = 0;
};

// "Committed: 12345 MB of 30000 MB (41%)", the share as the free memory's line computes it.
std::string CommittedText(const CommitFigures& commit);
// "Committed: 41% of 30000 MB", for a tip that would not fit otherwise.
std::string CommittedBrief(const CommitFigures& commit);
// "Page file: 2048 MB in use", or "No page file".
std::string PageFileText(const PageFileFigures& pageFiles);
// The Action tab's line: the commit charge and the page files, two blanks apart, each where the system told
// it; empty where it told neither.
std::string CommitLine(const std::optional<CommitFigures>& commit,
                       const std::optional<PageFileFigures>& pageFiles);

}  // namespace vantrel
