// This program's own start at log-on: the value "Vantrel" of a Run key, in the machine's key where this user
// may write it, in this user's key otherwise. Either key holding it counts, so a second copy is never
// written. A value of that name that starts another program (StartsVantrel) is that program's: it is never
// counted, changed nor removed.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "startup/run_key.h"

namespace vantrel {

// Whether `program` is known to be gone. Only a full path to an executable can be judged: a bare name is
// found through the search path, and "%...%" is expanded at log-on. A share that cannot be reached is not
// known to be missing.
bool NamesMissingProgram(platform::FileSystem& fileSystem, const std::string& program);

// A value of the entry's name that starts another program: the scope of its key, and its Program text.
struct TakenEntry {
  std::string Scope;
  std::string Command;
};

// Sees that one of `places` (the machine's Run key first, then this user's) holds the entry that starts
// `program` (a full path). One that is there stays as it is, unless it names a program file that is gone:
// that one is rewritten with the quoted path where it is, or else where a new entry would go. A new entry,
// the path quoted when it holds a blank, goes to the first key that takes it and holds no value of that name.
// False when none does. Every place whose value of that name starts another program is added to `taken`.
bool EnsureAutoStart(platform::Registry& registry, platform::FileSystem& fileSystem,
                     const std::vector<RunScope>& places, const std::string& program,
                     std::vector<TakenEntry>* taken);
// Removes the entry of `program` from every one of `places` that has it; false when one refused.
bool RemoveAutoStart(platform::Registry& registry, platform::FileSystem& fileSystem,
                     const std::vector<RunScope>& places, const std::string& program);
// Switches Windows' own start of the entry of `program` (startup_approved.h) on in every one of `places` that
// has it, where Windows has it switched off; false when Windows refused one. `program32`: as for
// ApprovedPlaceOf.
bool SwitchOnAutoStart(platform::Registry& registry, platform::FileSystem& fileSystem,
                       const std::vector<RunScope>& places, const std::string& program, bool program32);

}  // namespace vantrel
