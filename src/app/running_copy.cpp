#include "app/running_copy.h"

#include "app/product.h"
#include "framework/native.h"

namespace vantrel {

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
