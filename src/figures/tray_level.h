// How low free memory is, as the tray figure's colour tells it: its share of the physical memory against two
// levels in percent.
#pragma once

#include <cstdint>

namespace vantrel {

enum class TrayLevel { Normal, Low, Critical };

// 0 turns a level off.
struct TrayLevels {
  std::int32_t lowPercent = 20;
  std::int32_t criticalPercent = 10;
};

// Critical below criticalPercent % of the total; else Low at lowPercent % or less; else Normal. A critical
// level above the low one wins below it. Normal for an unknown total (0).
TrayLevel TrayLevelOf(std::int64_t freeBytes, std::int64_t totalBytes, const TrayLevels& levels);

}  // namespace vantrel
