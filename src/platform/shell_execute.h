// Opening a document or an address with the program the user chose for it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dialogs.h"

namespace vantrel::platform {

constexpr int kSwShowNormal = 1;
// ShellExecute's answer when the user (or the system) refused the operation: so it answers a "No" to the
// prompt for administrator rights.
constexpr std::intptr_t kSeErrAccessDenied = 5;

class ShellExecution {
 public:
  virtual ~ShellExecution() = default;

  // Greater than 32 when the shell started something; an error number otherwise.
  virtual std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation,
                                      const std::string& file, const std::string& parameters,
                                      const std::string& directory, int showCommand) = 0;
  // The same with the texts in UTF-16: for a path that may lie outside the ANSI code page (the program's
  // own, in a profile folder named in any language).
  virtual std::intptr_t ShellExecuteW(WindowHandle owner, const std::u16string& operation,
                                      const std::u16string& file, const std::u16string& parameters,
                                      const std::u16string& directory, int showCommand) = 0;
};

}  // namespace vantrel::platform
