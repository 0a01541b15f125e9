// The running process's own facts.
#pragma once

#include <string>

namespace vantrel::platform {

class Process {
 public:
  virtual ~Process() = default;

  // Full path of the process's executable; empty when the system cannot tell.
  virtual std::string GetModuleFileNameA() = 0;
  // True for a 32-bit process on 64-bit Windows; false for a native process and where the system cannot tell.
  virtual bool IsWow64Process() = 0;
};

}  // namespace vantrel::platform
