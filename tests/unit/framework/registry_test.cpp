// TRegistry against the in-memory registry: the cases that the system's registry does not make on demand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_registry.h"
#include "framework/registry_key.h"

namespace vantrel {
namespace {

const platform::HKey kHklm = platform::kHKeyLocalMachine;
constexpr char kKey[] = "Software\\Vantrel\\Tests";

TEST(TRegistry, ListingFollowsANameThatGrewLongerThanTheCountAndNamesOutsideTheBasicPlane) {
  fakes::FakeRegistry registry;
  // Two characters of four UTF-16 units: the count is in units, as the names are.
  const std::string paired = "\U00020000\U0001F600";
  const std::string longer = std::string(300, 'x') + "\u03A9";
  registry.setString(kHklm, kKey, "a", "1");
  registry.setString(kHklm, kKey, paired, "2");
  registry.setString(kHklm, kKey, "b", "3");
  registry.beforeCall = [&](const std::string& call) {
    if (call == "RegEnumValueW" && registry.valueNames(kHklm, kKey).size() == 3) {
      registry.setString(kHklm, kKey, longer, "4");
    }
  };
  TRegistry keys(registry, kHklm);
  ASSERT_TRUE(keys.OpenKeyReadOnly(kKey));
  EXPECT_EQ(keys.GetValueNames(), (std::vector<std::string>{"a", paired, "b", longer}));

  // One name that cannot be read does not end the listing.
  registry.faults.failOn("RegEnumValueW", registry.faults.calls("RegEnumValueW") + 2);
  EXPECT_EQ(keys.GetValueNames(), (std::vector<std::string>{"a", "b", longer}));
}

TEST(TRegistry, StringsAreWrittenInUtf16WithTheirTwoByteNulAndReadBackUpToTheFirstNul) {
  fakes::FakeRegistry registry;
  TRegistry keys(registry, kHklm);
  ASSERT_TRUE(keys.OpenKey(kKey, true));
  keys.WriteString("\u0394", "C:\\\u041F\\p.exe");
  const auto written = registry.value(kHklm, kKey, "\u0394");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->type, platform::kRegSz);
  EXPECT_EQ(written->data, (std::vector<std::uint8_t>{'C', 0, ':', 0, '\\', 0, 0x1F, 0x04, '\\', 0, 'p', 0,
                                                      '.', 0, 'e', 0, 'x',  0, 'e',  0,    0,    0}));
  EXPECT_EQ(keys.ReadString("\u0394"), "C:\\\u041F\\p.exe");

  registry.setValue(kHklm, kKey, "cut", platform::kRegExpandSz, {'a', 0, 0, 0, 'b', 0});
  registry.setValue(kHklm, kKey, "odd", platform::kRegSz, {'a', 0, 'b'});
  registry.setDword(kHklm, kKey, "number", 1);
  EXPECT_EQ(keys.ReadString("cut"), "a");
  EXPECT_EQ(keys.ReadString("odd"), "ab");
  EXPECT_EQ(keys.ReadString("number"), std::nullopt);
  EXPECT_EQ(keys.ReadString("missing"), std::nullopt);
}

}  // namespace
}  // namespace vantrel
