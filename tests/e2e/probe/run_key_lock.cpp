// The end-to-end tests' stand-in for a standard user's rights on the machine's Run key (its 64-bit view):
//   run_key_lock lock     Everyone may read the key and nothing else, so Wine refuses every change to it, as
//                         Windows refuses a standard user
//   run_key_lock unlock   Everyone may do anything with it again
// Exits with 0 when the key's rights are set.
#include <aclapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win32/windows_api.h"

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Everyone gets only `access`; the key's owner still may change its rights, so that it can be unlocked again.
bool allowEveryone(HKEY key, REGSAM access) {
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
    return false;
  }
  const DWORD size = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone);
  std::vector<DWORD> buffer(size / sizeof(DWORD) + 1);
  auto* acl = reinterpret_cast<ACL*>(buffer.data());
  const bool set =
      InitializeAcl(acl, size, ACL_REVISION) && AddAccessAllowedAce(acl, ACL_REVISION, access, everyone) &&
      SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                      nullptr, nullptr, acl, nullptr) == ERROR_SUCCESS;
  FreeSid(everyone);
  return set;
}

}  // namespace

int main(int argc, char** argv) {
  const bool lock = argc == 2 && std::strcmp(argv[1], "lock") == 0;
  if (!lock && !(argc == 2 && std::strcmp(argv[1], "unlock") == 0)) {
    std::fprintf(stderr, "usage: run_key_lock lock|unlock\n");
    return 2;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, WRITE_DAC | READ_CONTROL | KEY_WOW64_64KEY,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "the Run key cannot be opened to change its rights\n");
    return 1;
  }
  const bool set = allowEveryone(key, lock ? KEY_READ : KEY_ALL_ACCESS);
  RegCloseKey(key);
  if (!set) {
    std::fprintf(stderr, "the Run key's rights cannot be set\n");
    return 1;
  }
  return 0;
}
