// Multimedia commands recorded, answered with the error number a test sets (or an exception).
#pragma once

#include <string>
#include <vector>

#include "fault_plan.h"
#include "platform/multimedia.h"

namespace vantrel::fakes {

class FakeMultimedia final : public platform::Multimedia {
 public:
  std::uint32_t mciSendStringA(const std::string& command, platform::WindowHandle callback) override;

  FaultPlan faults;  // "mciSendStringA" fails by raising an exception
  std::vector<std::string> commands;
  std::vector<platform::WindowHandle> callbacks;
  std::uint32_t answer = platform::kMciNoError;
};

}  // namespace vantrel::fakes
