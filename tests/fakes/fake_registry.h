// An in-memory registry: keys under the predefined roots, values in enumeration (creation) order, the two
// views of 64-bit Windows, keys that refuse writing or any access, every call logged and failable through the
// fault plan. Names are held in UTF-16 and compared without regard to case, as Windows does (for the letters
// of ASCII, Greek and Cyrillic), as counted strings that may hold a NUL; the arranging and inspecting methods
// take and give them in UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fault_plan.h"
#include "platform/registry.h"

namespace vantrel::fakes {

class FakeRegistry final : public platform::Registry {
 public:
  struct Value {
    std::string name;  // UTF-8
    std::uint32_t type = platform::kRegNone;
    std::vector<std::uint8_t> data;
  };

  FakeRegistry();
  ~FakeRegistry() override;

  long RegOpenKeyExW(platform::HKey key, const char16_t* subKey, std::uint32_t access,
                     platform::HKey* result) override;
  long RegCreateKeyExW(platform::HKey key, const char16_t* subKey, std::uint32_t access,
                       platform::HKey* result, std::uint32_t* disposition) override;
  long RegQueryInfoKeyW(platform::HKey key, std::uint32_t* values, std::uint32_t* maxValueNameLength,
                        std::uint32_t* maxValueLength) override;
  long RegEnumValueW(platform::HKey key, std::uint32_t index, char16_t* name, std::uint32_t* nameLength,
                     std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  long RegQueryValueExW(platform::HKey key, const char16_t* valueName, std::uint32_t* type,
                        std::uint8_t* data, std::uint32_t* dataSize) override;
  long RegSetValueExW(platform::HKey key, const char16_t* valueName, std::uint32_t type,
                      const std::uint8_t* data, std::uint32_t dataSize) override;
  long RegDeleteValueW(platform::HKey key, const char16_t* valueName) override;
  long RegCloseKey(platform::HKey key) override;
  long NtQueryValueKey(platform::HKey key, const char16_t* name, std::uint32_t nameLength,
                       std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  long NtSetValueKey(platform::HKey key, const char16_t* name, std::uint32_t nameLength, std::uint32_t type,
                     const std::uint8_t* data, std::uint32_t dataSize) override;
  long NtDeleteValueKey(platform::HKey key, const char16_t* name, std::uint32_t nameLength) override;

  // Arranging and inspecting, without going through handles or the fault plan.
  void createKey(platform::HKey root, const std::string& path);
  bool keyExists(platform::HKey root, const std::string& path) const;
  // Deletes the key with everything below it, as another program would; handles to it find it gone.
  void deleteKey(platform::HKey root, const std::string& path);
  void setValue(platform::HKey root, const std::string& path, const std::string& name, std::uint32_t type,
                const std::vector<std::uint8_t>& data);
  // A string value (REG_SZ): the text in UTF-16LE with its two-byte NUL.
  void setString(platform::HKey root, const std::string& path, const std::string& name,
                 const std::string& text);
  void setDword(platform::HKey root, const std::string& path, const std::string& name, std::uint32_t number);
  void deleteValue(platform::HKey root, const std::string& path, const std::string& name);
  std::optional<Value> value(platform::HKey root, const std::string& path, const std::string& name) const;
  // The text of a string value up to its first NUL; nullopt when absent or of another type.
  std::optional<std::string> stringValue(platform::HKey root, const std::string& path,
                                         const std::string& name) const;
  std::vector<std::string> valueNames(platform::HKey root, const std::string& path) const;

  // The key (created if missing) refuses every opening that asks for more than reading, and every creation.
  void denyWriting(platform::HKey root, const std::string& path);
  // The key (created if missing) refuses every opening.
  void denyAll(platform::HKey root, const std::string& path);

  // On 64-bit Windows the keys below HKLM\Software have a second, 32-bit view: HKLM\Software\WOW6432Node.
  // A program reaches the view of its own kind unless its access names the other. 32-bit Windows has one view
  // and ignores the view bits. The arranging and inspecting methods above see the one tree as it is stored.
  bool system64 = false;
  bool program32 = false;

  FaultPlan faults;  // calls by their names: "RegOpenKeyExW", "RegSetValueExW", "NtSetValueKey", ...
  // Value deletions by their calls' names ("RegDeleteValueW"): the planned one finds its value removed just
  // before, as by another program, and answers that it is not there.
  FaultPlan vanishing;
  // Runs at every call, once it is logged and before it acts, with its name: a test changes the registry
  // there as another program would, between two calls of the program.
  std::function<void(const std::string& call)> beforeCall;
  // One line per call: the call's name and what it named, in UTF-8, e.g. "RegOpenKeyExW HKLM\\Software\\X".
  std::vector<std::string> log;
  // The access asked for by every opening and creation, in order.
  std::vector<std::uint32_t> accessAsked;
  int openHandles() const { return static_cast<int>(handles_.size()); }

 private:
  struct Key;
  struct Handle {
    Key* key;
    std::uint32_t access;
  };

  Key* find(platform::HKey root, const std::u16string& path) const;
  Key* make(platform::HKey root, const std::u16string& path);
  Key* resolve(platform::HKey key) const;
  const Handle* handle(platform::HKey key) const;
  std::string describe(platform::HKey key, const std::u16string& subKey) const;
  // Where an opening of `subKey` below `key` with `access` leads in the stored tree.
  std::u16string viewed(platform::HKey key, const char16_t* subKey, std::uint32_t access) const;
  platform::HKey open(Key* key, std::uint32_t access);
  // Logs the call, runs beforeCall and counts the call; true when the fault plan fails it.
  bool begin(const char* call, const std::string& what);
  // Logs a call that changes a value of an open key and finds that key, or says why it may not be changed.
  long beginChange(const char* call, platform::HKey key, std::u16string_view valueName, Key*& target);
  // The value calls by a counted name: the Win32 ones cut theirs at the first NUL, the native ones do not.
  long queryValue(const char* call, platform::HKey key, std::u16string_view valueName, std::uint32_t* type,
                  std::uint8_t* data, std::uint32_t* dataSize);
  long setValue(const char* call, platform::HKey key, std::u16string_view valueName, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t dataSize);
  long deleteValue(const char* call, platform::HKey key, std::u16string_view valueName);

  std::map<platform::HKey, std::unique_ptr<Key>> roots_;
  std::map<platform::HKey, Handle> handles_;
  platform::HKey nextHandle_ = 0x1000;
};

}  // namespace vantrel::fakes
