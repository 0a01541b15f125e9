// What a Free All says in its balloon: the figures of the regions and the pass together, what ran, and what
// could not.
#pragma once

#include <cstdint>
#include <string>

#include "memory/memory_regions.h"

namespace vantrel {

// The balloon's text may hold this many characters (NOTIFYICONDATA's szInfo, without its terminator).
constexpr std::size_t kBalloonTextLimit = 255;

// Lines, each only when it has something to say:
//   "Freed 812 MB: 1024 MB -> 1836 MB free" (PassBalloonText)
//   "Working sets (143 programs, 12 skipped, 3 kept), file cache, combined page list (1234 pages)"  what
//   ran, with the programs that refused to be trimmed and those the user keeps, and the pages combined
//   "Needs administrator: file cache"
//   "Not on this Windows: standby list (low priority)"
//   "Failed: whole standby list (0xC000009A), file cache (error 1450)"
// A failure's code is an NTSTATUS in hexadecimal where it has the error bit, otherwise a Win32 error. Each
// region shows in one line only, so that the text stays within kBalloonTextLimit (the counts in brackets,
// then the failures' codes, are left out where it would not).
std::string FreeAllBalloonText(std::int64_t freeBefore, std::int64_t freeAfter, const RegionResults& results);

}  // namespace vantrel
