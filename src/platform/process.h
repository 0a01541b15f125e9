// The running process's own facts, and the one fact of the system it needs.
#pragma once

#include <string>
#include <vector>

namespace vantrel::platform {

class Process {
 public:
  virtual ~Process() = default;

  // Full path of the process's executable, however long and in whatever script; empty when the system cannot
  // tell.
  virtual std::u16string GetModuleFileNameW() = 0;
  // The command line the process was started with, as the system keeps it.
  virtual std::u16string GetCommandLineW() = 0;
  // A command line split into its arguments as the system splits them (quotes, backslashes), the program's
  // path first; empty when it cannot be split.
  virtual std::vector<std::u16string> CommandLineToArgvW(const std::u16string& commandLine) = 0;
  // True for a 32-bit process on 64-bit Windows; false for a native process and where the system cannot tell.
  virtual bool IsWow64Process() = 0;
  // The folder of the 32-bit system files on 64-bit Windows; empty on 32-bit Windows, which has none (and no
  // 32-bit view of the registry either).
  virtual std::string GetSystemWow64DirectoryA() = 0;
  // The account that the process runs as (its token's user), as "DOMAIN\name"; empty when the system cannot
  // tell.
  virtual std::u16string LookupAccountSidW() = 0;
};

}  // namespace vantrel::platform
