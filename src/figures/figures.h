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
// Range of the free-memory threshold: a 32nd to a 6th of the total, in megabytes.
Bounds ThresholdBounds(std::int64_t totalBytes);

// The reclaim target of a row of the target list, in megabytes; the last row, captioned "320 MB", means 384.
// 0 for a row that does not exist.
std::int32_t TargetOfRow(int row);
// Whether a target suits the machine: at most the total in megabytes divided by 1.333, plus one.
bool TargetFits(std::int64_t totalBytes, std::int32_t target);

// Whether `part` is less than `percent` % of `whole`; never for an unknown whole (0).
bool BelowShare(std::int64_t part, std::int64_t whole, std::int32_t percent);
// Whether `minutes` have passed from `since` to `now`, both milliseconds of a clock that is never set back.
bool PauseOver(std::uint64_t since, std::uint64_t now, std::int32_t minutes);

}  // namespace vantrel
