#include "fake_dialogs.h"

namespace vantrel::fakes {

int FakeDialogs::MessageBoxA(platform::WindowHandle, const std::string& text, const std::string& caption,
                             std::uint32_t type) {
  if (faults.shouldFail("MessageBoxA")) {
    return 0;
  }
  boxes.push_back({text, caption, type});
  return platform::kIdOk;
}

bool FakeDialogs::MessageBeep(std::uint32_t) {
  if (faults.shouldFail("MessageBeep")) {
    return false;
  }
  ++beeps;
  return true;
}

bool FakeDialogs::GetOpenFileNameA(platform::WindowHandle, std::string& fileName) {
  if (faults.shouldFail("GetOpenFileNameA") || chosenFiles.empty()) {
    return false;
  }
  const std::string answer = chosenFiles.front();
  chosenFiles.pop_front();
  if (answer.empty()) {
    return false;
  }
  fileName = answer;
  return true;
}

}  // namespace vantrel::fakes
