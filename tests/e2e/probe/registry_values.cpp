// The end-to-end tests' hand on registry values as other programs make them, byte for byte, in the 64-bit
// programs' view; names and data in hexadecimal (a name as its UTF-16LE bytes), so that a name may hold a NUL
// and string data may lack its terminator:
//   registry_values set <HKLM|HKCU>\<key> <name> <type> <data>   writes the value through the system's native
//                                                                call, which stores exactly what it is given
//   registry_values list <HKLM|HKCU>\<key>                       one line per value: name, type, data, tab-
//                                                                separated
// Exits with 0 when it did that.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace {

struct CountedName {
  USHORT Length;
  USHORT MaximumLength;
  const wchar_t* Buffer;
};
using NtSetValueKeyFn = LONG(WINAPI*)(HANDLE, const CountedName*, ULONG, ULONG, const void*, ULONG);

std::vector<unsigned char> bytes(const char* hex) {
  std::vector<unsigned char> out;
  for (std::size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
    out.push_back(static_cast<unsigned char>(std::stoul(std::string(hex + i, 2), nullptr, 16)));
  }
  return out;
}

std::string hex(const void* data, std::size_t size) {
  std::string out;
  char pair[3];
  for (std::size_t i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", static_cast<const unsigned char*>(data)[i]);
    out += pair;
  }
  return out;
}

HKEY open(const char* path, REGSAM access) {
  const std::string text = path;
  const std::size_t slash = text.find('\\');
  const HKEY root = text.substr(0, slash) == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const std::string below = slash == std::string::npos ? "" : text.substr(slash + 1);
  HKEY key = nullptr;
  return RegCreateKeyExA(root, below.c_str(), 0, nullptr, 0, access | KEY_WOW64_64KEY, nullptr, &key,
                         nullptr) == ERROR_SUCCESS
             ? key
             : nullptr;
}

int set(const char* path, const char* name, const char* type, const char* data) {
  const auto setValue = reinterpret_cast<NtSetValueKeyFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtSetValueKey")));
  const HKEY key = open(path, KEY_SET_VALUE);
  if (!setValue || !key) {
    return 1;
  }
  const std::vector<unsigned char> nameBytes = bytes(name);
  std::vector<wchar_t> units(nameBytes.size() / 2 + 1);
  std::memcpy(units.data(), nameBytes.data(), nameBytes.size());
  const auto length = static_cast<USHORT>(nameBytes.size());
  const CountedName counted = {length, length, units.data()};
  const std::vector<unsigned char> value = bytes(data);
  const LONG status =
      setValue(key, &counted, 0, std::stoul(type), value.data(), static_cast<ULONG>(value.size()));
  RegCloseKey(key);
  return status == 0 ? 0 : 1;
}

int list(const char* path) {
  const HKEY key = open(path, KEY_READ);
  if (!key) {
    return 1;
  }
  std::vector<wchar_t> name(16384);
  std::vector<BYTE> data(1 << 20);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS) {
      break;
    }
    std::printf("%s\t%lu\t%s\n", hex(name.data(), nameLength * sizeof(wchar_t)).c_str(),
                static_cast<unsigned long>(type), hex(data.data(), size).c_str());
  }
  RegCloseKey(key);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 6 && std::strcmp(argv[1], "set") == 0) {
    return set(argv[2], argv[3], argv[4], argv[5]);
  }
  if (argc == 3 && std::strcmp(argv[1], "list") == 0) {
    return list(argv[2]);
  }
  std::fprintf(stderr, "usage: registry_values set KEY NAME TYPE DATA | list KEY\n");
  return 2;
}
