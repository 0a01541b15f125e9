#include "fake_dialogs.h"

#include "platform/unicode.h"

namespace vantrel::fakes {

int FakeDialogs::MessageBoxW(platform::WindowHandle, const std::u16string& text,
                             const std::u16string& caption, std::uint32_t type) {
  if (faults.shouldFail("MessageBoxW")) {
    return 0;
  }
  boxes.push_back({Utf16ToUtf8(text), Utf16ToUtf8(caption), type});
  return platform::kIdOk;
}

bool FakeDialogs::MessageBeep(std::uint32_t) {
  if (faults.shouldFail("MessageBeep")) {
    return false;
  }
  ++beeps;
  return true;
}

bool FakeDialogs::GetOpenFileNameW(platform::WindowHandle, std::u16string& fileName) {
  if (faults.shouldFail("GetOpenFileNameW") || chosenFiles.empty()) {
    return false;
  }
  const std::string answer = chosenFiles.front();
  chosenFiles.pop_front();
  if (answer.empty()) {
    return false;
  }
  fileName = Utf8ToUtf16(answer);
  return true;
}

}  // namespace vantrel::fakes
