#include "fake_multimedia.h"

#include <stdexcept>

namespace vantrel::fakes {

std::uint32_t FakeMultimedia::mciSendStringA(const std::string& command, platform::WindowHandle callback) {
  commands.push_back(command);
  callbacks.push_back(callback);
  if (faults.shouldFail("mciSendStringA")) {
    throw std::runtime_error("the multimedia layer failed");
  }
  return answer;
}

}  // namespace vantrel::fakes
