// Win32 only: the system registry.
#pragma once

#include "platform/registry.h"

namespace vantrel::platform::win32 {

class Win32Registry final : public Registry {
 public:
  long RegOpenKeyExW(HKey key, const char16_t* subKey, std::uint32_t access, HKey* result) override;
  long RegCreateKeyExW(HKey key, const char16_t* subKey, std::uint32_t access, HKey* result,
                       std::uint32_t* disposition) override;
  long RegQueryInfoKeyW(HKey key, std::uint32_t* values, std::uint32_t* maxValueNameLength,
                        std::uint32_t* maxValueLength) override;
  long RegEnumValueW(HKey key, std::uint32_t index, char16_t* name, std::uint32_t* nameLength,
                     std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  long RegQueryValueExW(HKey key, const char16_t* valueName, std::uint32_t* type, std::uint8_t* data,
                        std::uint32_t* dataSize) override;
  long RegSetValueExW(HKey key, const char16_t* valueName, std::uint32_t type, const std::uint8_t* data,
                      std::uint32_t dataSize) override;
  long RegDeleteValueW(HKey key, const char16_t* valueName) override;
  long RegCloseKey(HKey key) override;
  long NtQueryValueKey(HKey key, const char16_t* name, std::uint32_t nameLength, std::uint32_t* type,
                       std::uint8_t* data, std::uint32_t* dataSize) override;
  long NtSetValueKey(HKey key, const char16_t* name, std::uint32_t nameLength, std::uint32_t type,
                     const std::uint8_t* data, std::uint32_t dataSize) override;
  long NtDeleteValueKey(HKey key, const char16_t* name, std::uint32_t nameLength) override;
};

}  // namespace vantrel::platform::win32
