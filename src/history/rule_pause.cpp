#include "history/rule_pause.h"

#include <algorithm>
#include <limits>

namespace vantrel {

PauseChange RulePause::PassWatched(const PassRecord& pass) {
  // A memory status that failed reads 0 bytes: such figures say nothing of what came back.
  if (pass.kind != PassKind::Automatic ||
      (pass.state != WatchState::Done && pass.state != WatchState::CutShort) || pass.before <= 0 ||
      pass.after <= 0 || pass.later <= 0) {
    return PauseChange::None;
  }
  const bool stayed = BackInUseBytes(pass) * 3 < FreedBytes(pass) * 2;
  // A watch cut short by the next pass: memory back before then came back within the minute; memory that
  // stayed so far may still have come back.
  if (stayed && pass.state == WatchState::CutShort) {
    return PauseChange::None;
  }
  if (stayed) {
    cameBack_ = 0;
    if (factor_ == 1) {
      return PauseChange::None;
    }
    factor_ /= 2;
    return PauseChange::Shorter;
  }
  cameBack_ = std::min(cameBack_ + 1, kPassesThatCameBack);
  if (cameBack_ < kPassesThatCameBack || factor_ == kLongestPause) {
    return PauseChange::None;
  }
  factor_ *= 2;
  return PauseChange::Longer;
}

std::uint32_t LongerInterval(std::uint32_t interval, std::int32_t factor) {
  const std::uint64_t longer = static_cast<std::uint64_t>(interval) * static_cast<std::uint64_t>(factor);
  return static_cast<std::uint32_t>(
      std::min<std::uint64_t>(longer, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace vantrel
