// What each pass bought, watched for a minute after it ends: the memory it freed, how much of that the
// system took back, and the pages it read from disk meanwhile beyond its usual rate. Times are FILETIMEs
// (100 ns units); page counts are PageReads' cumulative counts, none where the system gives none.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "memory/memory_regions.h"

namespace vantrel {

// Who started a pass: the tray icon's click, the tray menu, the window's button, the hotkey, a command line
// (handed over by a later start), or the program itself.
enum class PassKind { Click, Menu, Button, Hotkey, CommandLine, Automatic };

constexpr std::uint64_t kFileTimeSecond = 10'000'000;
constexpr std::uint64_t kWatchLength = 60 * kFileTimeSecond;
constexpr std::size_t kPassesKept = 20;

enum class WatchState { Running, Watching, Done, CutShort };

// What a watched pass's figures did to the automatic rules' pause (rule_pause.h).
enum class PauseChange { None, Longer, Shorter };

struct PassRecord {
  std::uint64_t started = 0;
  PassKind kind = PassKind::Automatic;
  // The regions a Free All emptied; none for a pass alone.
  RegionChoice regions{};
  // Available memory in bytes: just before, just after, and at the watch's end (Done only).
  std::int64_t before = 0;
  std::int64_t after = 0;
  std::int64_t later = 0;
  WatchState state = WatchState::Running;
  // Read from disk while watched, beyond the rate of the minute before the pass, in pages (Done only); none
  // where the system gave no count, or no sample taken while no pass or watch ran gave that rate.
  std::optional<std::uint64_t> pagesRead;
  PauseChange pause = PauseChange::None;

  // State for the figures while it is watched.
  std::uint32_t number = 0;
  std::uint64_t ended = 0;
  std::optional<std::uint64_t> pagesAtEnd;
  // Pages a second read in the minute before the pass, since the last sample taken while no pass or watch
  // ran.
  std::optional<double> usualRate;
};

// Freed: after minus before, never below 0.
std::int64_t FreedBytes(const PassRecord& pass);
// Back in use: how much of what was freed available memory lost again by the watch's end; 0 to Freed.
std::int64_t BackInUseBytes(const PassRecord& pass);

class PassWatch {
 public:
  // The count of pages read is taken once a minute while no pass runs or is watched, for the rate before the
  // next one.
  bool SampleDue(std::uint64_t now) const;
  void Sample(std::uint64_t now, std::optional<std::uint64_t> pages);

  // A pass starts; a watch going is cut short. Returns the pass's number for PassEnded.
  std::uint32_t PassStarted(std::uint64_t now, PassKind kind, const RegionChoice& regions,
                            std::int64_t freeBytes, std::optional<std::uint64_t> pages);
  // The pass ends and its minute begins; nothing when it was cut short meanwhile.
  void PassEnded(std::uint32_t number, std::uint64_t now, std::int64_t freeBytes,
                 std::optional<std::uint64_t> pages);
  // The minute after the pass is over: the newest pass gets its figures. False when it was watching none.
  bool WatchEnded(std::uint64_t now, std::int64_t freeBytes, std::optional<std::uint64_t> pages);
  // What the newest pass's figures did to the rules' pause, for its row.
  void NotePause(std::uint32_t number, PauseChange change);

  // The last kPassesKept passes, newest first.
  const std::vector<PassRecord>& Passes() const { return passes_; }

 private:
  struct Reading {
    std::uint64_t time;
    std::optional<std::uint64_t> pages;
  };
  // Ends the newest pass's watch, if one is going.
  void cutShort(std::int64_t freeBytes);

  std::vector<PassRecord> passes_;
  std::uint32_t numbers_ = 0;
  std::optional<Reading> newer_;
  std::optional<Reading> older_;
};

}  // namespace vantrel
