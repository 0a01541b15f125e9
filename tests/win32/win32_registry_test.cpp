#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_process.h"
#include "platform/win32/windows_api.h"
#include "registry_contract.h"

namespace vantrel {
namespace {

TEST(Win32Registry, KeepsTheRegistryContract) {
  platform::win32::Win32Registry registry;
  contract::checkRegistry(registry, "Software\\VantrelTests\\Contract");
}

TEST(Win32Registry, TheViewFlagReachesThe64BitProgramsKeysFromA32BitProgram) {
  char folder[MAX_PATH];
  const bool system64 = GetSystemWow64DirectoryA(folder, MAX_PATH) != 0;
  const bool wow64 = sizeof(void*) == 4 && system64;
  EXPECT_EQ(platform::win32::Win32Process().IsWow64Process(), wow64);

  platform::win32::Win32Registry registry;
  const char* path = "Software\\VantrelTests\\View";
  platform::HKey key = 0;
  ASSERT_EQ(registry.RegCreateKeyExA(platform::kHKeyLocalMachine, path,
                                     platform::kKeyAllAccess | platform::kKeyWow64_64Key, &key, nullptr),
            platform::kErrorSuccess);
  const std::uint8_t data[] = {'x', 0};
  ASSERT_EQ(registry.RegSetValueExA(key, "Marker", platform::kRegSz, data, sizeof data),
            platform::kErrorSuccess);
  registry.RegCloseKey(key);

  // Without the flag a 32-bit program on 64-bit Windows sees its own, redirected copy of the key.
  platform::HKey plain = 0;
  bool seen = false;
  if (registry.RegOpenKeyExA(platform::kHKeyLocalMachine, path, platform::kKeyRead, &plain) ==
      platform::kErrorSuccess) {
    seen = registry.RegQueryValueExA(plain, "Marker", nullptr, nullptr, nullptr) == platform::kErrorSuccess;
    registry.RegCloseKey(plain);
  }
  EXPECT_EQ(seen, !wow64);

  ASSERT_EQ(registry.RegOpenKeyExA(platform::kHKeyLocalMachine, path,
                                   platform::kKeyAllAccess | platform::kKeyWow64_64Key, &key),
            platform::kErrorSuccess);
  EXPECT_EQ(registry.RegDeleteValueA(key, "Marker"), platform::kErrorSuccess);
  registry.RegCloseKey(key);
}

}  // namespace
}  // namespace vantrel
