// TRegistry: one open registry key under a root, with the value operations the program needs. Value names are
// counted: one that holds a NUL is named whole, never cut there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/exception.h"
#include "platform/registry.h"

namespace vantrel {

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// A value as the registry holds it: its type and its bytes.
struct TRegValue {
  std::uint32_t Type = platform::kRegNone;
  std::vector<std::uint8_t> Data;
};

// The text of string data (UTF-16LE) up to its first NUL, in UTF-8.
std::string StringData(const std::vector<std::uint8_t>& data);

class TRegistry {
 public:
  // `view` joins every access asked for (platform::kKeyWow64_64Key: the 64-bit programs' keys).
  TRegistry(platform::Registry& registry, platform::HKey rootKey, std::uint32_t view = 0)
      : registry_(registry), rootKey_(rootKey), view_(view) {}
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Opens the key below the root for full access, creating it first when `canCreate`; closes any key open
  // before. Tells whether the key is open now.
  bool OpenKey(const std::string& key, bool canCreate);
  // Opens an existing key for reading only, which a user who may not change it may still do.
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  // Whether the key can be opened for reading; it is closed again at once.
  bool KeyExists(const std::string& key);
  // Creates the key with any missing keys of its path; raises ERegistryException "Failed to create key
  // <key>".
  void CreateKey(const std::string& key);

  // Every value name of the open key, in the registry's order; empty when no key is open.
  std::vector<std::string> GetValueNames();
  // A value of that name in the open key; false when no key is open.
  bool ValueExists(const std::string& name);
  // Raises ERegistryException "Failed to get data for '<name>'" when the value cannot be read, and "Invalid
  // data type for '<name>'" when its type changed while it was read.
  TRegValue ReadValue(const std::string& name);
  // The value as it is when read, whatever it was when asked for its size: it is asked again while it grows.
  // Raises ERegistryException "Failed to get data for '<name>'" when it still cannot be read.
  TRegValue ReadRawValue(const std::string& name);
  // The text of a string value (REG_SZ or REG_EXPAND_SZ) up to its first NUL; none when the value is missing,
  // cannot be read or holds another type.
  std::optional<std::string> ReadString(const std::string& name);
  // Sets a value of the open key, replacing any of that name; raises ERegistryException "Failed to set data
  // for '<name>'".
  void WriteValue(const std::string& name, const TRegValue& value);
  // A string value (REG_SZ): the text in UTF-16LE with its two-byte terminating NUL.
  void WriteString(const std::string& name, const std::string& value);
  // Deletes a value of the open key; false when it was not there, or the key refused.
  bool DeleteValue(const std::string& name);
  // Windows' answer to the last call made for this object (platform::kErrorFileNotFound, kErrorAccessDenied,
  // ...), so that a caller can say why an operation failed; a method that found no key open made none.
  long LastError() const { return lastError_; }

 private:
  bool open(const std::string& key, std::uint32_t access, bool canCreate);
  // The value calls of the open key, by a name that may hold a NUL.
  long queryValue(const std::u16string& name, std::uint32_t* type, std::uint8_t* data, std::uint32_t* size);
  long setValue(const std::u16string& name, const TRegValue& value);
  long deleteValue(const std::u16string& name);
  // Keeps a call's answer; tells whether the call succeeded.
  bool succeeded(long result);

  platform::Registry& registry_;
  platform::HKey rootKey_;
  std::uint32_t view_;
  platform::HKey currentKey_ = 0;
  long lastError_ = platform::kErrorSuccess;
};

}  // namespace vantrel
