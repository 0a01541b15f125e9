// The registry: keys under the predefined roots and their values, with Windows' result codes.
#pragma once

#include <cstdint>

namespace vantrel::platform {

// A key handle as the system gives it out; the predefined roots are fixed numbers.
using HKey = std::uintptr_t;

constexpr HKey kHKeyCurrentUser = 0x80000001;
constexpr HKey kHKeyLocalMachine = 0x80000002;
constexpr HKey kHKeyPerformanceData = 0x80000004;
constexpr HKey kHKeyDynData = 0x80000006;

constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
// Added to an access mask: a 32-bit program on 64-bit Windows reaches the keys of 64-bit programs instead of
// its own redirected copies.
constexpr std::uint32_t kKeyWow64_64Key = 0x0100;
// Added to an access mask: a 64-bit program reaches the keys of 32-bit programs (HKLM\Software\WOW6432Node).
constexpr std::uint32_t kKeyWow64_32Key = 0x0200;

constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

constexpr std::uint32_t kRegCreatedNewKey = 1;
constexpr std::uint32_t kRegOpenedExistingKey = 2;

constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorMoreData = 234;
constexpr long kErrorNoMoreItems = 259;

// Names are UTF-16 (char16_t, as Windows' wide calls take them) and their lengths count UTF-16 units; data
// are bytes as the wide calls hold them (a string value: UTF-16LE with its two-byte NUL).
class Registry {
 public:
  virtual ~Registry() = default;

  virtual long RegOpenKeyExW(HKey key, const char16_t* subKey, std::uint32_t access, HKey* result) = 0;
  // Creates the key and any missing keys of its path, non-volatile; opens it when it exists.
  virtual long RegCreateKeyExW(HKey key, const char16_t* subKey, std::uint32_t access, HKey* result,
                               std::uint32_t* disposition) = 0;
  // Number of values, longest value name (units, without the terminator) and longest data (bytes).
  virtual long RegQueryInfoKeyW(HKey key, std::uint32_t* values, std::uint32_t* maxValueNameLength,
                                std::uint32_t* maxValueLength) = 0;
  // The index-th value: its name (nameLength in: buffer units, out: units without the terminator), type and
  // data. kErrorNoMoreItems past the last; kErrorMoreData when a buffer is too small.
  virtual long RegEnumValueW(HKey key, std::uint32_t index, char16_t* name, std::uint32_t* nameLength,
                             std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) = 0;
  // Type and data of a value; with no data buffer, only its type and size. kErrorMoreData when the buffer is
  // too small (dataSize then holds the size needed).
  virtual long RegQueryValueExW(HKey key, const char16_t* valueName, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* dataSize) = 0;
  virtual long RegSetValueExW(HKey key, const char16_t* valueName, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t dataSize) = 0;
  virtual long RegDeleteValueW(HKey key, const char16_t* valueName) = 0;
  virtual long RegCloseKey(HKey key) = 0;

  // The system's own value calls, for a name that holds a NUL, which the calls above would cut there: the
  // name is counted (nameLength units, NULs included). Arguments and results as in RegQueryValueExW,
  // RegSetValueExW and RegDeleteValueW (the system's status translated to their codes); the data are stored
  // exactly as given.
  virtual long NtQueryValueKey(HKey key, const char16_t* name, std::uint32_t nameLength, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* dataSize) = 0;
  virtual long NtSetValueKey(HKey key, const char16_t* name, std::uint32_t nameLength, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t dataSize) = 0;
  virtual long NtDeleteValueKey(HKey key, const char16_t* name, std::uint32_t nameLength) = 0;
};

}  // namespace vantrel::platform
