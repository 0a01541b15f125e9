#include "figures/tray_level.h"

#include "figures/figures.h"

namespace vantrel {

TrayLevel TrayLevelOf(std::int64_t freeBytes, std::int64_t totalBytes, const TrayLevels& levels) {
  if (levels.criticalPercent > 0 && BelowShare(freeBytes, totalBytes, levels.criticalPercent)) {
    return TrayLevel::Critical;
  }
  if (levels.lowPercent > 0 && totalBytes > 0 && freeBytes * 100 <= totalBytes * levels.lowPercent) {
    return TrayLevel::Low;
  }
  return TrayLevel::Normal;
}

}  // namespace vantrel
