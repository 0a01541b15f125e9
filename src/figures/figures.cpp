#include "figures/figures.h"

#include <array>
#include <cmath>

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
  return {static_cast<std::int32_t>(std::nearbyint(megabytes / 32)),
          static_cast<std::int32_t>(std::nearbyint(megabytes / 6))};
}

std::int32_t TargetOfRow(int row) {
  static constexpr std::array<std::int32_t, 29> kTargets = {8,   10,  12,  14,  16,  18,  20,  24,  28, 32,
                                                            36,  40,  44,  48,  56,  64,  72,  80,  88, 96,
                                                            104, 112, 120, 128, 160, 192, 224, 256, 384};
  return row >= 0 && row < static_cast<int>(kTargets.size()) ? kTargets[static_cast<std::size_t>(row)] : 0;
}

bool TargetFits(std::int64_t totalBytes, std::int32_t target) {
  // 1.333 megabytes of total for each megabyte of target.
  constexpr double kBytesPerTargetMegabyte = 1397751.808;
  return !(static_cast<double>(totalBytes) / kBytesPerTargetMegabyte + 1 < target);
}

bool BelowShare(std::int64_t part, std::int64_t whole, std::int32_t percent) {
  return whole > 0 && part * 100 < whole * percent;
}

bool PauseOver(std::uint64_t since, std::uint64_t now, std::int32_t minutes) {
  constexpr std::uint64_t kMillisecondsPerMinute = 60000;
  return now - since >= static_cast<std::uint64_t>(minutes) * kMillisecondsPerMinute;
}

}  // namespace vantrel
