// What the program relies on from any registry, real or fake: run against the fake natively and against the
// system's registry under Wine, so that the fake cannot drift from the real thing.
#pragma once

#include "platform/registry.h"

namespace vantrel::contract {

// Works in the key `path` under HKEY_LOCAL_MACHINE, which it creates and leaves without values.
void checkRegistry(platform::Registry& registry, const char* path);

}  // namespace vantrel::contract
