#include "free_all/free_all_texts.h"

#include <array>
#include <cstdio>

#include "figures/tray_texts.h"

namespace vantrel {

namespace {

// By Region, as they read within a line.
constexpr std::array<const char*, kRegionCount> kRegionNames = {
    "working sets",       "file cache",         "standby list (low priority)",
    "whole standby list", "modified page list", "combined page list",
    "registry cache"};

std::string codeText(std::uint32_t code) {
  if (code >= 0x80000000u) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    return hex;
  }
  return "error " + std::to_string(code);
}

std::string doneName(Region region, const RegionResult& result) {
  std::string name = kRegionNames[static_cast<std::size_t>(region)];
  if (region == Region::WorkingSets) {
    if (result.allAtOnce) {
      return name + " (all programs)";
    }
    name += " (" + std::to_string(result.trimmed) + (result.trimmed == 1 ? " program" : " programs");
    if (result.skipped > 0) {
      name += ", " + std::to_string(result.skipped) + " skipped";
    }
    name += ")";
  }
  return name;
}

void addTo(std::string& list, const std::string& item) {
  list += list.empty() ? item : ", " + item;
}

void addLine(std::string& text, const std::string& line) {
  if (!line.empty()) {
    text += "\n" + line;
  }
}

}  // namespace

std::string FreeAllBalloonText(std::int64_t freeBefore, std::int64_t freeAfter,
                               const RegionResults& results) {
  std::string done;
  std::string administrator;
  std::string notHere;
  std::string failed;
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    if (!results[index]) {
      continue;
    }
    const Region region = static_cast<Region>(index);
    const RegionResult& result = *results[index];
    switch (result.outcome) {
      case RegionOutcome::Done:
        addTo(done, doneName(region, result));
        break;
      case RegionOutcome::NeedsAdministrator:
        addTo(administrator, kRegionNames[index]);
        break;
      case RegionOutcome::NotAvailable:
        addTo(notHere, kRegionNames[index]);
        break;
      case RegionOutcome::Failed:
        addTo(failed, std::string(kRegionNames[index]) + " (" + codeText(result.code) + ")");
        break;
    }
  }
  if (!done.empty()) {
    done[0] = static_cast<char>(done[0] - 'a' + 'A');
  }
  std::string text = PassBalloonText(freeBefore, freeAfter);
  addLine(text, done);
  addLine(text, administrator.empty() ? "" : "Needs administrator: " + administrator);
  addLine(text, notHere.empty() ? "" : "Not on this Windows: " + notHere);
  addLine(text, failed.empty() ? "" : "Failed: " + failed);
  // Where every line is at its widest, the count of programs skipped is the first to go.
  const auto workingSets = static_cast<std::size_t>(Region::WorkingSets);
  if (text.size() > kBalloonTextLimit && results[workingSets] && results[workingSets]->skipped > 0) {
    RegionResults without = results;
    without[workingSets]->skipped = 0;
    return FreeAllBalloonText(freeBefore, freeAfter, without);
  }
  return text;
}

}  // namespace vantrel
