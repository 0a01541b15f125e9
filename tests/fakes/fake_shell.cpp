#include "fake_shell.h"

namespace vantrel::fakes {

bool FakeShell::Shell_NotifyIconA(std::uint32_t message, const platform::NotifyIconDataA& data) {
  const std::pair<platform::HWnd, std::uint32_t> key{data.hWnd, data.uID};
  const bool shown = icons.count(key) != 0;
  bool succeeded = !faults.shouldFail("Shell_NotifyIconA");
  if (succeeded) {
    switch (message) {
      case platform::kNimAdd:
        succeeded = !shown;
        if (succeeded) {
          icons[key] = data;
        }
        break;
      case platform::kNimModify:
        succeeded = shown;
        if (succeeded) {
          icons[key] = data;
        }
        break;
      case platform::kNimDelete:
        succeeded = icons.erase(key) != 0;
        break;
      case platform::kNimSetVersion:
        succeeded = shown;
        break;
      default:
        succeeded = false;
    }
  }
  calls.push_back({message, data, succeeded});
  return succeeded;
}

bool FakeShell::DllGetVersion(const char* library, std::uint32_t& major, std::uint32_t& minor) {
  if (faults.shouldFail("DllGetVersion")) {
    return false;
  }
  const bool shell = std::string(library) == "shell32.dll";
  major = shell ? shellMajor : comctlMajor;
  minor = shell ? shellMinor : comctlMinor;
  return true;
}

std::vector<std::uint32_t> FakeShell::messages() const {
  std::vector<std::uint32_t> result;
  for (const Call& call : calls) {
    result.push_back(call.message);
  }
  return result;
}

}  // namespace vantrel::fakes
