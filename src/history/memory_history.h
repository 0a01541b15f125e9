// Free and committed memory over the last hour, one point per monitor tick, and the passes in it. The points
// lie in a ring of kHistoryPoints (the last hour at one tick a second, more at longer ticks), 12 bytes each;
// the window draws only the last hour of them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "figures/commit_texts.h"

namespace vantrel {

constexpr std::size_t kHistoryPoints = 3600;
constexpr std::uint32_t kHistorySeconds = 3600;
// A point's committed memory where the system did not tell it.
constexpr std::uint32_t kNotTold = UINT32_MAX;

class MemoryHistory {
 public:
  struct Point {
    std::uint32_t second;  // since the first point
    std::uint32_t freeMegabytes;
    std::uint32_t committedMegabytes;  // kNotTold where unknown
  };
  struct Mark {
    std::uint32_t second;
    bool automatic;
  };

  // `now` is a FILETIME; `commit` where the system told it.
  void Add(std::uint64_t now, std::int64_t freeBytes,
           const std::optional<CommitFigures>& commit = std::nullopt);
  void MarkPass(std::uint64_t now, bool automatic);

  // Seconds since the first point; 0 before it and for a clock put back before it.
  std::uint32_t SecondOf(std::uint64_t now) const;
  std::size_t Count() const { return points_.size(); }
  // Oldest first: index 0 is the oldest point kept.
  Point At(std::size_t index) const { return points_[(next_ + index) % points_.size()]; }
  // The passes of the last hour, oldest first.
  const std::vector<Mark>& Marks() const { return marks_; }
  // The commit limit the system told last, in megabytes; 0 before it told one.
  std::uint32_t CommitLimitMegabytes() const { return commitLimit_; }

 private:
  std::vector<Point> points_;
  // Where the next point goes once the ring is full; then also the oldest point.
  std::size_t next_ = 0;
  std::uint64_t origin_ = 0;
  bool started_ = false;
  std::vector<Mark> marks_;
  std::uint32_t commitLimit_ = 0;
};

}  // namespace vantrel
