// The running process's own facts, as a test sets them.
#pragma once

#include <string>

#include "fault_plan.h"
#include "platform/process.h"

namespace vantrel::fakes {

class FakeProcess final : public platform::Process {
 public:
  std::string GetModuleFileNameA() override {
    return faults.shouldFail("GetModuleFileNameA") ? std::string() : moduleFileName;
  }

  bool IsWow64Process() override { return wow64; }

  FaultPlan faults;  // calls: "GetModuleFileNameA"
  std::string moduleFileName = "C:\\Program Files\\Vantrel\\Vantrel.exe";
  bool wow64 = false;
};

}  // namespace vantrel::fakes
