#include "framework/registry.h"

#include <cstdint>

namespace vantrel {

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  CloseKey();
  platform::HKey opened = 0;
  long result;
  if (canCreate) {
    std::uint32_t disposition = 0;
    result = registry_.RegCreateKeyExA(rootKey_, key.c_str(), platform::kKeyAllAccess, &opened, &disposition);
  } else {
    result = registry_.RegOpenKeyExA(rootKey_, key.c_str(), platform::kKeyAllAccess, &opened);
  }
  if (result != platform::kErrorSuccess) {
    return false;
  }
  currentKey_ = opened;
  return true;
}

void TRegistry::CloseKey() {
  if (currentKey_ != 0) {
    registry_.RegCloseKey(currentKey_);
    currentKey_ = 0;
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

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  // The data is the text with its terminating NUL.
  const auto* data = reinterpret_cast<const std::uint8_t*>(value.c_str());
  if (currentKey_ == 0 ||
      registry_.RegSetValueExA(currentKey_, name.c_str(), platform::kRegSz, data,
                               static_cast<std::uint32_t>(value.size() + 1)) != platform::kErrorSuccess) {
    throw ERegistryException("Failed to set data for '" + name + "'");
  }
}

void TRegistry::DeleteValue(const std::string& name) {
  if (currentKey_ != 0) {
    registry_.RegDeleteValueA(currentKey_, name.c_str());
  }
}

}  // namespace vantrel
