#include "history/memory_history.h"

#include <algorithm>

#include "figures/figures.h"
#include "history/pass_watch.h"

namespace vantrel {

std::uint32_t MemoryHistory::SecondOf(std::uint64_t now) const {
  if (!started_ || now < origin_) {
    return 0;
  }
  return static_cast<std::uint32_t>(std::min<std::uint64_t>((now - origin_) / kFileTimeSecond, UINT32_MAX));
}

namespace {

// Whole megabytes that a point holds: never below 0, and below kNotTold.
std::uint32_t pointMegabytes(std::int64_t bytes) {
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(WholeMegabytes(bytes), 0, kNotTold - 1));
}

}  // namespace

void MemoryHistory::Add(std::uint64_t now, std::int64_t freeBytes,
                        const std::optional<CommitFigures>& commit) {
  if (!started_) {
    started_ = true;
    origin_ = now;
    points_.reserve(kHistoryPoints);
  }
  const Point point{SecondOf(now), pointMegabytes(freeBytes),
                    commit ? pointMegabytes(commit->committed) : kNotTold};
  if (commit) {
    commitLimit_ = pointMegabytes(commit->limit);
  }
  if (points_.size() < kHistoryPoints) {
    points_.push_back(point);
    return;
  }
  points_[next_] = point;
  next_ = (next_ + 1) % kHistoryPoints;
}

void MemoryHistory::MarkPass(std::uint64_t now, bool automatic) {
  const std::uint32_t second = SecondOf(now);
  while (!marks_.empty() &&
         (second - marks_.front().second > kHistorySeconds || marks_.size() >= kHistoryPoints)) {
    marks_.erase(marks_.begin());
  }
  marks_.push_back({second, automatic});
}

}  // namespace vantrel
