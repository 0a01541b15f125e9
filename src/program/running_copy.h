// One copy per user session. The copy that runs holds a named mutex of the session; a later start finds the
// running copy's application window (of any build, as the mutex is the same for all), hands it a command and
// ends, or takes the mutex once the running copy
// has gone and runs in its place. A command is a short word sent as WM_COPYDATA under this program's own
// number; anything else handed over is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/instances.h"

namespace vantrel {

// "Local\": the object belongs to this log-on session, so another user's session runs its own copy.
constexpr char kRunningCopyObject[] = "Local\\Vantrel.RunningCopy.5B2E91C4";
constexpr std::uintptr_t kCommandData = 0x56545243;
// Commands that the running copy carries out: "show", the passes "free N" (1 to 1024 MB) and "free all", and
// "close": an unelevated copy saves its settings and ends, so that an elevated start can run in its place; an
// elevated one refuses, as it already has the rights.
constexpr char kShowCommand[] = "show";
constexpr char kCloseCommand[] = "close";
std::string PassCommand(std::int32_t megabytes);  // kWholeMemoryPass: "free all"
// The megabytes of a pass command (kWholeMemoryPass for "free all"); none for any other text.
std::optional<std::int32_t> PassOfCommand(const std::string& command);
// A copy started at the same instant as this one may not have its window yet, and one that is closing may
// refuse: it is sought this long, at this pace, and each try waits this long for the copy's answer.
constexpr std::uint32_t kHandOverWait = 20000;
constexpr std::uint32_t kHandOverPace = 100;
constexpr std::uint32_t kAnswerWait = 5000;

// How long a later start waits, after the hand-over, for a copy that takes nothing to end.
constexpr std::uint32_t kClosingWait = 60000;

// The application window of the session's copy, whichever build it is: its title starts with the product's
// name, a blank after it. 0 when there is none.
platform::HWnd RunningCopyWindow(platform::Instances& instances);

// Opens the session's mutex and holds it, once taken, to its end.
class TRunningCopyClaim {
 public:
  explicit TRunningCopyClaim(platform::Instances& instances);
  ~TRunningCopyClaim();
  TRunningCopyClaim(const TRunningCopyClaim&) = delete;
  TRunningCopyClaim& operator=(const TRunningCopyClaim&) = delete;

  // No other copy holds the mutex: this one is the session's copy. Also when the mutex cannot be had at
  // all, as there is then no telling, and a program that would not start is worse than a second icon.
  bool First() const { return first_; }
  // Tries again to take the mutex, which the running copy gives up as it ends, waiting at most `timeout` ms
  // (kWaitForever: until that copy has ended); First() afterwards.
  bool Take(std::uint32_t timeout = 0);

 private:
  platform::Instances& instances_;
  platform::KernelHandle handle_;
  bool first_;
};

enum class HandOver {
  Taken,     // the running copy took the command
  NotTaken,  // no copy took it in kHandOverWait
  Claimed,   // the running copy has gone and `claim` holds the mutex now
};

// Hands `command` to the running copy. A command whose answer did not come in time is never sent again to
// that window: the copy is busy and carries it out once it is free. It counts as taken once that window
// answers again (it handles what was sent to it in order), and also when the window is still busy at the end
// of the wait, since it will carry it out then; it is lost only when the window goes first. With a `claim`,
// the mutex is tried before each try, and the wait ends as soon as it is taken.
HandOver HandToRunningCopy(platform::Instances& instances, const std::string& command,
                           TRunningCopyClaim* claim = nullptr);

enum class LaterStart {
  Run,     // this start holds the mutex now and runs as the session's copy
  Shown,   // the running copy shows its window; this start ends with 0
  Failed,  // no copy answered, nor ended in kClosingWait; this start ends with 1
};

// A start without switches that found the mutex held. An `elevated` start asks the running copy to close
// and takes its place; otherwise, or when the running copy refuses (it is elevated too), the running copy
// shows its window. Whenever the running copy goes meanwhile, this start runs in its place.
LaterStart MeetRunningCopy(platform::Instances& instances, TRunningCopyClaim& claim, bool elevated);

}  // namespace vantrel
