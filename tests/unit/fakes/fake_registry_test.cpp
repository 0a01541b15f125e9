#include "fake_registry.h"

#include <gtest/gtest.h>

#include "registry_contract.h"

namespace vantrel {
namespace {

using platform::kHKeyLocalMachine;

TEST(FakeRegistry, KeepsTheRegistryContract) {
  fakes::FakeRegistry registry;
  contract::checkRegistry(registry, "Software\\VantrelTests\\Contract");
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST(FakeRegistry, KeepsTheViewsContractOnEveryKindOfMachine) {
  struct Machine {
    const char* what;
    bool system64;
    bool program32;
  };
  const Machine machines[] = {{"32-bit Windows", false, true},
                              {"64-bit Windows, 64-bit program", true, false},
                              {"64-bit Windows, 32-bit program", true, true}};
  for (const Machine& machine : machines) {
    SCOPED_TRACE(machine.what);
    fakes::FakeRegistry registry;
    registry.system64 = machine.system64;
    registry.program32 = machine.program32;
    contract::checkRegistryViews(registry, "VantrelTests\\Views", machine.system64, machine.program32);
    EXPECT_EQ(registry.openHandles(), 0);
  }
}

TEST(FakeRegistry, RefusesWhatItIsToldToRefuse) {
  fakes::FakeRegistry registry;
  registry.denyWriting(kHKeyLocalMachine, "Software\\Locked");
  registry.denyAll(kHKeyLocalMachine, "Software\\Hidden");
  platform::HKey key = 0;
  EXPECT_EQ(registry.RegOpenKeyExW(kHKeyLocalMachine, u"software\\locked", platform::kKeyRead, &key),
            platform::kErrorSuccess);
  registry.RegCloseKey(key);
  EXPECT_EQ(registry.RegOpenKeyExW(kHKeyLocalMachine, u"Software\\Locked", platform::kKeyAllAccess, &key),
            platform::kErrorAccessDenied);
  EXPECT_EQ(registry.RegCreateKeyExW(kHKeyLocalMachine, u"Software\\Locked\\Child", platform::kKeyAllAccess,
                                     &key, nullptr),
            platform::kErrorAccessDenied);
  EXPECT_FALSE(registry.keyExists(kHKeyLocalMachine, "Software\\Locked\\Child"));
  EXPECT_EQ(registry.RegOpenKeyExW(kHKeyLocalMachine, u"Software\\Hidden", platform::kKeyRead, &key),
            platform::kErrorAccessDenied);

  registry.faults.failOn("RegSetValueExW", 1);
  ASSERT_EQ(
      registry.RegCreateKeyExW(kHKeyLocalMachine, u"Software\\Open", platform::kKeyAllAccess, &key, nullptr),
      platform::kErrorSuccess);
  const std::uint8_t data[] = {'a', 0, 0, 0};
  EXPECT_NE(registry.RegSetValueExW(key, u"v", platform::kRegSz, data, 4), platform::kErrorSuccess);
  EXPECT_EQ(registry.RegSetValueExW(key, u"v", platform::kRegSz, data, 4), platform::kErrorSuccess);
  EXPECT_EQ(registry.stringValue(kHKeyLocalMachine, "Software\\Open", "V"), "a");
  registry.RegCloseKey(key);
  EXPECT_EQ(registry.openHandles(), 0);
}

}  // namespace
}  // namespace vantrel
