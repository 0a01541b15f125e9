#include "framework/registry_key.h"

#include "platform/unicode.h"

namespace vantrel {

namespace {

// UTF-16 units, without the terminator.
constexpr std::size_t kLongestValueName = 16383;

bool holdsNul(std::u16string_view name) {
  return name.find(u'\0') != std::u16string_view::npos;
}

}  // namespace

// The value calls: a name that holds a NUL goes to the native calls, which take it counted; the Win32 ones
// would cut it there.
long TRegistry::queryValue(const std::u16string& name, std::uint32_t* type, std::uint8_t* data,
                           std::uint32_t* size) {
  return holdsNul(name) ? registry_.NtQueryValueKey(currentKey_, name.data(),
                                                    static_cast<std::uint32_t>(name.size()), type, data, size)
                        : registry_.RegQueryValueExW(currentKey_, name.c_str(), type, data, size);
}

long TRegistry::setValue(const std::u16string& name, const TRegValue& value) {
  const auto size = static_cast<std::uint32_t>(value.Data.size());
  return holdsNul(name)
             ? registry_.NtSetValueKey(currentKey_, name.data(), static_cast<std::uint32_t>(name.size()),
                                       value.Type, value.Data.data(), size)
             : registry_.RegSetValueExW(currentKey_, name.c_str(), value.Type, value.Data.data(), size);
}

long TRegistry::deleteValue(const std::u16string& name) {
  return holdsNul(name)
             ? registry_.NtDeleteValueKey(currentKey_, name.data(), static_cast<std::uint32_t>(name.size()))
             : registry_.RegDeleteValueW(currentKey_, name.c_str());
}

bool TRegistry::succeeded(long result) {
  lastError_ = result;
  return result == platform::kErrorSuccess;
}

bool TRegistry::open(const std::string& key, std::uint32_t access, bool canCreate) {
  CloseKey();
  const std::u16string path = Utf8ToUtf16(key);
  platform::HKey opened = 0;
  long result;
  if (canCreate) {
    std::uint32_t disposition = 0;
    result = registry_.RegCreateKeyExW(rootKey_, path.c_str(), access | view_, &opened, &disposition);
  } else {
    result = registry_.RegOpenKeyExW(rootKey_, path.c_str(), access | view_, &opened);
  }
  if (!succeeded(result)) {
    return false;
  }
  currentKey_ = opened;
  return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  return open(key, platform::kKeyAllAccess, canCreate);
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  return open(key, platform::kKeyRead, false);
}

void TRegistry::CloseKey() {
  if (currentKey_ != 0) {
    registry_.RegCloseKey(currentKey_);
    currentKey_ = 0;
  }
}

bool TRegistry::KeyExists(const std::string& key) {
  platform::HKey opened = 0;
  if (registry_.RegOpenKeyExW(rootKey_, Utf8ToUtf16(key).c_str(), platform::kKeyRead | view_, &opened) !=
      platform::kErrorSuccess) {
    return false;
  }
  registry_.RegCloseKey(opened);
  return true;
}

void TRegistry::CreateKey(const std::string& key) {
  platform::HKey created = 0;
  std::uint32_t disposition = 0;
  if (!succeeded(registry_.RegCreateKeyExW(rootKey_, Utf8ToUtf16(key).c_str(),
                                           platform::kKeyAllAccess | view_, &created, &disposition))) {
    throw ERegistryException("Failed to create key " + key);
  }
  registry_.RegCloseKey(created);
}

std::vector<std::string> TRegistry::GetValueNames() {
  std::vector<std::string> names;
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  if (currentKey_ == 0 ||
      registry_.RegQueryInfoKeyW(currentKey_, &count, &longest, nullptr) != platform::kErrorSuccess) {
    return names;
  }
  std::u16string name(longest + 1, u'\0');
  for (std::uint32_t index = 0;;) {
    auto length = static_cast<std::uint32_t>(name.size());
    const long result =
        registry_.RegEnumValueW(currentKey_, index, name.data(), &length, nullptr, nullptr, nullptr);
    // A longer name came in since the count; no name is longer than the registry allows.
    if (result == platform::kErrorMoreData && name.size() <= kLongestValueName) {
      name.resize(kLongestValueName + 1);
      continue;
    }
    if (result == platform::kErrorNoMoreItems) {
      return names;
    }
    if (result == platform::kErrorSuccess) {
      names.push_back(Utf16ToUtf8(std::u16string_view(name.data(), length)));
    } else if (index >= count) {
      // Past the values counted, an error is not one bad value among good ones.
      return names;
    }
    ++index;
  }
}

bool TRegistry::ValueExists(const std::string& name) {
  if (currentKey_ == 0) {
    return false;
  }
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  return succeeded(queryValue(Utf8ToUtf16(name), &type, nullptr, &size));
}

TRegValue TRegistry::ReadValue(const std::string& name) {
  const ERegistryException unreadable("Failed to get data for '" + name + "'");
  const std::u16string wideName = Utf8ToUtf16(name);
  TRegValue value;
  std::uint32_t size = 0;
  if (currentKey_ == 0 || !succeeded(queryValue(wideName, &value.Type, nullptr, &size))) {
    throw unreadable;
  }
  value.Data.resize(size);
  std::uint32_t type = 0;
  // A value that grew since the size was asked does not fit; an empty buffer would not even be filled.
  if (!succeeded(queryValue(wideName, &type, value.Data.data(), &size)) || size > value.Data.size()) {
    throw unreadable;
  }
  if (type != value.Type) {
    throw ERegistryException("Invalid data type for '" + name + "'");
  }
  value.Data.resize(size);
  return value;
}

TRegValue TRegistry::ReadRawValue(const std::string& name) {
  const std::u16string wideName = Utf8ToUtf16(name);
  TRegValue value;
  std::uint32_t size = 0;
  if (currentKey_ != 0 && succeeded(queryValue(wideName, &value.Type, nullptr, &size))) {
    // A value that changes meanwhile is asked again, with room for what it has become.
    for (int attempt = 0; attempt < 3; ++attempt) {
      value.Data.resize(size);
      const long result = queryValue(wideName, &value.Type, value.Data.data(), &size);
      succeeded(result);
      if (result == platform::kErrorSuccess && size <= value.Data.size()) {
        value.Data.resize(size);
        return value;
      }
      // An empty buffer only asks for the size, which may have grown.
      if (result != platform::kErrorMoreData && result != platform::kErrorSuccess) {
        break;
      }
    }
  }
  throw ERegistryException("Failed to get data for '" + name + "'");
}

std::optional<std::string> TRegistry::ReadString(const std::string& name) {
  if (!ValueExists(name)) {
    return std::nullopt;
  }
  try {
    const TRegValue value = ReadValue(name);
    if (value.Type != platform::kRegSz && value.Type != platform::kRegExpandSz) {
      return std::nullopt;
    }
    return StringData(value.Data);
  } catch (const ERegistryException&) {
    return std::nullopt;
  }
}

void TRegistry::WriteValue(const std::string& name, const TRegValue& value) {
  if (currentKey_ == 0 || !succeeded(setValue(Utf8ToUtf16(name), value))) {
    throw ERegistryException("Failed to set data for '" + name + "'");
  }
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  TRegValue text{platform::kRegSz, Utf16LeBytes(Utf8ToUtf16(value))};
  text.Data.insert(text.Data.end(), 2, 0);
  WriteValue(name, text);
}

bool TRegistry::DeleteValue(const std::string& name) {
  return currentKey_ != 0 && succeeded(deleteValue(Utf8ToUtf16(name)));
}

std::string StringData(const std::vector<std::uint8_t>& data) {
  const std::u16string text = FromUtf16LeBytes(data);
  return Utf16ToUtf8(std::u16string_view(text).substr(0, text.find(u'\0')));
}

}  // namespace vantrel
