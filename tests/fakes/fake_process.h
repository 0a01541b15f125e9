// The running process's own facts, as a test sets them.
#pragma once

#include <string>
#include <vector>

#include "fault_plan.h"
#include "platform/process.h"
#include "platform/unicode.h"

namespace vantrel::fakes {

class FakeProcess final : public platform::Process {
 public:
  std::u16string GetModuleFileNameW() override {
    return faults.shouldFail("GetModuleFileNameW") ? std::u16string() : Utf8ToUtf16(moduleFileName);
  }

  std::u16string GetCommandLineW() override { return Utf8ToUtf16(commandLine); }
  // Blanks alone part the arguments here: the system's quoting rules are its own.
  std::vector<std::u16string> CommandLineToArgvW(const std::u16string& line) override {
    std::vector<std::u16string> arguments;
    std::u16string::size_type at = 0;
    while ((at = line.find_first_not_of(u' ', at)) != std::u16string::npos) {
      const std::u16string::size_type end = line.find(u' ', at);
      arguments.push_back(line.substr(at, end - at));
      at = end;
    }
    return arguments;
  }
  bool IsWow64Process() override { return wow64; }
  std::string GetSystemWow64DirectoryA() override { return systemWow64Directory; }
  std::u16string LookupAccountSidW() override { return Utf8ToUtf16(account); }

  FaultPlan faults;                                                        // calls: "GetModuleFileNameW"
  std::string moduleFileName = "C:\\Program Files\\Vantrel\\Vantrel.exe";  // UTF-8
  std::string commandLine = "Vantrel.exe";                                 // UTF-8
  bool wow64 = false;
  std::string systemWow64Directory;  // empty: 32-bit Windows
  std::string account = "PC\\Ann";   // UTF-8
};

}  // namespace vantrel::fakes
