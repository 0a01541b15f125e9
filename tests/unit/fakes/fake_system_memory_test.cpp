#include "fake_system_memory.h"

#include <gtest/gtest.h>

#include "system_memory_contract.h"

namespace vantrel {
namespace {

TEST(FakeSystemMemory, KeepsTheSystemMemoryContractForAnAdministratorAndAStandardUser) {
  for (const bool administrator : {true, false}) {
    SCOPED_TRACE(administrator ? "administrator" : "standard user");
    fakes::FakeSystemMemory system;
    if (!administrator) {
      system.asStandardUser();
    }
    contract::checkSystemMemory(system, system.ownProcessId);
    EXPECT_TRUE(system.enabled.empty()) << "every privilege as it was";
  }
}

}  // namespace
}  // namespace vantrel
