// Win32 only: the running process's own facts.
#pragma once

#include "platform/process.h"

namespace vantrel::platform::win32 {

class Win32Process final : public Process {
 public:
  std::u16string GetModuleFileNameW() override;
  std::u16string GetCommandLineW() override;
  std::vector<std::u16string> CommandLineToArgvW(const std::u16string& commandLine) override;
  bool IsWow64Process() override;
  std::string GetSystemWow64DirectoryA() override;
  std::u16string LookupAccountSidW() override;
};

}  // namespace vantrel::platform::win32
