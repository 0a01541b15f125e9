#include "history/pass_watch.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

std::int64_t FreedBytes(const PassRecord& pass) {
  return std::max<std::int64_t>(0, pass.after - pass.before);
}

std::int64_t BackInUseBytes(const PassRecord& pass) {
  return std::clamp<std::int64_t>(pass.after - pass.later, 0, FreedBytes(pass));
}

bool PassWatch::SampleDue(std::uint64_t now) const {
  // Not while a pass runs or is watched: its reads are not the usual rate.
  if (!passes_.empty() &&
      (passes_.front().state == WatchState::Running || passes_.front().state == WatchState::Watching)) {
    return false;
  }
  // A clock put back counts as due.
  return !newer_ || now < newer_->time || now - newer_->time >= kWatchLength;
}

void PassWatch::Sample(std::uint64_t now, std::optional<std::uint64_t> pages) {
  older_ = newer_;
  newer_ = Reading{now, pages};
}

std::uint32_t PassWatch::PassStarted(std::uint64_t now, PassKind kind, const RegionChoice& regions,
                                     std::int64_t freeBytes, std::optional<std::uint64_t> pages) {
  cutShort(freeBytes);
  PassRecord pass;
  pass.number = ++numbers_;
  pass.started = now;
  pass.kind = kind;
  pass.regions = regions;
  pass.before = freeBytes;
  // The reading a minute or more back where there is one, else the oldest there is.
  const std::optional<Reading>& from =
      newer_ && (now - newer_->time >= kWatchLength || !older_) ? newer_ : older_;
  if (pages && from && from->pages && now > from->time && *pages >= *from->pages) {
    pass.usualRate =
        static_cast<double>(*pages - *from->pages) * kFileTimeSecond / static_cast<double>(now - from->time);
  }
  // The readings before this pass span no time free of it and its watch: the next pass's rate starts anew.
  newer_.reset();
  older_.reset();
  passes_.insert(passes_.begin(), pass);
  if (passes_.size() > kPassesKept) {
    passes_.pop_back();
  }
  return pass.number;
}

void PassWatch::PassEnded(std::uint32_t number, std::uint64_t now, std::int64_t freeBytes,
                          std::optional<std::uint64_t> pages) {
  if (passes_.empty() || passes_.front().number != number || passes_.front().state != WatchState::Running) {
    return;
  }
  PassRecord& pass = passes_.front();
  pass.state = WatchState::Watching;
  pass.after = freeBytes;
  pass.ended = now;
  pass.pagesAtEnd = pages;
}

bool PassWatch::WatchEnded(std::uint64_t now, std::int64_t freeBytes, std::optional<std::uint64_t> pages) {
  if (passes_.empty() || passes_.front().state != WatchState::Watching) {
    return false;
  }
  PassRecord& pass = passes_.front();
  pass.state = WatchState::Done;
  pass.later = freeBytes;
  // Without a usual rate the raw count would charge the pass with every read the system makes anyway.
  if (pages && pass.pagesAtEnd && pass.usualRate && *pages >= *pass.pagesAtEnd) {
    const double seconds = now > pass.ended ? static_cast<double>(now - pass.ended) / kFileTimeSecond : 0;
    const double usual = *pass.usualRate * seconds;
    pass.pagesRead = static_cast<std::uint64_t>(
        std::max(0.0, std::nearbyint(static_cast<double>(*pages - *pass.pagesAtEnd) - usual)));
  }
  return true;
}

void PassWatch::NotePause(std::uint32_t number, PauseChange change) {
  for (PassRecord& pass : passes_) {
    if (pass.number == number) {
      pass.pause = change;
    }
  }
}

void PassWatch::cutShort(std::int64_t freeBytes) {
  if (passes_.empty()) {
    return;
  }
  PassRecord& pass = passes_.front();
  if (pass.state == WatchState::Running) {
    pass.after = freeBytes;
  } else if (pass.state == WatchState::Watching) {
    // What came back before the next pass, for the rules' pause; the History shows no figure for it.
    pass.later = freeBytes;
  }
  if (pass.state == WatchState::Running || pass.state == WatchState::Watching) {
    pass.state = WatchState::CutShort;
  }
}

}  // namespace vantrel
