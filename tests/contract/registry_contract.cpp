#include "registry_contract.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vantrel::contract {

namespace {

using platform::HKey;

std::vector<std::uint8_t> sz(const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

void setString(platform::Registry& registry, HKey key, const char* name, const std::string& text) {
  const auto bytes = sz(text);
  ASSERT_EQ(registry.RegSetValueExA(key, name, platform::kRegSz, bytes.data(),
                                    static_cast<std::uint32_t>(bytes.size())),
            platform::kErrorSuccess);
}

void clearValues(platform::Registry& registry, HKey key) {
  char name[256];
  std::uint32_t length = sizeof name;
  while (registry.RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr) ==
         platform::kErrorSuccess) {
    ASSERT_EQ(registry.RegDeleteValueA(key, name), platform::kErrorSuccess);
    length = sizeof name;
  }
}

// The string value "Where" of the key `path` as `access` reaches it; "<none>" when the key cannot be opened.
std::string where(platform::Registry& registry, HKey root, const std::string& path, std::uint32_t access) {
  HKey key = 0;
  if (registry.RegOpenKeyExA(root, path.c_str(), platform::kKeyRead | access, &key) !=
      platform::kErrorSuccess) {
    return "<none>";
  }
  char data[16] = {};
  std::uint32_t size = sizeof data - 1;
  const long status =
      registry.RegQueryValueExA(key, "Where", nullptr, reinterpret_cast<std::uint8_t*>(data), &size);
  registry.RegCloseKey(key);
  return status == platform::kErrorSuccess ? std::string(data) : "<no value>";
}

void setWhere(platform::Registry& registry, HKey root, const std::string& path, std::uint32_t access,
              const std::string& text) {
  HKey key = 0;
  ASSERT_EQ(registry.RegCreateKeyExA(root, path.c_str(), platform::kKeyAllAccess | access, &key, nullptr),
            platform::kErrorSuccess);
  setString(registry, key, "Where", text);
  registry.RegCloseKey(key);
}

void clearWhere(platform::Registry& registry, HKey root, const std::string& path, std::uint32_t access) {
  HKey key = 0;
  if (registry.RegOpenKeyExA(root, path.c_str(), platform::kKeyAllAccess | access, &key) ==
      platform::kErrorSuccess) {
    registry.RegDeleteValueA(key, "Where");
    registry.RegCloseKey(key);
  }
}

}  // namespace

