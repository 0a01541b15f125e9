// Memory figures as the window shows them, from byte counts. Rounding is to the nearest, ties to even.
#pragma once

#include <cstdint>

namespace vantrel {

constexpr double kBytesPerMegabyte = 1048576.0;

// Megabytes rounded to two decimals.
double MegabytesTwoDecimals(std::int64_t bytes);
std::int64_t WholeMegabytes(std::int64_t bytes);
// `part` as a percentage of `whole`; 0 when the whole is unknown (0).
std::int32_t Percent(std::int64_t part, std::int64_t whole);

struct Bounds {
  std::int32_t lower;
  std::int32_t upper;
};
// Range of the free-memory threshold: a 32nd to a 6th of the total. The upper bound stops at the largest pass
// the reclaimer makes (1024 MB), as a higher threshold could never be reached by reclaiming; the lower bound
// never passes the upper one.
Bounds ThresholdBounds(std::int64_t totalBytes);

}  // namespace vantrel
