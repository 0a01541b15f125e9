#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_process.h"
#include "registry_contract.h"

namespace vantrel {
namespace {

TEST(Win32Registry, KeepsTheRegistryContract) {
  platform::win32::Win32Registry registry;
  contract::checkRegistry(registry, "Software\\VantrelTests\\Contract");
}

TEST(Win32Registry, KeepsTheViewsContract) {
  const bool system64 = !platform::win32::Win32Process().GetSystemWow64DirectoryA().empty();
  const bool program32 = sizeof(void*) == 4;
  EXPECT_EQ(platform::win32::Win32Process().IsWow64Process(), system64 && program32);
  platform::win32::Win32Registry registry;
  contract::checkRegistryViews(registry, "VantrelTests\\Views", system64, program32);
}

}  // namespace
}  // namespace vantrel