void checkRegistryViews(platform::Registry& registry, const char* path, bool system64, bool program32) {
  const std::string machine = std::string("Software\\") + path;
  const std::string redirected = std::string("Software\\WOW6432Node\\") + path;
  const HKey hklm = platform::kHKeyLocalMachine;
  const HKey hkcu = platform::kHKeyCurrentUser;
  setWhere(registry, hklm, machine, platform::kKeyWow64_32Key, "32");
  setWhere(registry, hklm, machine, platform::kKeyWow64_64Key, "64");
  setWhere(registry, hkcu, machine, 0, "user");

  const std::string own = program32 ? "32" : "64";
  struct Case {
    const char* what;
    HKey root;
    std::string path;
    std::uint32_t access;
    std::string expected;
  };
  // On 32-bit Windows both writes went to the one key: the later one is seen everywhere.
  const std::vector<Case> cases = {
      {"64-bit view", hklm, machine, platform::kKeyWow64_64Key, "64"},
      {"32-bit view", hklm, machine, platform::kKeyWow64_32Key, system64 ? "32" : "64"},
      {"the program's own view", hklm, machine, 0, system64 ? own : "64"},
      {"WOW6432Node in the 64-bit view", hklm, redirected, platform::kKeyWow64_64Key,
       system64 ? "32" : "<none>"},
      {"the user's hive", hkcu, machine, 0, "user"},
      {"the user's hive in the 32-bit view", hkcu, machine, platform::kKeyWow64_32Key, "user"},
      {"the user's hive in the 64-bit view", hkcu, machine, platform::kKeyWow64_64Key, "user"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(where(registry, c.root, c.path, c.access), c.expected);
  }

  clearWhere(registry, hklm, machine, platform::kKeyWow64_32Key);
  clearWhere(registry, hklm, machine, platform::kKeyWow64_64Key);
  clearWhere(registry, hkcu, machine, 0);
}

void checkRegistry(platform::Registry& registry, const char* path) {
  const std::string missing = std::string(path) + "\\Missing\\Deeper";
  HKey key = 0;
  EXPECT_EQ(registry.RegOpenKeyExA(platform::kHKeyLocalMachine, missing.c_str(), platform::kKeyRead, &key),
            platform::kErrorFileNotFound);

  std::uint32_t disposition = 0;
  ASSERT_EQ(registry.RegCreateKeyExA(platform::kHKeyLocalMachine, path, platform::kKeyAllAccess, &key,
                                     &disposition),
            platform::kErrorSuccess);
  clearValues(registry, key);
  ASSERT_EQ(registry.RegCloseKey(key), platform::kErrorSuccess);
  ASSERT_EQ(registry.RegCreateKeyExA(platform::kHKeyLocalMachine, path, platform::kKeyAllAccess, &key,
                                     &disposition),
            platform::kErrorSuccess);
  EXPECT_EQ(disposition, platform::kRegOpenedExistingKey);

  setString(registry, key, "Alpha", "C:\\a.exe");
  setString(registry, key, "beta two", "");
  setString(registry, key, "Alpha", "C:\\Program Files\\a.exe");  // replaced in place

  // Size and type without the data; a short buffer is refused with the size it needs.
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_EQ(registry.RegQueryValueExA(key, "ALPHA", &type, nullptr, &size), platform::kErrorSuccess);
  EXPECT_EQ(type, platform::kRegSz);
  EXPECT_EQ(size, sz("C:\\Program Files\\a.exe").size());
  std::uint8_t shortBuffer[4];
  size = sizeof shortBuffer;
  EXPECT_EQ(registry.RegQueryValueExA(key, "Alpha", &type, shortBuffer, &size), platform::kErrorMoreData);
  EXPECT_EQ(size, sz("C:\\Program Files\\a.exe").size());
  std::vector<std::uint8_t> data(size);
  ASSERT_EQ(registry.RegQueryValueExA(key, "Alpha", &type, data.data(), &size), platform::kErrorSuccess);
  EXPECT_EQ(data, sz("C:\\Program Files\\a.exe"));
  EXPECT_EQ(registry.RegQueryValueExA(key, "Gamma", &type, nullptr, &size), platform::kErrorFileNotFound);

  // Enumeration: counts, longest name and data, each value once, then no more items.
  std::uint32_t values = 0;
  std::uint32_t longestName = 0;
  std::uint32_t longestData = 0;
  ASSERT_EQ(registry.RegQueryInfoKeyA(key, &values, &longestName, &longestData), platform::kErrorSuccess);
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(longestName, std::strlen("beta two"));
  // The system counts stored (wide) bytes here, so this is only an upper bound for the ANSI data.
  EXPECT_GE(longestData, sz("C:\\Program Files\\a.exe").size());
  std::vector<std::string> names;
  for (std::uint32_t index = 0;; ++index) {
    char name[64];
    std::uint32_t length = sizeof name;
    const long status = registry.RegEnumValueA(key, index, name, &length, &type, nullptr, nullptr);
    if (status == platform::kErrorNoMoreItems) {
      break;
    }
    ASSERT_EQ(status, platform::kErrorSuccess);
    EXPECT_EQ(length, std::strlen(name));
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta two"}));
  char tiny[3];
  std::uint32_t tinyLength = sizeof tiny;
  EXPECT_EQ(registry.RegEnumValueA(key, 1, tiny, &tinyLength, nullptr, nullptr, nullptr),
            platform::kErrorMoreData);

  EXPECT_EQ(registry.RegDeleteValueA(key, "beta two"), platform::kErrorSuccess);
  EXPECT_EQ(registry.RegDeleteValueA(key, "beta two"), platform::kErrorFileNotFound);
  ASSERT_EQ(registry.RegCloseKey(key), platform::kErrorSuccess);

  // A key opened for reading only refuses changes.
  ASSERT_EQ(registry.RegOpenKeyExA(platform::kHKeyLocalMachine, path, platform::kKeyRead, &key),
            platform::kErrorSuccess);
  const auto bytes = sz("x");
  EXPECT_EQ(registry.RegSetValueExA(key, "Gamma", platform::kRegSz, bytes.data(), 2),
            platform::kErrorAccessDenied);
  EXPECT_EQ(registry.RegDeleteValueA(key, "Alpha"), platform::kErrorAccessDenied);
  ASSERT_EQ(registry.RegCloseKey(key), platform::kErrorSuccess);

  // Values of every type come back with their type and bytes; the unnamed default value is listed as "".
  ASSERT_EQ(registry.RegOpenKeyExA(platform::kHKeyLocalMachine, path, platform::kKeyAllAccess, &key),
            platform::kErrorSuccess);
  struct Typed {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  const std::vector<Typed> typed = {
      {"Number", platform::kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"Binary", platform::kRegBinary, {0x41, 0x00, 0x42}},
      {"Empty", platform::kRegBinary, {}},
      {"Expand", platform::kRegExpandSz, sz("%SystemRoot%\\x.exe")},
      {"", platform::kRegSz, sz("default")},
  };
  for (const Typed& value : typed) {
    SCOPED_TRACE(value.name);
    ASSERT_EQ(registry.RegSetValueExA(key, value.name, value.type, value.data.data(),
                                      static_cast<std::uint32_t>(value.data.size())),
              platform::kErrorSuccess);
    std::uint8_t read[64];
    size = sizeof read;
    ASSERT_EQ(registry.RegQueryValueExA(key, value.name, &type, read, &size), platform::kErrorSuccess);
    EXPECT_EQ(type, value.type);
    EXPECT_EQ(std::vector<std::uint8_t>(read, read + size), value.data);
  }
  bool defaultListed = false;
  for (std::uint32_t index = 0;; ++index) {
    char name[64];
    std::uint32_t length = sizeof name;
    if (registry.RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr) !=
        platform::kErrorSuccess) {
      break;
    }
    defaultListed = defaultListed || length == 0;
  }
  EXPECT_TRUE(defaultListed);
  clearValues(registry, key);
  registry.RegCloseKey(key);
}

}  // namespace vantrel::contract
