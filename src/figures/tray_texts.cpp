#include "figures/tray_texts.h"

#include "figures/figures.h"

namespace vantrel {

namespace {

// What the lines take below another: each its own length and a line break.
std::size_t lineLengths(const std::vector<std::string>& lines) {
  std::size_t length = 0;
  for (const std::string& line : lines) {
    length += 1 + line.size();
  }
  return length;
}

}  // namespace

std::string FreeMemoryTip(std::int64_t freeBytes, std::int64_t totalBytes) {
  return "Free: " + std::to_string(WholeMegabytes(freeBytes)) + " MB of " +
         std::to_string(WholeMegabytes(totalBytes)) + " MB (" +
         std::to_string(Percent(freeBytes, totalBytes)) + "%)";
}

std::string TrayTip(const std::string& freeLine, const std::vector<TipLine>& later) {
  // The lines that fit at all: those whose brief forms fit below the free memory's, with those before them.
  std::size_t length = freeLine.size();
  std::vector<std::string> lines;
  for (const TipLine& line : later) {
    length += 1 + line.brief.size();
    if (length > kTipLimit) {
      break;
    }
    lines.push_back(line.full);
  }
  for (std::size_t index = lines.size(); index > 0 && freeLine.size() + lineLengths(lines) > kTipLimit;
       --index) {
    lines[index - 1] = later[index - 1].brief;
  }
  std::string tip = freeLine;
  for (const std::string& line : lines) {
    tip += "\n" + line;
  }
  return tip;
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
