// TRegistry: one open registry key under a root, with the value operations the program needs.
#pragma once

#include <string>

#include "framework/exception.h"
#include "platform/registry.h"

namespace vantrel {

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

class TRegistry {
 public:
  TRegistry(platform::Registry& registry, platform::HKey rootKey) : registry_(registry), rootKey_(rootKey) {}
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Opens the key below the root for full access, creating it first when `canCreate`; closes any key open
  // before. Tells whether the key is open now.
  bool OpenKey(const std::string& key, bool canCreate);
  void CloseKey();
  // A value of that name in the open key; false when no key is open.
  bool ValueExists(const std::string& name);
  // Sets a string value of the open key; raises ERegistryException "Failed to set data for '<name>'".
  void WriteString(const std::string& name, const std::string& value);
  // Deletes a value of the open key; a value that is not there, or a refusal, changes nothing.
  void DeleteValue(const std::string& name);

 private:
  platform::Registry& registry_;
  platform::HKey rootKey_;
  platform::HKey currentKey_ = 0;
};

}  // namespace vantrel
