#include "system_memory_contract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vantrel::contract {

namespace {

// Enables and disables a privilege the token holds, twice each, checking what each call says it was before;
// then puts it back.
void roundTrip(platform::SystemMemory& system, const char* privilege) {
  bool original = false;
  ASSERT_EQ(system.AdjustTokenPrivileges(privilege, true, original), 0);
  struct Step {
    bool enable;
    bool wasEnabled;
  };
  for (const Step step : {Step{true, true}, Step{false, true}, Step{false, false}, Step{true, false}}) {
    SCOPED_TRACE(step.enable ? "enabling" : "disabling");
    bool wasEnabled = !step.wasEnabled;
    EXPECT_EQ(system.AdjustTokenPrivileges(privilege, step.enable, wasEnabled), 0);
    EXPECT_EQ(wasEnabled, step.wasEnabled);
  }
  bool ignored = false;
  EXPECT_EQ(system.AdjustTokenPrivileges(privilege, original, ignored), 0);
  EXPECT_TRUE(system.HoldsPrivilege(privilege)) << "held whether enabled or not";
}

}  // namespace

void checkSystemMemory(platform::SystemMemory& system, std::uint32_t ownProcessId) {
  bool wasEnabled = false;
  // A name the system does not know, and a privilege that no user's token holds (only the system's own).
  EXPECT_FALSE(system.HoldsPrivilege("VantrelNoSuchPrivilege"));
  EXPECT_EQ(system.AdjustTokenPrivileges("VantrelNoSuchPrivilege", true, wasEnabled),
            platform::kErrorNoSuchPrivilege);
  EXPECT_FALSE(system.HoldsPrivilege("SeCreateTokenPrivilege"));
  EXPECT_EQ(system.AdjustTokenPrivileges("SeCreateTokenPrivilege", true, wasEnabled),
            platform::kErrorNotAllAssigned);

  for (const char* privilege :
       {platform::kSeProfileSingleProcessPrivilege, platform::kSeIncreaseQuotaPrivilege}) {
    SCOPED_TRACE(privilege);
    if (system.HoldsPrivilege(privilege)) {
      roundTrip(system, privilege);
    } else {
      EXPECT_EQ(system.AdjustTokenPrivileges(privilege, true, wasEnabled), platform::kErrorNotAllAssigned);
    }
  }

  const std::vector<std::uint32_t> processes = system.EnumProcesses();
  EXPECT_NE(std::find(processes.begin(), processes.end(), ownProcessId), processes.end());
  // Every user may empty their own process's working set.
  EXPECT_EQ(system.EmptyWorkingSet(ownProcessId), 0);
  // The ids are multiples of four: the first such one that no process has.
  std::uint32_t gone = 4;
  while (std::find(processes.begin(), processes.end(), gone) != processes.end()) {
    gone += 4;
  }
  EXPECT_EQ(system.EmptyWorkingSet(gone), platform::kErrorInvalidParameter);
}

}  // namespace vantrel::contract
