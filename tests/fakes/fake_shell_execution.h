// The shell's openings recorded, answered with the number a test sets.
#pragma once

#include <string>
#include <vector>

#include "platform/shell_execute.h"

namespace vantrel::fakes {

class FakeShellExecution final : public platform::ShellExecution {
 public:
  struct Call {
    platform::WindowHandle owner;
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand;
  };

  std::intptr_t ShellExecuteA(platform::WindowHandle owner, const std::string& operation,
                              const std::string& file, const std::string& parameters,
                              const std::string& directory, int showCommand) override {
    calls.push_back({owner, operation, file, parameters, directory, showCommand});
    return answer;
  }

  std::vector<Call> calls;
  std::intptr_t answer = 42;
};

}  // namespace vantrel::fakes
