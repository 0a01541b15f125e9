// One copy per user session. The first copy to start holds a named object of the session while it runs; a
// later start finds the running copy's application window, hands it a command and ends. A command is a short
// word sent as WM_COPYDATA under this program's own number; anything else handed over is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/instances.h"

namespace vantrel {

// "Local\": the object belongs to this log-on session, so another user's session runs its own copy.
constexpr char kRunningCopyObject[] = "Local\\Vantrel.RunningCopy.5B2E91C4";
constexpr std::uintptr_t kCommandData = 0x56545243;
// Commands that the running copy carries out: "show", and the passes "free N" (1 to 1024 MB) and "free all".
constexpr char kShowCommand[] = "show";
std::string PassCommand(std::int32_t megabytes);  // kWholeMemoryPass: "free all"
// The megabytes of a pass command (kWholeMemoryPass for "free all"); none for any other text.
std::optional<std::int32_t> PassOfCommand(const std::string& command);
// A copy started at the same instant as this one may not have its window yet: it is sought this long, at
// this pace, and each try waits this long for the copy's answer.
constexpr std::uint32_t kHandOverWait = 20000;
constexpr std::uint32_t kHandOverPace = 100;
constexpr std::uint32_t kAnswerWait = 5000;

// Holds the session's object from its making to its end.
class TRunningCopyClaim {
 public:
  explicit TRunningCopyClaim(platform::Instances& instances);
  ~TRunningCopyClaim();
  TRunningCopyClaim(const TRunningCopyClaim&) = delete;
  TRunningCopyClaim& operator=(const TRunningCopyClaim&) = delete;

  // No other copy held the object: this one is the session's copy. Also when the object cannot be had at
  // all, as there is then no telling, and a program that would not start is worse than a second icon.
  bool First() const { return first_; }

 private:
  platform::Instances& instances_;
  platform::KernelHandle handle_;
  bool first_;
};

// Hands `command` to the running copy; true once it took it, false when no copy took it in kHandOverWait.
bool HandToRunningCopy(platform::Instances& instances, const std::string& command);

}  // namespace vantrel
