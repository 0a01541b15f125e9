#include "app/running_copy.h"

#include "app/command_line.h"
#include "app/product.h"
#include "framework/native.h"

namespace vantrel {

namespace {

constexpr char kPassWord[] = "free ";
constexpr char kWholeMemoryWord[] = "all";

}  // namespace

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
  first_ = !existed;
}

TRunningCopyClaim::~TRunningCopyClaim() {
  if (handle_ != 0) {
    instances_.CloseHandle(handle_);
  }
}

bool HandToRunningCopy(platform::Instances& instances, const std::string& command) {
  for (std::uint32_t waited = 0; waited < kHandOverWait; waited += kHandOverPace) {
    if (const platform::HWnd window = instances.FindWindowA(kApplicationWindowClass, kProductLine)) {
      // This start came from the user, so it may bring a window to the front; the running copy may not.
      instances.AllowSetForegroundWindow(window);
      const auto answer = instances.SendMessageTimeoutA(window, kCommandData, command, kAnswerWait);
      if (answer && *answer != 0) {
        return true;
      }
      if (!answer) {
        waited += kAnswerWait;
      }
    }
    instances.Sleep(kHandOverPace);
  }
  return false;
}

}  // namespace vantrel
