// Win32 only: opening documents and addresses through the shell.
#pragma once

#include "platform/shell_execute.h"

namespace vantrel::platform::win32 {

class Win32ShellExecution final : public ShellExecution {
 public:
  std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation, const std::string& file,
                              const std::string& parameters, const std::string& directory,
                              int showCommand) override;
  std::intptr_t ShellExecuteW(WindowHandle owner, const std::u16string& operation, const std::u16string& file,
                              const std::u16string& parameters, const std::u16string& directory,
                              int showCommand) override;
};

}  // namespace vantrel::platform::win32
