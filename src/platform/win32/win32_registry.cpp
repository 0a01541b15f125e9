// Win32 only: the system registry.
#include "platform/win32/win32_registry.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/win32/system_library.h"
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

// The system's counted string (UNICODE_STRING): lengths in bytes.
struct CountedName {
  USHORT Length;
  USHORT MaximumLength;
  const wchar_t* Buffer;
};

// What NtQueryValueKey gives of a value (KEY_VALUE_PARTIAL_INFORMATION).
struct PartialInformation {
  ULONG TitleIndex;
  ULONG Type;
  ULONG DataLength;
  UCHAR Data[1];
};
constexpr int kKeyValuePartialInformation = 2;
constexpr ULONG kHeader = offsetof(PartialInformation, Data);
constexpr LONG kStatusSuccess = 0;
constexpr auto kStatusBufferOverflow = static_cast<LONG>(0x80000005);

// Reached at run time: ntdll is not among the libraries the program may import, and the 95/98/Me family has
// none.
struct NtCalls {
  LONG(WINAPI* query)(HANDLE, const CountedName*, int, void*, ULONG, ULONG*) = nullptr;
  LONG(WINAPI* set)(HANDLE, const CountedName*, ULONG, ULONG, const void*, ULONG) = nullptr;
  LONG(WINAPI* remove)(HANDLE, const CountedName*) = nullptr;
  ULONG(WINAPI* toWin32)(LONG) = nullptr;
};

template <typename Fn>
void lookUp(HMODULE ntdll, const char* name, Fn& fn) {
  fn = SystemCall<Fn>(ntdll, name);
}

const NtCalls* ntCalls() {
  static const NtCalls calls = [] {
    NtCalls found;
    if (const HMODULE ntdll = GetModuleHandleA("ntdll.dll")) {
      lookUp(ntdll, "NtQueryValueKey", found.query);
      lookUp(ntdll, "NtSetValueKey", found.set);
      lookUp(ntdll, "NtDeleteValueKey", found.remove);
      lookUp(ntdll, "RtlNtStatusToDosError", found.toWin32);
    }
    return found;
  }();
  return calls.query && calls.set && calls.remove && calls.toWin32 ? &calls : nullptr;
}

CountedName countedName(const char16_t* name, std::uint32_t length) {
  const auto bytes = static_cast<USHORT>(length * sizeof(wchar_t));
  return {bytes, bytes, text(name)};
}

bool isString(std::uint32_t type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

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
  if (!isString(type) || dataSize == 0) {
    return ::RegSetValueExW(native(key), text(valueName), 0, type, data, dataSize);
  }
  // The system adds a terminator to string data whose last character is not NUL when the character just past
  // the data is NUL: it reads one character beyond. Written from a copy followed by characters that are not
  // NUL, the bytes stored are exactly the bytes given.
  std::vector<wchar_t> padded(dataSize / sizeof(wchar_t) + 2, static_cast<wchar_t>(0xFFFF));
  std::memcpy(padded.data(), data, dataSize);
  return ::RegSetValueExW(native(key), text(valueName), 0, type, reinterpret_cast<const BYTE*>(padded.data()),
                          dataSize);
}

long Win32Registry::RegDeleteValueW(HKey key, const char16_t* valueName) {
  return ::RegDeleteValueW(native(key), text(valueName));
}

long Win32Registry::RegCloseKey(HKey key) {
  return ::RegCloseKey(native(key));
}

long Win32Registry::NtQueryValueKey(HKey key, const char16_t* name, std::uint32_t nameLength,
                                    std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  const NtCalls* nt = ntCalls();
  if (!nt) {
    return ERROR_CALL_NOT_IMPLEMENTED;
  }
  if (data && !dataSize) {
    return ERROR_INVALID_PARAMETER;
  }
  const CountedName counted = countedName(name, nameLength);
  const ULONG room = data ? *dataSize : 0;
  // ULONGs, so that the header is aligned as the system writes it; rounded up, so the system may fit a few
  // bytes more than the caller's buffer holds.
  std::vector<ULONG> buffer((kHeader + room) / sizeof(ULONG) + 1);
  ULONG written = 0;
  const LONG status = nt->query(native(key), &counted, kKeyValuePartialInformation, buffer.data(),
                                static_cast<ULONG>(buffer.size() * sizeof(ULONG)), &written);
  if (status != kStatusSuccess && status != kStatusBufferOverflow) {
    return static_cast<long>(nt->toWin32(status));
  }
  const auto* information = reinterpret_cast<const PartialInformation*>(buffer.data());
  if (type) {
    *type = information->Type;
  }
  if (dataSize) {
    *dataSize = information->DataLength;
  }
  // A value that grew since the caller asked for its size may fit the rounding but not the caller's buffer.
  if (status == kStatusBufferOverflow || information->DataLength > room) {
    return data ? ERROR_MORE_DATA : ERROR_SUCCESS;
  }
  if (data) {
    std::memcpy(data, information->Data, information->DataLength);
  }
  return ERROR_SUCCESS;
}

long Win32Registry::NtSetValueKey(HKey key, const char16_t* name, std::uint32_t nameLength,
                                  std::uint32_t type, const std::uint8_t* data, std::uint32_t dataSize) {
  const NtCalls* nt = ntCalls();
  if (!nt) {
    return ERROR_CALL_NOT_IMPLEMENTED;
  }
  const CountedName counted = countedName(name, nameLength);
  return static_cast<long>(nt->toWin32(nt->set(native(key), &counted, 0, type, data, dataSize)));
}

long Win32Registry::NtDeleteValueKey(HKey key, const char16_t* name, std::uint32_t nameLength) {
  const NtCalls* nt = ntCalls();
  if (!nt) {
    return ERROR_CALL_NOT_IMPLEMENTED;
  }
  const CountedName counted = countedName(name, nameLength);
  return static_cast<long>(nt->toWin32(nt->remove(native(key), &counted)));
}

}  // namespace vantrel::platform::win32
