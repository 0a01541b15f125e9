#include "program/auto_start.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "framework/registry_key.h"
#include "framework/sysutils.h"
#include "platform/unicode.h"
#include "startup/startup_approved.h"
#include "startup/startup_entries.h"

namespace vantrel {

namespace {

enum class Entry { None, Kept, Gone, Taken };

// Opens the Run key in `keys` for reading, which is all a user who may not change it can do, and tells
// whether it holds the entry.
bool holdsEntry(TRegistry& keys) {
  return keys.OpenKeyReadOnly(kRunKey) && keys.ValueExists(kAutoStartValue);
}

// Whether the open key's value of that name is this program's entry; one that cannot be read as a command is
// not.
bool holdsOwnEntry(TRegistry& keys, platform::FileSystem& fileSystem, const std::string& program) {
  const std::optional<std::string> command = keys.ReadString(kAutoStartValue);
  return command && StartsVantrel(*command, program, &fileSystem);
}

Entry entryIn(platform::Registry& registry, platform::FileSystem& fileSystem, const RunScope& place,
              const std::string& program, std::vector<TakenEntry>* taken) {
  TRegistry keys = place.Keys(registry);
  if (!holdsEntry(keys)) {
    return Entry::None;
  }
  const std::optional<std::string> command = keys.ReadString(kAutoStartValue);
  if (!command || !StartsVantrel(*command, program, &fileSystem)) {
    std::optional<std::string> shown;
    try {
      shown = ProgramText(keys.ReadRawValue(kAutoStartValue));
    } catch (const ERegistryException&) {
    }
    taken->push_back({place.Name, shown.value_or(std::string())});
    return Entry::Taken;
  }
  return NamesMissingProgram(fileSystem, CommandProgram(*command, &fileSystem)) ? Entry::Gone : Entry::Kept;
}

bool writeEntry(platform::Registry& registry, const RunScope& place, const std::string& command) {
  TRegistry keys = place.Keys(registry);
  if (!keys.OpenKey(kRunKey, true)) {
    return false;
  }
  try {
    keys.WriteString(kAutoStartValue, command);
    return true;
  } catch (const ERegistryException&) {
    return false;
  }
}

}  // namespace

bool NamesMissingProgram(platform::FileSystem& fileSystem, const std::string& program) {
  const bool drivePath = program.size() > 2 && std::isalpha(static_cast<unsigned char>(program[0])) &&
                         program[1] == ':' && program[2] == '\\';
  const bool networkPath = program.rfind("\\\\", 0) == 0;
  if (!(drivePath || networkPath) || program.find('%') != std::string::npos || !EndsText(".exe", program)) {
    return false;
  }
  bool missing = false;
  return fileSystem.GetFileAttributesW(Utf8ToUtf16(program), &missing) == platform::kInvalidFileAttributes &&
         missing;
}

bool EnsureAutoStart(platform::Registry& registry, platform::FileSystem& fileSystem,
                     const std::vector<RunScope>& places, const std::string& program,
                     std::vector<TakenEntry>* taken) {
  std::vector<const RunScope*> gone;
  std::vector<const RunScope*> free;
  bool kept = false;
  for (const RunScope& place : places) {
    switch (entryIn(registry, fileSystem, place, program, taken)) {
      case Entry::Kept:
        kept = true;
        break;
      case Entry::Gone:
        gone.push_back(&place);
        break;
      case Entry::None:
        free.push_back(&place);
        break;
      case Entry::Taken:
        break;
    }
  }
  if (kept) {
    return true;
  }
  // An entry for a program that is gone is rewritten, quoted, in its own key where that key takes it.
  const std::string quoted = "\"" + program + "\"";
  const std::string& command = !gone.empty() || program.find(' ') != std::string::npos ? quoted : program;
  gone.insert(gone.end(), free.begin(), free.end());
  return std::any_of(gone.begin(), gone.end(),
                     [&](const RunScope* place) { return writeEntry(registry, *place, command); });
}

bool RemoveAutoStart(platform::Registry& registry, platform::FileSystem& fileSystem,
                     const std::vector<RunScope>& places, const std::string& program) {
  bool removed = true;
  for (const RunScope& place : places) {
    TRegistry keys = place.Keys(registry);
    if (!holdsEntry(keys) || !holdsOwnEntry(keys, fileSystem, program)) {
      continue;
    }
    if (!keys.OpenKey(kRunKey, false) || !keys.DeleteValue(kAutoStartValue)) {
      removed = false;
    }
  }
  return removed;
}

bool SwitchOnAutoStart(platform::Registry& registry, platform::FileSystem& fileSystem,
                       const std::vector<RunScope>& places, const std::string& program, bool program32) {
  bool switched = true;
  for (const RunScope& place : places) {
    TRegistry keys = place.Keys(registry);
    const std::optional<ApprovedPlace> approved = ApprovedPlaceOf(place.Location, place.Name, program32);
    if (!approved || !holdsEntry(keys) || !holdsOwnEntry(keys, fileSystem, program)) {
      continue;
    }
    try {
      // The time is written only when a switch goes off.
      SetStartsAtLogOn(registry, approved->Root, approved->View, approved->SubKey, kAutoStartValue, true, 0);
    } catch (const ERegistryException&) {
      switched = false;
    }
  }
  return switched;
}

}  // namespace vantrel
