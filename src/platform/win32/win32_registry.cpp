// Win32 only: the system registry.
#include "platform/win32/win32_registry.h"

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

namespace {

::HKEY native(HKey key) {
  return reinterpret_cast<::HKEY>(key);
}

const wchar_t* text(const char16_t* units) {
  return reinterpret_cast<const wchar_t*>(units);
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

long Win32Registry::RegOpenKeyExW(HKey key, const char16_t* subKey, std::uint32_t access, HKey* result) {
  ::HKEY opened = nullptr;
  const LONG status = ::RegOpenKeyExW(native(key), text(subKey), 0, access, &opened);
  *result = reinterpret_cast<HKey>(opened);
  return status;
}

long Win32Registry::RegCreateKeyExW(HKey key, const char16_t* subKey, std::uint32_t access, HKey* result,
                                    std::uint32_t* disposition) {
  ::HKEY created = nullptr;
  Dword how(disposition);
  const LONG status = ::RegCreateKeyExW(native(key), text(subKey), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        access, nullptr, &created, how.get());
  *result = reinterpret_cast<HKey>(created);
  return status;
}

long Win32Registry::RegQueryInfoKeyW(HKey key, std::uint32_t* values, std::uint32_t* maxValueNameLength,
                                     std::uint32_t* maxValueLength) {
  Dword count(values), nameLength(maxValueNameLength), dataLength(maxValueLength);
  return ::RegQueryInfoKeyW(native(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, count.get(),
                            nameLength.get(), dataLength.get(), nullptr, nullptr);
}

long Win32Registry::RegEnumValueW(HKey key, std::uint32_t index, char16_t* name, std::uint32_t* nameLength,
                                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  Dword length(nameLength), kind(type), size(dataSize);
  return ::RegEnumValueW(native(key), index, reinterpret_cast<wchar_t*>(name), length.get(), nullptr,
                         kind.get(), data, size.get());
}

long Win32Registry::RegQueryValueExW(HKey key, const char16_t* valueName, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* dataSize) {
  Dword kind(type), size(dataSize);
  return ::RegQueryValueExW(native(key), text(valueName), nullptr, kind.get(), data, size.get());
}

long Win32Registry::RegSetValueExW(HKey key, const char16_t* valueName, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t dataSize) {
  return ::RegSetValueExW(native(key), text(valueName), 0, type, data, dataSize);
}

long Win32Registry::RegDeleteValueW(HKey key, const char16_t* valueName) {
  return ::RegDeleteValueW(native(key), text(valueName));
}

long Win32Registry::RegCloseKey(HKey key) {
  return ::RegCloseKey(native(key));
}

}  // namespace vantrel::platform::win32
