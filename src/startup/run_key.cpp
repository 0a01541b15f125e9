#include "startup/run_key.h"

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

}  // namespace vantrel
