// How long the automatic rules pause between passes, as a multiple of their settings: a pass whose memory the
// system takes straight back bought nothing but the disk reads that follow, so while passes do that the rules
// wait longer. Lives while the program runs; never saved.
#pragma once

#include <cstdint>

#include "history/pass_watch.h"

namespace vantrel {

constexpr std::int32_t kLongestPause = 8;
// Automatic passes in a row whose memory came back before the pause doubles.
constexpr std::int32_t kPassesThatCameBack = 3;

class RulePause {
 public:
  // A pass whose watch is over. Only automatic passes with their figures count: two thirds or more of what
  // was freed back in use (so also nothing freed) is memory that came back; less is memory that stayed. A
  // watch cut short counts only for memory that came back before the cut: a rule that fires again within
  // the minute cuts every watch short.
  // Returns how the factor changed.
  PauseChange PassWatched(const PassRecord& pass);
  // 1, 2, 4 or 8.
  std::int32_t Factor() const { return factor_; }

 private:
  std::int32_t factor_ = 1;
  // The latest automatic passes with figures whose memory came back, counted up to kPassesThatCameBack.
  std::int32_t cameBack_ = 0;
};

// `interval` times `factor`, at most the largest interval there is.
std::uint32_t LongerInterval(std::uint32_t interval, std::int32_t factor);

}  // namespace vantrel
