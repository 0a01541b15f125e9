#include "fake_shell.h"

#include <gtest/gtest.h>

#include "shell_contract.h"

namespace vantrel {
namespace {

TEST(FakeShell, KeepsTheShellContract) {
  fakes::FakeShell shell;
  contract::checkShell(shell, 0x1000);
  EXPECT_TRUE(shell.icons.empty());
}

}  // namespace
}  // namespace vantrel
