#include "figures/tray_texts.h"

#include "figures/figures.h"

namespace vantrel {

std::string FreeMemoryTip(std::int64_t freeBytes, std::int64_t totalBytes) {
  return "Free: " + std::to_string(WholeMegabytes(freeBytes)) + " MB of " +
         std::to_string(WholeMegabytes(totalBytes)) + " MB (" +
         std::to_string(Percent(freeBytes, totalBytes)) + "%)";
}

std::string PassBalloonText(std::int64_t freeBefore, std::int64_t freeAfter) {
  // The difference of the figures shown, so that the text adds up.
  const std::int64_t before = WholeMegabytes(freeBefore);
  const std::int64_t after = WholeMegabytes(freeAfter);
  if (after <= before) {
    return "Nothing freed: " + std::to_string(after) + " MB free";
  }
  return "Freed " + std::to_string(after - before) + " MB: " + std::to_string(before) + " MB -> " +
         std::to_string(after) + " MB free";
}

}  // namespace vantrel
