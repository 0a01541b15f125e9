// The running process's own facts.
#pragma once

#include <string>

namespace vantrel::platform {

class Process {
 public:
  virtual ~Process() = default;

  // Full path of the process's executable; empty when the system cannot tell.
  virtual std::string GetModuleFileNameA() = 0;
};

}  // namespace vantrel::platform
