// Win32 only: the system registry.
#include "platform/win32/win32_registry.h"

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

namespace {

::HKEY native(HKey key) {
  return reinterpret_cast<::HKEY>(key);
}

// DWORD and std::uint32_t are the same width but not always the same type (unsigned long on mingw).
class Dword {
 public:
  explicit Dword(std::uint32_t* target) : target_(target), value_(target ? *target : 0) {}
  ~Dword() {
    if (target_) {
      *target_ = value_;
    }
  }
  Dword(const Dword&) = delete;
  Dword& operator=(const Dword&) = delete;
  DWORD* get() { return target_ ? &value_ : nullptr; }

 private:
  std::uint32_t* target_;
  DWORD value_;
};

}  // namespace

long Win32Registry::RegOpenKeyExA(HKey key, const char* subKey, std::uint32_t access, HKey* result) {
  ::HKEY opened = nullptr;
  const LONG status = ::RegOpenKeyExA(native(key), subKey, 0, access, &opened);
  *result = reinterpret_cast<HKey>(opened);
  return status;
}

long Win32Registry::RegCreateKeyExA(HKey key, const char* subKey, std::uint32_t access, HKey* result,
                                    std::uint32_t* disposition) {
  ::HKEY created = nullptr;
  Dword how(disposition);
  const LONG status = ::RegCreateKeyExA(native(key), subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                        nullptr, &created, how.get());
  *result = reinterpret_cast<HKey>(created);
  return status;
}

long Win32Registry::RegQueryInfoKeyA(HKey key, std::uint32_t* values, std::uint32_t* maxValueNameLength,
                                     std::uint32_t* maxValueLength) {
  Dword count(values), nameLength(maxValueNameLength), dataLength(maxValueLength);
  return ::RegQueryInfoKeyA(native(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, count.get(),
                            nameLength.get(), dataLength.get(), nullptr, nullptr);
}

long Win32Registry::RegEnumValueA(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  Dword length(nameLength), kind(type), size(dataSize);
  return ::RegEnumValueA(native(key), index, name, length.get(), nullptr, kind.get(), data, size.get());
}

long Win32Registry::RegQueryValueExA(HKey key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                                     std::uint32_t* dataSize) {
  Dword kind(type), size(dataSize);
  return ::RegQueryValueExA(native(key), valueName, nullptr, kind.get(), data, size.get());
}

long Win32Registry::RegSetValueExA(HKey key, const char* valueName, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t dataSize) {
  return ::RegSetValueExA(native(key), valueName, 0, type, data, dataSize);
}

long Win32Registry::RegDeleteValueA(HKey key, const char* valueName) {
  return ::RegDeleteValueA(native(key), valueName);
}

long Win32Registry::RegCloseKey(HKey key) {
  return ::RegCloseKey(native(key));
}

}  // namespace vantrel::platform::win32
