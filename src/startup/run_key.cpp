#include "startup/run_key.h"

#include "framework/sysutils.h"

namespace vantrel {

std::vector<RunScope> RunScopes(bool system64, bool program32) {
  // Without the view flag a 32-bit program on 64-bit Windows would reach the 32-bit programs' key here too.
  std::vector<RunScope> scopes = {
      {"All users", platform::kHKeyLocalMachine, program32 ? platform::kKeyWow64_64Key : 0}};
  if (system64) {
    scopes.push_back({kPrograms32Scope, platform::kHKeyLocalMachine, platform::kKeyWow64_32Key});
  }
  // The user's Run key has one view: 32-bit and 64-bit programs share it.
  scopes.push_back({"This user", platform::kHKeyCurrentUser, 0});
  return scopes;
}

bool EndsWithExe(std::string_view text) {
  constexpr std::string_view kExe = ".exe";
  return text.size() >= kExe.size() && SameText(text.substr(text.size() - kExe.size()), kExe);
}

std::string CommandProgram(const std::string& command) {
  if (!command.empty() && command.front() == '"') {
    const std::size_t close = command.find('"', 1);
    return command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  for (std::size_t blank = command.find(' '); blank != std::string::npos;
       blank = command.find(' ', blank + 1)) {
    if (EndsWithExe(command.substr(0, blank))) {
      return command.substr(0, blank);
    }
  }
  return command;
}

bool StartsVantrel(const std::string& command, const std::string& executable) {
  const std::string program = CommandProgram(command);
  const std::size_t slash = program.find_last_of("\\/");
  return SameText(slash == std::string::npos ? program : program.substr(slash + 1), "Vantrel.exe") ||
         (!executable.empty() && SameText(program, executable));
}

}  // namespace vantrel
