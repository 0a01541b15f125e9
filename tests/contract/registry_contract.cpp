#include "registry_contract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "framework/registry_key.h"
#include "platform/unicode.h"

namespace vantrel::contract {

namespace {

using platform::HKey;

// A string value's data as the wide calls hold it: UTF-16LE with a two-byte NUL.
std::vector<std::uint8_t> sz(const std::u16string& text) {
  std::vector<std::uint8_t> bytes = Utf16LeBytes(text);
  bytes.insert(bytes.end(), 2, 0);
  return bytes;
}

void setString(platform::Registry& registry, HKey key, const char16_t* name, const std::u16string& text) {
  const auto bytes = sz(text);
  ASSERT_EQ(registry.RegSetValueExW(key, name, platform::kRegSz, bytes.data(),
                                    static_cast<std::uint32_t>(bytes.size())),
            platform::kErrorSuccess);
}

// By the names' counted lengths, so that a name that holds a NUL goes too.
void clearValues(platform::Registry& registry, HKey key) {
  char16_t name[256];
  std::uint32_t length = std::size(name);
  while (registry.RegEnumValueW(key, 0, name, &length, nullptr, nullptr, nullptr) ==
         platform::kErrorSuccess) {
    ASSERT_EQ(registry.NtDeleteValueKey(key, name, length), platform::kErrorSuccess);
    length = std::size(name);
  }
}

// The string value "Where" of the key `path` as `access` reaches it; "<none>" when the key cannot be opened.
std::string where(platform::Registry& registry, HKey root, const std::string& path, std::uint32_t access) {
  HKey key = 0;
  if (registry.RegOpenKeyExW(root, Utf8ToUtf16(path).c_str(), platform::kKeyRead | access, &key) !=
      platform::kErrorSuccess) {
    return "<none>";
  }
  std::vector<std::uint8_t> data(32);
  auto size = static_cast<std::uint32_t>(data.size());
  const long status = registry.RegQueryValueExW(key, u"Where", nullptr, data.data(), &size);
  registry.RegCloseKey(key);
  data.resize(size);
  return status == platform::kErrorSuccess ? StringData(data) : "<no value>";
}

void setWhere(platform::Registry& registry, HKey root, const std::string& path, std::uint32_t access,
              const std::string& text) {
  HKey key = 0;
  ASSERT_EQ(registry.RegCreateKeyExW(root, Utf8ToUtf16(path).c_str(), platform::kKeyAllAccess | access, &key,
                                     nullptr),
            platform::kErrorSuccess);
  setString(registry, key, u"Where", Utf8ToUtf16(text));
  registry.RegCloseKey(key);
}

void clearWhere(platform::Registry& registry, HKey root, const std::string& path, std::uint32_t access) {
  HKey key = 0;
  if (registry.RegOpenKeyExW(root, Utf8ToUtf16(path).c_str(), platform::kKeyAllAccess | access, &key) ==
      platform::kErrorSuccess) {
    registry.RegDeleteValueW(key, u"Where");
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
  const std::u16string key16 = Utf8ToUtf16(path);
  const std::u16string missing = key16 + u"\\Missing\\Deeper";
  HKey key = 0;
  EXPECT_EQ(registry.RegOpenKeyExW(platform::kHKeyLocalMachine, missing.c_str(), platform::kKeyRead, &key),
            platform::kErrorFileNotFound);

  std::uint32_t disposition = 0;
  ASSERT_EQ(registry.RegCreateKeyExW(platform::kHKeyLocalMachine, key16.c_str(), platform::kKeyAllAccess,
                                     &key, &disposition),
            platform::kErrorSuccess);
  clearValues(registry, key);
  ASSERT_EQ(registry.RegCloseKey(key), platform::kErrorSuccess);
  ASSERT_EQ(registry.RegCreateKeyExW(platform::kHKeyLocalMachine, key16.c_str(), platform::kKeyAllAccess,
                                     &key, &disposition),
            platform::kErrorSuccess);
  EXPECT_EQ(disposition, platform::kRegOpenedExistingKey);

  setString(registry, key, u"Alpha", u"C:\\a.exe");
  setString(registry, key, u"beta two", u"");
  setString(registry, key, u"Alpha", u"C:\\Program Files\\a.exe");  // replaced in place

  // Size and type without the data; a short buffer is refused with the size it needs.
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_EQ(registry.RegQueryValueExW(key, u"ALPHA", &type, nullptr, &size), platform::kErrorSuccess);
  EXPECT_EQ(type, platform::kRegSz);
  EXPECT_EQ(size, sz(u"C:\\Program Files\\a.exe").size());
  std::uint8_t shortBuffer[4];
  size = sizeof shortBuffer;
  EXPECT_EQ(registry.RegQueryValueExW(key, u"Alpha", &type, shortBuffer, &size), platform::kErrorMoreData);
  EXPECT_EQ(size, sz(u"C:\\Program Files\\a.exe").size());
  std::vector<std::uint8_t> data(size);
  ASSERT_EQ(registry.RegQueryValueExW(key, u"Alpha", &type, data.data(), &size), platform::kErrorSuccess);
  EXPECT_EQ(data, sz(u"C:\\Program Files\\a.exe"));
  EXPECT_EQ(registry.RegQueryValueExW(key, u"Gamma", &type, nullptr, &size), platform::kErrorFileNotFound);

  // Enumeration: counts, longest name and data, each value once, then no more items.
  std::uint32_t values = 0;
  std::uint32_t longestName = 0;
  std::uint32_t longestData = 0;
  ASSERT_EQ(registry.RegQueryInfoKeyW(key, &values, &longestName, &longestData), platform::kErrorSuccess);
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(longestName, std::u16string(u"beta two").size());
  EXPECT_EQ(longestData, sz(u"C:\\Program Files\\a.exe").size());
  std::vector<std::u16string> names;
  for (std::uint32_t index = 0;; ++index) {
    char16_t name[64];
    std::uint32_t length = std::size(name);
    const long status = registry.RegEnumValueW(key, index, name, &length, &type, nullptr, nullptr);
    if (status == platform::kErrorNoMoreItems) {
      break;
    }
    ASSERT_EQ(status, platform::kErrorSuccess);
    EXPECT_EQ(length, std::u16string(name).size());
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Alpha", u"beta two"}));
  char16_t tiny[3];
  std::uint32_t tinyLength = std::size(tiny);
  EXPECT_EQ(registry.RegEnumValueW(key, 1, tiny, &tinyLength, nullptr, nullptr, nullptr),
            platform::kErrorMoreData);

  EXPECT_EQ(registry.RegDeleteValueW(key, u"beta two"), platform::kErrorSuccess);
  EXPECT_EQ(registry.RegDeleteValueW(key, u"beta two"), platform::kErrorFileNotFound);
  ASSERT_EQ(registry.RegCloseKey(key), platform::kErrorSuccess);

  // A key opened for reading only refuses changes.
  ASSERT_EQ(registry.RegOpenKeyExW(platform::kHKeyLocalMachine, key16.c_str(), platform::kKeyRead, &key),
            platform::kErrorSuccess);
  const auto bytes = sz(u"x");
  EXPECT_EQ(registry.RegSetValueExW(key, u"Gamma", platform::kRegSz, bytes.data(), 4),
            platform::kErrorAccessDenied);
  EXPECT_EQ(registry.RegDeleteValueW(key, u"Alpha"), platform::kErrorAccessDenied);
  EXPECT_EQ(registry.NtSetValueKey(key, u"Gamma", 5, platform::kRegSz, bytes.data(), 4),
            platform::kErrorAccessDenied);
  EXPECT_EQ(registry.NtDeleteValueKey(key, u"Alpha", 5), platform::kErrorAccessDenied);
  ASSERT_EQ(registry.RegCloseKey(key), platform::kErrorSuccess);

  // Values of every type come back with their type and bytes, under names and with text of any script; the
  // unnamed default value is listed as "".
  ASSERT_EQ(registry.RegOpenKeyExW(platform::kHKeyLocalMachine, key16.c_str(), platform::kKeyAllAccess, &key),
            platform::kErrorSuccess);
  struct Typed {
    const char16_t* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  const std::vector<Typed> typed = {
      {u"Number", platform::kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}},
      {u"Binary", platform::kRegBinary, {0x41, 0x00, 0x42}},
      {u"Empty", platform::kRegBinary, {}},
      {u"Expand", platform::kRegExpandSz, sz(u"%SystemRoot%\\x.exe")},
      {u"\u03A9mega \u0394\u03AD\u03BB\u03C4\u03B1", platform::kRegSz,
       sz(u"C:\\\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u044B\\p.exe")},
      {u"\u542F\u52A8\U00020000", platform::kRegSz, sz(u"D:\\\u5DE5\u5177\\\U0001F600.exe")},
      {u"", platform::kRegSz, sz(u"default")},
  };
  for (const Typed& value : typed) {
    SCOPED_TRACE(Utf16ToUtf8(value.name));
    ASSERT_EQ(registry.RegSetValueExW(key, value.name, value.type, value.data.data(),
                                      static_cast<std::uint32_t>(value.data.size())),
              platform::kErrorSuccess);
    std::uint8_t read[64];
    size = sizeof read;
    ASSERT_EQ(registry.RegQueryValueExW(key, value.name, &type, read, &size), platform::kErrorSuccess);
    EXPECT_EQ(type, value.type);
    EXPECT_EQ(std::vector<std::uint8_t>(read, read + size), value.data);
  }
  // String data without a terminator is stored as given, even where the character just past it is NUL.
  const std::uint8_t unterminated[] = {'a', 0, 'b', 0, 0, 0};
  ASSERT_EQ(registry.RegSetValueExW(key, u"Unterminated", platform::kRegSz, unterminated, 4),
            platform::kErrorSuccess);
  size = 0;
  ASSERT_EQ(registry.RegQueryValueExW(key, u"Unterminated", &type, nullptr, &size), platform::kErrorSuccess);
  EXPECT_EQ(size, 4u);

  // A name that holds a NUL is a value of its own, which the native calls reach by its whole counted name,
  // and the Win32 calls never: they name the value before the NUL.
  const std::u16string hidden(u"Hidden\0Evil", 11);
  const auto length = static_cast<std::uint32_t>(hidden.size());
  const auto evil = sz(u"evil.exe");
  ASSERT_EQ(registry.NtSetValueKey(key, hidden.data(), length, platform::kRegSz, evil.data(),
                                   static_cast<std::uint32_t>(evil.size())),
            platform::kErrorSuccess);
  setString(registry, key, u"Hidden", u"plain.exe");
  size = 0;
  ASSERT_EQ(registry.NtQueryValueKey(key, hidden.data(), length, &type, nullptr, &size),
            platform::kErrorSuccess);
  EXPECT_EQ(type, platform::kRegSz);
  EXPECT_EQ(size, evil.size());
  size = sizeof shortBuffer;
  EXPECT_EQ(registry.NtQueryValueKey(key, hidden.data(), length, &type, shortBuffer, &size),
            platform::kErrorMoreData);
  EXPECT_EQ(size, evil.size());
  // Two bytes short, as when the value grew between two reads: nothing is written past the buffer.
  std::vector<std::uint8_t> guarded(evil.size(), 0xCD);
  size = static_cast<std::uint32_t>(evil.size() - 2);
  EXPECT_EQ(registry.NtQueryValueKey(key, hidden.data(), length, &type, guarded.data(), &size),
            platform::kErrorMoreData);
  EXPECT_EQ(size, evil.size());
  EXPECT_EQ(guarded[evil.size() - 2], 0xCD);
  EXPECT_EQ(guarded[evil.size() - 1], 0xCD);
  std::uint8_t read[64];
  size = sizeof read;
  ASSERT_EQ(registry.NtQueryValueKey(key, hidden.data(), length, &type, read, &size),
            platform::kErrorSuccess);
  EXPECT_EQ(std::vector<std::uint8_t>(read, read + size), evil);
  size = sizeof read;
  ASSERT_EQ(registry.RegQueryValueExW(key, hidden.c_str(), &type, read, &size), platform::kErrorSuccess);
  EXPECT_EQ(std::vector<std::uint8_t>(read, read + size), sz(u"plain.exe"));

  // Greek capitals and small letters name the same value.
  size = 0;
  EXPECT_EQ(
      registry.RegQueryValueExW(key, u"\u03C9MEGA \u03B4\u03AD\u03BB\u03C4\u03B1", &type, nullptr, &size),
      platform::kErrorSuccess);
  std::vector<std::u16string> listed;
  for (std::uint32_t index = 0;; ++index) {
    char16_t name[64];
    std::uint32_t length = std::size(name);
    if (registry.RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr) !=
        platform::kErrorSuccess) {
      break;
    }
    listed.emplace_back(name, length);
  }
  // The registry's order is its own.
  std::sort(listed.begin(), listed.end());
  std::vector<std::u16string> expected = {u"Alpha", u"Unterminated", hidden, u"Hidden"};
  for (const Typed& value : typed) {
    expected.push_back(value.name);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);

  EXPECT_EQ(registry.NtDeleteValueKey(key, hidden.data(), length), platform::kErrorSuccess);
  EXPECT_EQ(registry.NtDeleteValueKey(key, hidden.data(), length), platform::kErrorFileNotFound);
  EXPECT_EQ(registry.NtQueryValueKey(key, hidden.data(), length, &type, nullptr, &size),
            platform::kErrorFileNotFound);
  size = sizeof read;
  EXPECT_EQ(registry.RegQueryValueExW(key, u"Hidden", &type, read, &size), platform::kErrorSuccess);
  clearValues(registry, key);
  registry.RegCloseKey(key);
}

}  // namespace vantrel::contract
