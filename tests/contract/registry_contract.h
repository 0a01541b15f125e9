// What the program relies on from any registry, real or fake: run against the fake natively and against the
// system's registry under Wine, so that the fake cannot drift from the real thing.
#pragma once

#include "platform/registry.h"

namespace vantrel::contract {

// Works in the key `path` under HKEY_LOCAL_MACHINE, which it creates and leaves without values.
void checkRegistry(platform::Registry& registry, const char* path);

// The views of HKLM\Software and the user's hive, as a program of its kind (`program32`) sees them on 64-bit
// or 32-bit Windows. Works in the key `path` below Software in both roots and views, and leaves it without
// values.
void checkRegistryViews(platform::Registry& registry, const char* path, bool system64, bool program32);

}  // namespace vantrel::contract
