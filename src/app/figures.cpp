#include "app/figures.h"

#include <algorithm>
#include <cmath>

#include "memory/max_mem.h"

namespace vantrel {

double MegabytesTwoDecimals(std::int64_t bytes) {
  return std::nearbyint(static_cast<double>(bytes) / kBytesPerMegabyte * 100) / 100;
}

std::int64_t WholeMegabytes(std::int64_t bytes) {
  return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(bytes) / kBytesPerMegabyte));
}

std::int32_t Percent(std::int64_t part, std::int64_t whole) {
  if (whole <= 0) {
    return 0;
  }
  return static_cast<std::int32_t>(
      std::nearbyint(static_cast<double>(part) / static_cast<double>(whole) * 100));
}

Bounds ThresholdBounds(std::int64_t totalBytes) {
  const double megabytes = static_cast<double>(totalBytes) / kBytesPerMegabyte;
  const auto upper = static_cast<std::int32_t>(
      std::min<double>(std::nearbyint(megabytes / 6), static_cast<double>(TMaxMem::kMaxBlocks)));
  const auto lower = static_cast<std::int32_t>(std::min<double>(std::nearbyint(megabytes / 32), upper));
  return {lower, upper};
}

}  // namespace vantrel
