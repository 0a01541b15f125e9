// What the tray says in words: the tip over the icon and the balloon after a pass the user started. Figures
// are whole megabytes, rounded as the window rounds them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// "Free: 22921 MB of 24105 MB (95%)", the share as Gauge1 shows it.
std::string FreeMemoryTip(std::int64_t freeBytes, std::int64_t totalBytes);
// The characters of a tip that the shell shows: its szTip holds 128 with the terminating NUL.
constexpr std::size_t kTipLimit = 127;

// A line of the tip after the free memory's, and the shorter form it takes where the whole tip would not fit.
struct TipLine {
  std::string full;
  std::string brief;
};
// The lines of the tip, one below another, within kTipLimit: the free memory's first and always whole. A
// later line that would not fit even in brief is left out, with those after it; where the others do not fit
// whole, they take their brief forms, the last one first.
std::string TrayTip(const std::string& freeLine, const std::vector<TipLine>& later);

// "Freed 512 MB: 1024 MB -> 1536 MB free", or "Nothing freed: 1024 MB free" when free memory did not grow.
std::string PassBalloonText(std::int64_t freeBefore, std::int64_t freeAfter);

}  // namespace vantrel
