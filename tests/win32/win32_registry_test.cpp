#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>

#include "registry_contract.h"

namespace vantrel {
namespace {

TEST(Win32Registry, KeepsTheRegistryContract) {
  platform::win32::Win32Registry registry;
  contract::checkRegistry(registry, "Software\\VantrelTests\\Contract");
}

}  // namespace
}  // namespace vantrel
