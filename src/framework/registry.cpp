#include "framework/registry.h"

namespace vantrel {

namespace {

// 16383 characters, of up to two bytes each in an ANSI code page.
constexpr std::size_t kLongestValueName = 2 * 16383;

}  // namespace

bool TRegistry::open(const std::string& key, std::uint32_t access, bool canCreate) {
  CloseKey();
  platform::HKey opened = 0;
  long result;
  if (canCreate) {
    std::uint32_t disposition = 0;
    result = registry_.RegCreateKeyExA(rootKey_, key.c_str(), access | view_, &opened, &disposition);
  } else {
    result = registry_.RegOpenKeyExA(rootKey_, key.c_str(), access | view_, &opened);
  }
  if (result != platform::kErrorSuccess) {
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
  if (registry_.RegOpenKeyExA(rootKey_, key.c_str(), platform::kKeyRead | view_, &opened) !=
      platform::kErrorSuccess) {
    return false;
  }
  registry_.RegCloseKey(opened);
  return true;
}

void TRegistry::CreateKey(const std::string& key) {
  platform::HKey created = 0;
  std::uint32_t disposition = 0;
  if (registry_.RegCreateKeyExA(rootKey_, key.c_str(), platform::kKeyAllAccess | view_, &created,
                                &disposition) != platform::kErrorSuccess) {
    throw ERegistryException("Failed to create key " + key);
  }
  registry_.RegCloseKey(created);
}

std::vector<std::string> TRegistry::GetValueNames() {
  std::vector<std::string> names;
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  if (currentKey_ == 0 ||
      registry_.RegQueryInfoKeyA(currentKey_, &count, &longest, nullptr) != platform::kErrorSuccess) {
    return names;
  }
  std::vector<char> name(longest + 1);
  for (std::uint32_t index = 0;;) {
    auto length = static_cast<std::uint32_t>(name.size());
    const long result =
        registry_.RegEnumValueA(currentKey_, index, name.data(), &length, nullptr, nullptr, nullptr);
    // A longer name came in since the count; no name is longer than the registry allows.
    if (result == platform::kErrorMoreData && name.size() <= kLongestValueName) {
      name.resize(kLongestValueName + 1);
      continue;
    }
    if (result != platform::kErrorSuccess) {
      return names;
    }
    names.emplace_back(name.data(), length);
    ++index;
  }
}

bool TRegistry::ValueExists(const std::string& name) {
  if (currentKey_ == 0) {
    return false;
  }
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  return registry_.RegQueryValueExA(currentKey_, name.c_str(), &type, nullptr, &size) ==
         platform::kErrorSuccess;
}

TRegValue TRegistry::ReadValue(const std::string& name) {
  const ERegistryException unreadable("Failed to get data for '" + name + "'");
  TRegValue value;
  std::uint32_t size = 0;
  if (currentKey_ == 0 || registry_.RegQueryValueExA(currentKey_, name.c_str(), &value.Type, nullptr,
                                                     &size) != platform::kErrorSuccess) {
    throw unreadable;
  }
  value.Data.resize(size);
  std::uint32_t type = 0;
  // A value that grew since the size was asked does not fit; an empty buffer would not even be filled.
  if (registry_.RegQueryValueExA(currentKey_, name.c_str(), &type, value.Data.data(), &size) !=
          platform::kErrorSuccess ||
      size > value.Data.size()) {
    throw unreadable;
  }
  if (type != value.Type) {
    throw ERegistryException("Invalid data type for '" + name + "'");
  }
  value.Data.resize(size);
  return value;
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
    const std::string text(value.Data.begin(), value.Data.end());
    return text.substr(0, text.find('\0'));
  } catch (const ERegistryException&) {
    return std::nullopt;
  }
}

void TRegistry::WriteValue(const std::string& name, const TRegValue& value) {
  if (currentKey_ == 0 ||
      registry_.RegSetValueExA(currentKey_, name.c_str(), value.Type, value.Data.data(),
                               static_cast<std::uint32_t>(value.Data.size())) != platform::kErrorSuccess) {
    throw ERegistryException("Failed to set data for '" + name + "'");
  }
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  TRegValue text{platform::kRegSz, std::vector<std::uint8_t>(value.begin(), value.end())};
  text.Data.push_back(0);
  WriteValue(name, text);
}

bool TRegistry::DeleteValue(const std::string& name) {
  return currentKey_ != 0 && registry_.RegDeleteValueA(currentKey_, name.c_str()) == platform::kErrorSuccess;
}

}  // namespace vantrel
