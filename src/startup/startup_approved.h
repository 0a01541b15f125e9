// Windows' own switch for each entry that it starts at log-on (Windows 8 and later): a 12-byte REG_BINARY
// value of the entry's exact name under the StartupApproved key of the entry's hive. Its first four bytes are
// a little-endian DWORD of flags, bit 0 set meaning switched off (Windows writes 02 for on, 03 for off; 06
// and 07 are seen too); the other eight a FILETIME (UTC) of the moment it was switched off, zero while on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/registry_key.h"

namespace vantrel {

constexpr char kStartupApprovedKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";
// The subkeys: for the Run key, for the 32-bit programs' Run key of the machine, and for the Startup folders.
constexpr char kApprovedRun[] = "Run";
constexpr char kApprovedRun32[] = "Run32";
constexpr char kApprovedStartupFolder[] = "StartupFolder";

// Where the switches of one scope's entries are: a root, the registry view to open it in, and the subkey.
struct ApprovedPlace {
  platform::HKey Root;
  std::uint32_t View;
  std::string SubKey;
};

// The place of the switches of the entries of a location and scope, by their names as the lists show them;
// none where Windows keeps no switches: it keeps them for the Run keys and the Startup folders only, and
// starts every RunOnce and Policy Run entry. `program32`: this program runs as a 32-bit program on 64-bit
// Windows.
std::optional<ApprovedPlace> ApprovedPlaceOf(const std::string& location, const std::string& scope,
                                             bool program32);

// Windows' read rule: an entry starts unless its value is 12 bytes of REG_BINARY with bit 0 of the flags set.
bool StartsByValue(const std::optional<TRegValue>& value);

// Whether Windows starts each of the entries `names` by its switch under root\StartupApproved\subKey, in the
// order of `names`. A key or value that cannot be read counts as no switch: the entry starts.
std::vector<bool> StartsAtLogOn(platform::Registry& registry, platform::HKey root, std::uint32_t view,
                                const std::string& subKey, const std::vector<std::string>& names);

// Switches the entry `name` on (bit 0 cleared, the other bits kept, the time zeroed; no value stays no value)
// or off (bit 0 set, the other bits kept, the time `now`; no value, or one Windows does not read, becomes
// 03 00 00 00 and `now`). A switch that is already as asked is left as it is. Creates the subkey where it is
// missing; raises ERegistryException when Windows refuses the change.
void SetStartsAtLogOn(platform::Registry& registry, platform::HKey root, std::uint32_t view,
                      const std::string& subKey, const std::string& name, bool starts, std::uint64_t now);

}  // namespace vantrel
