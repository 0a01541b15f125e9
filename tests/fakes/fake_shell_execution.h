// The shell's openings recorded, answered with the number a test sets.
#pragma once

#include <string>
#include <vector>

#include "platform/unicode.h"
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
    bool wide = false;
  };

  std::intptr_t ShellExecuteA(platform::WindowHandle owner, const std::string& operation,
                              const std::string& file, const std::string& parameters,
                              const std::string& directory, int showCommand) override {
    calls.push_back({owner, operation, file, parameters, directory, showCommand, false});
    return answer;
  }
  // Recorded as the A form's call, in UTF-8; `wide` says which form it was.
  std::intptr_t ShellExecuteW(platform::WindowHandle owner, const std::u16string& operation,
                              const std::u16string& file, const std::u16string& parameters,
                              const std::u16string& directory, int showCommand) override {
    calls.push_back({owner, Utf16ToUtf8(operation), Utf16ToUtf8(file), Utf16ToUtf8(parameters),
                     Utf16ToUtf8(directory), showCommand, true});
    return answer;
  }

  std::vector<Call> calls;
  std::intptr_t answer = 42;
};

}  // namespace vantrel::fakes
