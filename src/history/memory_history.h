// Free memory over the last hour, one point per monitor tick, and the passes in it. The points lie in a ring
// of kHistoryPoints (the last hour at one tick a second, more at longer ticks), 8 bytes each; the window
// draws only the last hour of them.
#pragma once

#include <cstdint>
#include <vector>

namespace vantrel {

constexpr std::size_t kHistoryPoints = 3600;
constexpr std::uint32_t kHistorySeconds = 3600;

class MemoryHistory {
 public:
  struct Point {
    std::uint32_t second;  // since the first point
    std::uint32_t freeMegabytes;
  };
  struct Mark {
    std::uint32_t second;
    bool automatic;
  };

  // `now` is a FILETIME.
  void Add(std::uint64_t now, std::int64_t freeBytes);
  void MarkPass(std::uint64_t now, bool automatic);

  // Seconds since the first point; 0 before it and for a clock put back before it.
  std::uint32_t SecondOf(std::uint64_t now) const;
  std::size_t Count() const { return points_.size(); }
  // Oldest first: index 0 is the oldest point kept.
  Point At(std::size_t index) const { return points_[(next_ + index) % points_.size()]; }
  // The passes of the last hour, oldest first.
  const std::vector<Mark>& Marks() const { return marks_; }

 private:
  std::vector<Point> points_;
  // Where the next point goes once the ring is full; then also the oldest point.
  std::size_t next_ = 0;
  std::uint64_t origin_ = 0;
  bool started_ = false;
  std::vector<Mark> marks_;
};

}  // namespace vantrel
