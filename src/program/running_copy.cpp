#include "program/running_copy.h"

#include "framework/native.h"
#include "program/command_line.h"
#include "program/product.h"

namespace vantrel {

namespace {

constexpr char kPassWord[] = "free ";
constexpr char kWholeMemoryWord[] = "all";

// The title of every build's application window: the product's name, then its version and build.
bool runningCopyTitle(const std::string& title) {
  const std::string name = std::string(kProductName) + ' ';
  return title.compare(0, name.size(), name) == 0;
}

// After a message to `window` timed out: whether the window has it, adding the time spent to `waited`. It
// has it once it answers again, as it handles what was sent to it in order, and still when it is busy at the
// end of kHandOverWait, since it carries it out once it is free. It has lost it when it goes first.
bool awaitAnswer(platform::Instances& instances, platform::HWnd window, std::uint32_t& waited) {
  for (waited += kAnswerWait; waited < kHandOverWait; waited += kAnswerWait) {
    if (RunningCopyWindow(instances) != window) {
      return false;
    }
    if (instances.SendMessageTimeoutA(window, platform::kWmNull, kAnswerWait)) {
      return true;
    }
  }
  return RunningCopyWindow(instances) == window;
}

}  // namespace

platform::HWnd RunningCopyWindow(platform::Instances& instances) {
  for (platform::HWnd window = instances.FindWindowExA(0, kApplicationWindowClass); window != 0;
       window = instances.FindWindowExA(window, kApplicationWindowClass)) {
    if (runningCopyTitle(instances.GetWindowTextA(window))) {
      return window;
    }
  }
  return 0;
}

std::string PassCommand(std::int32_t megabytes) {
  return kPassWord + (megabytes == kWholeMemoryPass ? kWholeMemoryWord : std::to_string(megabytes));
}

std::optional<std::int32_t> PassOfCommand(const std::string& command) {
  const std::string prefix = kPassWord;
  if (command.compare(0, prefix.size(), prefix) != 0) {
    return std::nullopt;
  }
  const std::string argument = command.substr(prefix.size());
  return argument == kWholeMemoryWord ? std::optional<std::int32_t>(kWholeMemoryPass)
                                      : PassMegabytes(argument);
}

TRunningCopyClaim::TRunningCopyClaim(platform::Instances& instances) : instances_(instances) {
  bool existed = false;
  handle_ = instances_.CreateMutexA(kRunningCopyObject, existed);
  // Without a handle, a mutex that existed belongs to another user of the session, who runs a copy.
  first_ = handle_ != 0 ? instances_.WaitForSingleObject(handle_, 0) : !existed;
}

TRunningCopyClaim::~TRunningCopyClaim() {
  if (handle_ != 0) {
    // Given back at once, not only when this thread ends, so that a start waiting meanwhile runs.
    if (first_) {
      instances_.ReleaseMutex(handle_);
    }
    instances_.CloseHandle(handle_);
  }
}

bool TRunningCopyClaim::Take(std::uint32_t timeout) {
  if (!first_ && handle_ == 0) {
    // The other user's copy may have ended, and its mutex with it.
    bool existed = false;
    handle_ = instances_.CreateMutexA(kRunningCopyObject, existed);
    first_ = handle_ == 0 && !existed;
  }
  if (!first_ && handle_ != 0) {
    first_ = instances_.WaitForSingleObject(handle_, timeout);
  }
  return first_;
}

HandOver HandToRunningCopy(platform::Instances& instances, const std::string& command,
                           TRunningCopyClaim* claim) {
  for (std::uint32_t waited = 0; waited < kHandOverWait; waited += kHandOverPace) {
    if (claim && claim->Take()) {
      return HandOver::Claimed;
    }
    if (const platform::HWnd window = RunningCopyWindow(instances)) {
      // This start came from the user, so it may bring a window to the front; the running copy may not.
      instances.AllowSetForegroundWindow(window);
      const auto answer = instances.SendMessageTimeoutA(window, kCommandData, command, kAnswerWait);
      if (answer && *answer != 0) {
        return HandOver::Taken;
      }
      if (!answer) {
        if (awaitAnswer(instances, window, waited)) {
          return HandOver::Taken;
        }
        continue;
      }
    }
    instances.Sleep(kHandOverPace);
  }
  return HandOver::NotTaken;
}

LaterStart MeetRunningCopy(platform::Instances& instances, TRunningCopyClaim& claim, bool elevated) {
  if (elevated) {
    // Asked once. A copy that refuses is elevated as well and shows its window below; one that closes
    // refuses to show it, and this start then runs once the copy has gone.
    if (const platform::HWnd window = RunningCopyWindow(instances)) {
      if (!instances.SendMessageTimeoutA(window, kCommandData, kCloseCommand, kAnswerWait)) {
        std::uint32_t waited = 0;
        awaitAnswer(instances, window, waited);
      }
    }
  }
  switch (HandToRunningCopy(instances, kShowCommand, &claim)) {
    case HandOver::Claimed:
      return LaterStart::Run;
    case HandOver::Taken:
      return LaterStart::Shown;
    case HandOver::NotTaken:
      break;
  }
  // The copy is there but takes nothing: it is closing, held up by a box say, or still starting. Ending now
  // would leave the session without a copy once it has gone; this start takes its place then instead, but
  // waits no longer than a person would, as nothing shows meanwhile.
  return claim.Take(kClosingWait) ? LaterStart::Run : LaterStart::Failed;
}

}  // namespace vantrel
