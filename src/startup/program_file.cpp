#include "startup/program_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "framework/registry_key.h"
#include "framework/sysutils.h"
#include "platform/unicode.h"
#include "startup/host_command.h"
#include "startup/run_key.h"

namespace vantrel {

namespace {

constexpr char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
// The longest command line that Windows starts, in UTF-16 units.
constexpr std::size_t kMaxCommandLine = 32767;

// Thrown where the search stops without an answer: the file would be looked for further than kMaxLooks.
struct NotLookedUp {};
// Thrown where the file would be looked for on a network share.
struct OnNetwork {};

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  return first == std::string::npos ? std::string()
                                    : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool hasExtension(const std::string& path) {
  return fileNameOf(path).find('.') != std::string::npos;
}

// A name with no folder in it, which Windows searches for.
bool bare(const std::string& path) {
  return path.find_first_of("\\/:") == std::string::npos;
}

class Search {
 public:
  Search(const ProgramSearch& search, bool native) : search_(search), native_(native) {}

  int looks() const { return looks_; }

  // Counts one more look at a file, a drive or a key.
  void look() const {
    if (++looks_ > kMaxLooks) {
      throw NotLookedUp();
    }
  }

  // The system's answer to `key` in `kept` (none: nothing is kept), asked through `ask` where not kept.
  template <typename Key, typename Value, typename Ask>
  Value remembered(std::map<Key, Value>* kept, const Key& key, Ask ask) const {
    if (kept) {
      const auto found = kept->find(key);
      if (found != kept->end()) {
        look();
        return found->second;
      }
    }
    look();
    Value value = ask();
    if (kept) {
      kept->emplace(key, value);
    }
    return value;
  }

  // Refuses a path on a network share (\\server\share, a drive letter mapped to one), where a share that
  // does not answer would hold the lookups for the network's time-out.
  void mustBeLocal(const std::string& path) const {
    // The literal form of a drive's path ("\\?\C:\...") is that drive's; any other that starts so is a
    // share's or a device's.
    const bool literalDrive = path.rfind("\\\\?\\", 0) == 0 && !StartsText("UNC\\", path.substr(4));
    const std::string drive = literalDrive ? path.substr(4) : path;
    if (!literalDrive && path.rfind("\\\\", 0) == 0) {
      throw OnNetwork();
    }
    if (drive.size() < 2 || drive[1] != ':' || !std::isalpha(static_cast<unsigned char>(drive[0]))) {
      return;
    }
    const char letter = LowerCase(drive[0]);
    // Kept where the searches keep their answers, or else for this search; counted once a search, as each
    // file looked at asks it again.
    std::map<char, std::uint32_t>& kinds = search_.Looks ? search_.Looks->Drives : drives_;
    const bool counted = drivesSeen_.find(letter) != std::string::npos;
    const auto kept = kinds.find(letter);
    const std::uint32_t kind =
        counted && kept != kinds.end() ? kept->second : remembered(&kinds, letter, [&] {
          return search_.FileSystem.GetDriveTypeW(Utf8ToUtf16(std::string(1, letter) + ":\\"));
        });
    if (!counted) {
      drivesSeen_ += letter;
    }
    if (kind == platform::kDriveRemote) {
      throw OnNetwork();
    }
  }

  std::string expand(const std::string& text) const {
    return Utf16ToUtf8(search_.FileSystem.ExpandEnvironmentStringsW(Utf8ToUtf16(text)));
  }

  std::string expandForScope(const std::string& text) const {
    return ExpandForScope(search_.FileSystem, text, native_);
  }

  // Where this process reads a file of that name: a 32-bit process on 64-bit Windows sees the 32-bit
  // programs' system folder under the name of the system folder, and the real one under "Sysnative".
  std::string access(const std::string& path) const {
    if (native_ && search_.Program32) {
      const std::string system = expand("%SystemRoot%") + "\\System32\\";
      if (StartsText(system, path)) {
        return expand("%SystemRoot%") + "\\Sysnative\\" + path.substr(system.size());
      }
    }
    return path;
  }

