#include "startup/run_key.h"

#include <algorithm>
#include <utility>

#include "framework/sysutils.h"
#include "platform/unicode.h"
#include "startup/startup_rows.h"

namespace vantrel {

namespace {

// The scopes of one kind of place whose keys lie in both views of the machine, as the Run key's.
std::vector<RunScope> scopesOf(const std::string& location, const std::string& live,
                               const std::string& backup, bool system64, bool program32) {
  // Without the view flag a 32-bit program on 64-bit Windows would reach the 32-bit programs' key here too.
  const std::uint32_t native = program32 ? platform::kKeyWow64_64Key : 0;
  std::vector<RunScope> scopes = {
      {kAllUsersScope, location, platform::kHKeyLocalMachine, native, live, backup}};
  if (system64) {
    scopes.push_back(
        {kPrograms32Scope, location, platform::kHKeyLocalMachine, platform::kKeyWow64_32Key, live, backup});
  }
  // The user's keys have one view: 32-bit and 64-bit programs share them.
  scopes.push_back({kThisUserScope, location, platform::kHKeyCurrentUser, 0, live, backup});
  return scopes;
}

}  // namespace

std::vector<RunScope> RunScopes(bool system64, bool program32) {
  return scopesOf(kRunLocation, kRunKey, kBackupKey, system64, program32);
}

std::vector<RunScope> RegistryPlaces(bool system64, bool program32) {
  std::vector<RunScope> places = RunScopes(system64, program32);
  const std::vector<RunScope> once =
      scopesOf(kRunOnceLocation, kRunOnceKey, kRunOnceBackupKey, system64, program32);
  places.insert(places.end(), once.begin(), once.end());
  // Windows reads the machine's policy in the native view only.
  places.push_back({kAllUsersScope, kPolicyRunLocation, platform::kHKeyLocalMachine,
                    program32 ? platform::kKeyWow64_64Key : 0u, kPolicyRunKey, kPolicyRunBackupKey});
  places.push_back({kThisUserScope, kPolicyRunLocation, platform::kHKeyCurrentUser, 0, kPolicyRunKey,
                    kPolicyRunBackupKey});
  return places;
}

namespace {

// The longest program path that CreateProcess tries, its terminating NUL included.
constexpr std::size_t kMaxPath = 260;

// A file, not a folder, at the path, or at the path with ".exe" where its name has no extension.
bool namesFile(platform::FileSystem& fileSystem, const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  const bool extension = path.find('.', slash == std::string::npos ? 0 : slash) != std::string::npos;
  bool missing = false;
  const std::uint32_t attributes =
      fileSystem.GetFileAttributesW(Utf8ToUtf16(extension ? path : path + ".exe"), &missing);
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory) == 0;
}

}  // namespace

CommandParts SplitCommand(const std::string& command, const NamesProgram& names) {
  if (!command.empty() && command.front() == '"') {
    const std::size_t close = command.find('"', 1);
    CommandParts parts{command.substr(1, close == std::string::npos ? std::string::npos : close - 1),
                       close == std::string::npos ? std::string() : command.substr(close + 1)};
    parts.Named = names(parts.Program);
    return parts;
  }
  for (std::size_t blank = command.find(' ');; blank = command.find(' ', blank + 1)) {
    const std::size_t end = std::min(blank, command.size());
    const std::string path = command.substr(0, end);
    if (Utf8ToUtf16(path).size() >= kMaxPath) {
      break;
    }
    if (names(path)) {
      return {path, command.substr(end), true};
    }
    if (blank == std::string::npos) {
      break;
    }
  }
  return {command, std::string(), false};
}

std::string CommandProgram(const std::string& command, platform::FileSystem* fileSystem) {
  return SplitCommand(command,
                      [&](const std::string& path) {
                        return EndsText(".exe", path) || (fileSystem && namesFile(*fileSystem, path));
                      })
      .Program;
}

bool StartsVantrel(const std::string& command, const std::string& executable,
                   platform::FileSystem* fileSystem) {
  const std::string program = CommandProgram(command, fileSystem);
  const std::size_t slash = program.find_last_of("\\/");
  return SameText(slash == std::string::npos ? program : program.substr(slash + 1), "Vantrel.exe") ||
         (!executable.empty() && SameText(program, executable));
}

std::string ExpandForScope(platform::FileSystem& fileSystem, std::string text, bool native) {
  // %ProgramFiles% and %CommonProgramFiles% differ between the two widths; the other variable of each pair is
  // set only on 64-bit Windows, in both kinds of process.
  static const std::pair<const char*, const char*> kNative[] = {
      {"%ProgramFiles%", "%ProgramW6432%"}, {"%CommonProgramFiles%", "%CommonProgramW6432%"}};
  static const std::pair<const char*, const char*> kPrograms32[] = {
      {"%ProgramFiles%", "%ProgramFiles(x86)%"}, {"%CommonProgramFiles%", "%CommonProgramFiles(x86)%"}};
  const auto expand = [&](const std::string& names) {
    return Utf16ToUtf8(fileSystem.ExpandEnvironmentStringsW(Utf8ToUtf16(names)));
  };
  for (const auto& [name, scoped] : native ? kNative : kPrograms32) {
    if (expand(scoped) != scoped) {
      text = ReplaceText(text, name, scoped);
    }
  }
  return expand(text);
}

}  // namespace vantrel
