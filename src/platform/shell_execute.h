// Opening a document or an address with the program the user chose for it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dialogs.h"

namespace vantrel::platform {

constexpr int kSwShowNormal = 1;

class ShellExecution {
 public:
  virtual ~ShellExecution() = default;

  // Greater than 32 when the shell started something; an error number otherwise.
  virtual std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation,
                                      const std::string& file, const std::string& parameters,
                                      const std::string& directory, int showCommand) = 0;
};

}  // namespace vantrel::platform
