// Win32 only: the system registry.
#pragma once

#include "platform/registry.h"

namespace vantrel::platform::win32 {

class Win32Registry final : public Registry {
 public:
  long RegOpenKeyExA(HKey key, const char* subKey, std::uint32_t access, HKey* result) override;
  long RegCreateKeyExA(HKey key, const char* subKey, std::uint32_t access, HKey* result,
                       std::uint32_t* disposition) override;
  long RegQueryInfoKeyA(HKey key, std::uint32_t* values, std::uint32_t* maxValueNameLength,
                        std::uint32_t* maxValueLength) override;
  long RegEnumValueA(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                     std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  long RegQueryValueExA(HKey key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                        std::uint32_t* dataSize) override;
  long RegSetValueExA(HKey key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                      std::uint32_t dataSize) override;
  long RegDeleteValueA(HKey key, const char* valueName) override;
  long RegCloseKey(HKey key) override;
};

}  // namespace vantrel::platform::win32
