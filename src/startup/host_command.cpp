#include "startup/host_command.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "framework/sysutils.h"

namespace vantrel {

namespace {

using Kind = HostedRun::Kind;

// One blank-separated word of a command line, quotes keeping blanks inside it; its place in the line.
struct Word {
  std::string Text;
  std::size_t Start = 0;
  std::size_t End = 0;
};

Word wordAt(const std::string& line, std::size_t from) {
  const std::size_t start = std::min(line.find_first_not_of(" \t", from), line.size());
  bool quoted = false;
  std::size_t end = start;
  for (; end < line.size() && (quoted || (line[end] != ' ' && line[end] != '\t')); ++end) {
    quoted = quoted != (line[end] == '"');
  }
  return {line.substr(start, end - start), start, end};
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), LowerCase);
  return text;
}

bool startsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

HostedRun none() {
  return {Kind::None, {}, {}};
}

// The first word that is no option (that `isOption` refuses) is the file, and the rest of the line its
// arguments.
template <typename IsOption>
HostedRun fileAfterOptions(const std::string& arguments, IsOption isOption, const char* extension) {
  for (Word word = wordAt(arguments, 0); !word.Text.empty(); word = wordAt(arguments, word.End)) {
    if (!isOption(word.Text)) {
      return {Kind::File, arguments.substr(word.Start), extension};
    }
  }
  return none();
}

// cmd's own commands, which run no file.
constexpr std::string_view kCmdCommands[] = {
    "assoc", "break",    "call",  "cd",    "chdir",  "cls",   "color", "copy", "date",   "del",    "dir",
    "echo",  "endlocal", "erase", "exit",  "for",    "ftype", "goto",  "if",   "md",     "mkdir",  "mklink",
    "move",  "path",     "pause", "popd",  "prompt", "pushd", "rd",    "rem",  "ren",    "rename", "rmdir",
    "set",   "setlocal", "shift", "start", "time",   "title", "type",  "ver",  "verify", "vol"};

// What `start` opens: the words after its title (its first quoted word) and its options.
HostedRun started(const std::string& line) {
  bool titled = false;
  for (Word word = wordAt(line, 0); !word.Text.empty(); word = wordAt(line, word.End)) {
    if (!titled && word.Text.front() == '"') {
      titled = true;
    } else if (word.Text.front() == '/') {
      if (lower(word.Text) == "/d") {
        word = wordAt(line, word.End);
      }
    } else {
      return {Kind::Opened, line.substr(word.Start), {}};
    }
  }
  return none();
}

// The line after cmd's /c or /k: one of cmd's own commands, or a program's command line.
HostedRun cmdLine(const std::string& line) {
  const std::size_t letters =
      std::find_if(line.begin(), line.end(),
                   [](char c) { return !std::isalpha(static_cast<unsigned char>(c)); }) -
      line.begin();
  const bool alone = letters == line.size() || !(std::isalnum(static_cast<unsigned char>(line[letters])) ||
                                                 line[letters] == '_' || line[letters] == '-');
  const std::string name = lower(line.substr(0, letters));
  if (line.empty() || (alone && std::find(std::begin(kCmdCommands), std::end(kCmdCommands), name) !=
                                    std::end(kCmdCommands))) {
    return name == "start" ? started(line.substr(letters)) : none();
  }
  return {Kind::Command, line, {}};
}

HostedRun cmd(const std::string& arguments) {
  bool unquote = false;
  for (Word word = wordAt(arguments, 0); !word.Text.empty(); word = wordAt(arguments, word.End)) {
    const std::string option = lower(word.Text);
    if (option == "/c" || option == "/k") {
      std::string line = Trim(arguments.substr(word.End));
      // cmd takes the outer quotes off a line quoted whole (""C:\My App\app.exe" /x"): with /s always, and
      // where the line starts with two.
      if ((unquote || startsWith(line, "\"\"")) && !line.empty() && line.front() == '"') {
        line.erase(0, 1);
        const std::size_t last = line.rfind('"');
        if (last != std::string::npos) {
          line.erase(last, 1);
        }
      }
      return cmdLine(Trim(line));
    }
    if (option.front() != '/') {
      break;
    }
    unquote = unquote || option == "/s";
  }
  return none();
}

// An address (http:, javascript:, about:) rather than a file: a scheme of two characters or more, as a
// drive's letter is one.
bool address(std::string text) {
  if (!text.empty() && text.front() == '"') {
    text.erase(0, 1);
  }
  const std::size_t colon = text.find(':');
  return colon != std::string::npos && colon > 1 &&
         std::all_of(text.begin(), text.begin() + colon, [](char c) {
           return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
         });
}

HostedRun mshta(const std::string& arguments) {
  const Word first = wordAt(arguments, 0);
  return first.Text.empty() || address(first.Text) ? none()
                                                   : HostedRun{Kind::File, arguments.substr(first.Start), {}};
}

// PowerShell's -File (-f) names the script; a command (-Command, -EncodedCommand, their short forms) runs
// none.
HostedRun powershell(const std::string& arguments) {
  for (Word word = wordAt(arguments, 0); !word.Text.empty(); word = wordAt(arguments, word.End)) {
    const std::string option = lower(word.Text);
    if (option == "-file" || option == "-f") {
      const Word file = wordAt(arguments, word.End);
      return file.Text.empty() ? none() : HostedRun{Kind::File, arguments.substr(file.Start), {}};
    }
    if (option == "-command" || option == "-c" || option == "-encodedcommand" || option == "-ec" ||
        option == "-e" || option == "-enc") {
      break;
    }
  }
  return none();
}

}  // namespace

HostedRun HostedBy(const std::string& program, const std::string& arguments) {
  std::string name = lower(program.substr(program.find_last_of("\\/") + 1));
  if (EndsText(".exe", name)) {
    name.resize(name.size() - 4);
  }
  if (name == "rundll32") {
    return {Kind::Library, arguments, ".dll"};
  }
  if (name == "regsvr32") {
    return fileAfterOptions(
        arguments, [](const std::string& word) { return word.front() == '/' || word.front() == '-'; },
        ".dll");
  }
  if (name == "cmd") {
    return cmd(arguments);
  }
  if (name == "wscript" || name == "cscript") {
    return fileAfterOptions(
        arguments, [](const std::string& word) { return startsWith(word, "//"); }, "");
  }
  if (name == "mshta") {
    return mshta(arguments);
  }
  if (name == "powershell" || name == "pwsh") {
    return powershell(arguments);
  }
  return {};
}

}  // namespace vantrel
