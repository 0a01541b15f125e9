// Initialisation files: one section of "key=value" lines each, read and written a key at a time. Sections and
// keys are ASCII; a value keeps only what the system's ANSI code page holds, in a file without a byte-order
// mark (the others come back as "?"); the file's path may hold any character.
#pragma once

#include <string>

namespace vantrel::platform {

class Profile {
 public:
  virtual ~Profile() = default;

  // The value of `key` in `section` of `file`, blanks around it removed; `defaultValue` when the file, the
  // section or the key is missing.
  virtual std::string GetPrivateProfileStringW(const std::string& section, const std::string& key,
                                               const std::string& defaultValue,
                                               const std::u16string& file) = 0;
  // Sets the key, creating file, section and key as needed (not the file's folder): a new key goes after the
  // section's last line, an existing one is changed in place. False when the file cannot be written.
  virtual bool WritePrivateProfileStringW(const std::string& section, const std::string& key,
                                          const std::string& value, const std::u16string& file) = 0;
};

}  // namespace vantrel::platform
