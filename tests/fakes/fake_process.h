// The running process's own facts, as a test sets them.
#pragma once

#include <string>

#include "fault_plan.h"
#include "framework/unicode.h"
#include "platform/process.h"

namespace vantrel::fakes {

class FakeProcess final : public platform::Process {
 public:
  std::u16string GetModuleFileNameW() override {
    return faults.shouldFail("GetModuleFileNameW") ? std::u16string() : Utf8ToUtf16(moduleFileName);
  }

  bool IsWow64Process() override { return wow64; }
  std::string GetSystemWow64DirectoryA() override { return systemWow64Directory; }

  FaultPlan faults;                                                        // calls: "GetModuleFileNameW"
  std::string moduleFileName = "C:\\Program Files\\Vantrel\\Vantrel.exe";  // UTF-8
  bool wow64 = false;
  std::string systemWow64Directory;  // empty: 32-bit Windows
};

}  // namespace vantrel::fakes
