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

// How much a text tells, from all of it down to what always fits the balloon.
enum class Detail { All, WithoutCounts, WithoutCodes };

std::string doneName(Region region, const RegionResult& result, Detail detail) {
  std::string name = kRegionNames[static_cast<std::size_t>(region)];
  if (region == Region::WorkingSets) {
    if (result.allAtOnce) {
      return name + " (all programs)";
    }
    name += " (" + std::to_string(result.trimmed) + (result.trimmed == 1 ? " program" : " programs");
    if (result.skipped > 0 && detail == Detail::All) {
      name += ", " + std::to_string(result.skipped) + " skipped";
    }
    if (result.kept > 0 && detail == Detail::All) {
      name += ", " + std::to_string(result.kept) + " kept";
    }
    name += ")";
  }
  if (region == Region::CombinedPages && detail == Detail::All) {
    name += " (" + std::to_string(result.pagesCombined) + (result.pagesCombined == 1 ? " page)" : " pages)");
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

std::string balloonText(std::int64_t freeBefore, std::int64_t freeAfter, const RegionResults& results,
                        Detail detail) {
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
        addTo(done, doneName(region, result, detail));
        break;
      case RegionOutcome::NeedsAdministrator:
        addTo(administrator, kRegionNames[index]);
        break;
      case RegionOutcome::NotAvailable:
        addTo(notHere, kRegionNames[index]);
        break;
      case RegionOutcome::Failed:
        addTo(failed, std::string(kRegionNames[index]) +
                          (detail == Detail::WithoutCodes ? "" : " (" + codeText(result.code) + ")"));
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
  return text;
}

}  // namespace

std::string FreeAllBalloonText(std::int64_t freeBefore, std::int64_t freeAfter,
                               const RegionResults& results) {
  // Where the lines are at their widest, the counts of programs and pages are the first to go, then the
  // failures' codes.
  std::string text;
  for (const Detail detail : {Detail::All, Detail::WithoutCounts, Detail::WithoutCodes}) {
    text = balloonText(freeBefore, freeAfter, results, detail);
    if (text.size() <= kBalloonTextLimit) {
      break;
    }
  }
  return text;
}

}  // namespace vantrel
