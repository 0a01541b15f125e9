// What the tray says in words: the tip over the icon and the balloon after a pass the user started. Figures
// are whole megabytes, rounded as the window rounds them.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// "Free: 22921 MB of 24105 MB (95%)", the share as Gauge1 shows it.
std::string FreeMemoryTip(std::int64_t freeBytes, std::int64_t totalBytes);
// "Freed 512 MB: 1024 MB -> 1536 MB free", or "Nothing freed: 1024 MB free" when free memory did not grow.
std::string PassBalloonText(std::int64_t freeBefore, std::int64_t freeAfter);

}  // namespace vantrel
