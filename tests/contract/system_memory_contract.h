// What the program relies on from the system's memory calls, real or fake: run against the fake natively and
// against the system under Wine. Only what an administrator and a standard user, Windows and Wine all agree
// on: the privileges' bookkeeping and the processes, never a call's effect on memory.
#pragma once

#include <cstdint>

#include "platform/system_memory.h"

namespace vantrel::contract {

// `ownProcessId` is the process that runs the check. Leaves every privilege as it found it.
void checkSystemMemory(platform::SystemMemory& system, std::uint32_t ownProcessId);

}  // namespace vantrel::contract