  // A file (not a folder) at that path; one that this user may not look at counts as there.
  std::optional<ProgramFile> file(const std::string& path) const {
    // Characters that no path holds (after the literal form's "\\?\"): Windows would answer "invalid
    // name", not "not found".
    const std::string name = path.rfind("\\\\?\\", 0) == 0 ? path.substr(4) : path;
    if (name.empty() || name.find_first_of("\"<>|*?") != std::string::npos ||
        name.find(':', 2) != std::string::npos) {
      return std::nullopt;
    }
    const std::string seen = access(path);
    mustBeLocal(seen);
    const auto [attributes, missing] =
        remembered(search_.Looks ? &search_.Looks->Attributes : nullptr, seen, [&] {
          bool gone = false;
          const std::uint32_t found = search_.FileSystem.GetFileAttributesW(Utf8ToUtf16(seen), &gone);
          return std::pair(found, gone);
        });
    const bool there = attributes == platform::kInvalidFileAttributes
                           ? !missing
                           : (attributes & platform::kFileAttributeDirectory) == 0;
    if (!there) {
      return std::nullopt;
    }
    return ProgramFile{ProgramFile::State::Found, path, seen};
  }

  // The path, or the path with `extension` (if any) where its name has none.
  std::optional<ProgramFile> fileOrWith(const std::string& path, const char* extension) const {
    if (std::optional<ProgramFile> found = file(path)) {
      return found;
    }
    return hasExtension(path) || *extension == '\0' ? std::nullopt : file(path + extension);
  }

  // A bare name in the folders Windows searches: the system folder, the Windows folder, then PATH.
  std::optional<ProgramFile> onSystemPath(const std::string& name, const char* extension) const {
    std::vector<std::string> folders = {expand("%SystemRoot%") + "\\System32", expand("%SystemRoot%")};
    const std::string path = expand("%PATH%");
    if (path != "%PATH%") {
      for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find(';', start), path.size());
        const std::string folder = trimmed(path.substr(start, end - start));
        if (!folder.empty()) {
          folders.push_back(folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder);
        }
        start = end + 1;
      }
    }
    for (const std::string& folder : folders) {
      if (folder.find('%') != std::string::npos) {
        continue;
      }
      if (std::optional<ProgramFile> found = fileOrWith(folder + "\\" + name, extension)) {
        return found;
      }
    }
    return std::nullopt;
  }

  // A program's bare name as the shell finds it: its App Paths entry (this user's, then the machine's), then
  // the system path.
  std::optional<ProgramFile> program(const std::string& name) const {
    const std::string exe = hasExtension(name) ? name : name + ".exe";
    for (const platform::HKey root : {platform::kHKeyCurrentUser, platform::kHKeyLocalMachine}) {
      const std::optional<std::string> path = remembered(
          search_.Looks ? &search_.Looks->AppPaths : nullptr,
          std::string(root == platform::kHKeyCurrentUser ? "user\n" : "machine\n") + exe,
          [&]() -> std::optional<std::string> {
            TRegistry keys(search_.Registry, root, search_.Program32 ? platform::kKeyWow64_64Key : 0);
            return keys.OpenKeyReadOnly(kAppPaths + exe) ? keys.ReadString("") : std::nullopt;
          });
      if (path && !trimmed(*path).empty()) {
        std::string text = expandForScope(trimmed(*path));
        if (text.front() == '"') {
          text = text.substr(1, text.find('"', 1) - 1);
        }
        return file(text);
      }
    }
    return onSystemPath(name, ".exe");
  }

  // The program a command line starts, and the arguments after it.
  std::pair<std::optional<ProgramFile>, std::string> command(const std::string& line) const {
    std::optional<ProgramFile> found;
    const CommandParts parts = SplitCommand(line, [&](const std::string& path) {
      found = bare(path) ? program(path) : fileOrWith(path, ".exe");
      return found.has_value();
    });
    return {parts.Named ? found : std::nullopt, parts.Named ? parts.Arguments : std::string()};
  }

  // The DLL of "rundll32.exe file.dll,Entry": LoadLibrary's search for a bare name (".dll" added to a name
  // without an extension).
  std::optional<ProgramFile> library(const std::string& arguments) const {
    std::string path = trimmed(arguments.substr(0, arguments.find(',')));
    if (!path.empty() && path.front() == '"') {
      path = path.substr(1, path.find('"', 1) - 1);
    }
    return bare(path) ? onSystemPath(path, ".dll") : fileOrWith(path, ".dll");
  }

  // The file that a host's arguments start with, quoted or as the shortest prefix that names one; a bare
  // name in the system folders, where Windows starts the programs of log-on.
  std::optional<ProgramFile> hostedFile(const std::string& arguments, const std::string& extension) const {
    std::optional<ProgramFile> found;
    SplitCommand(trimmed(arguments), [&](const std::string& path) {
      found = bare(path) ? onSystemPath(path, extension.c_str()) : fileOrWith(path, extension.c_str());
      return found.has_value();
    });
    return found;
  }

  // The file that `program` runs where it is a host that Windows ships; the host itself, named in Host,
  // where the file cannot be named (an address, a command); `program` where it is no host. `nested`: inside
  // cmd, which is looked into once.
  std::optional<ProgramFile> hosted(const ProgramFile& program, const std::string& arguments,
                                    bool nested) const {
    const HostedRun run = HostedBy(program.Path, arguments);
    switch (run.Is) {
      case HostedRun::Kind::NotHost:
        return program;
      case HostedRun::Kind::Library:
        return library(run.Text);
      case HostedRun::Kind::File:
        return hostedFile(run.Text, run.Extension);
      case HostedRun::Kind::Command:
      case HostedRun::Kind::Opened: {
        if (nested) {
          return host(program);
        }
        const auto [inner, rest] = command(run.Text);
        if (inner) {
          return hosted(*inner, rest, true);
        }
        // `start` opens documents and addresses too, which name no program file.
        return run.Is == HostedRun::Kind::Opened ? host(program) : std::optional<ProgramFile>();
      }
      case HostedRun::Kind::None:
        break;
    }
    return host(program);
  }

  static ProgramFile host(ProgramFile program) {
    std::string name = fileNameOf(program.Path);
    std::transform(name.begin(), name.end(), name.begin(), LowerCase);
    program.Host = hasExtension(name) ? name : name + ".exe";
    return program;
  }

 private:
  const ProgramSearch& search_;
  bool native_;
  mutable int looks_ = 0;
  // The kinds of the drives looked at, by their lower-case letter, where the searches keep none.
  mutable std::map<char, std::uint32_t> drives_;
  // The letters of the drives this search has counted.
  mutable std::string drivesSeen_;
};

ProgramFile missing() {
  return ProgramFile{ProgramFile::State::Missing, {}, {}};
}

ProgramFile notChecked(int looks) {
  return ProgramFile{ProgramFile::State::NotChecked, {}, {}, looks};
}

bool tooLong(const std::string& line) {
  return line.size() > kMaxCommandLine && Utf8ToUtf16(line).size() > kMaxCommandLine;
}

ProgramFile findProgram(const Search& within, const std::string& command) {
  if (tooLong(command)) {
    return notChecked(0);
  }
  const std::string line = trimmed(within.expandForScope(command));
  if (line.empty()) {
    return {};
  }
  if (tooLong(line)) {
    return notChecked(0);
  }
  ProgramFile file = missing();
  try {
    for (std::size_t read = 0; read < line.size(); read += 4096) {
      within.look();
    }
    const auto [program, arguments] = within.command(line);
    if (program) {
      if (std::optional<ProgramFile> run = within.hosted(*program, arguments, false)) {
        file = *run;
      }
    }
  } catch (const NotLookedUp&) {
    file = notChecked(0);
  } catch (const OnNetwork&) {
    file = ProgramFile{ProgramFile::State::Network, {}, {}};
  }
  file.Looks = within.looks();
  return file;
}

}  // namespace

ProgramFile FindProgramFile(const ProgramSearch& search, const std::string& command, bool native) {
  return findProgram(Search(search, native), command);
}

ProgramFile FindFolderProgram(const ProgramSearch& search, const std::string& file) {
  // A Startup folder redirected to a share is not read: a share that does not answer would hold the
  // lookups for the network's time-out.
  try {
    Search(search, true).mustBeLocal(file);
  } catch (const OnNetwork&) {
    return ProgramFile{ProgramFile::State::Network, {}, {}, 1};
  }
  const std::string name = fileNameOf(file);
  if (name.size() <= 4 || !SameText(name.substr(name.size() - 4), ".lnk")) {
    return {ProgramFile::State::Found, file, file, 1};
  }
  std::u16string target;
  std::u16string arguments;
  // A shortcut to no file (a shell folder, an installer's advertised shortcut) names no path to look at.
  if (!search.FileSystem.IShellLinkW_GetPath(Utf8ToUtf16(file), &target, &arguments) || target.empty()) {
    return {};
  }
  const std::u16string command = u"\"" + target + u"\" " + arguments;
  return FindProgramFile(search, Utf16ToUtf8(command), true);
}

}  // namespace vantrel
