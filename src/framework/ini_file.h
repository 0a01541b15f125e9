// TIniFile: integer and text settings in one initialisation file, a key at a time. The file's path is UTF-8
// text.
#pragma once

#include <cstdint>
#include <string>

#include "framework/exception.h"
#include "platform/profile.h"

namespace vantrel {

class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

class TIniFile {
 public:
  TIniFile(platform::Profile& profile, std::string fileName)
      : profile_(profile), fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }
  // The key's value as an integer ("0x"/"0X"/"$" mark hexadecimal); `defaultValue` when the key is missing or
  // its value is not a 32-bit integer.
  std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue);
  // The key's value, blanks around it removed; `defaultValue` when the key is missing. A file without a
  // byte-order mark holds only what the system's ANSI code page can: other characters come back as "?".
  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue);
  // Raises EIniFileException "Unable to write to <file>" when the file cannot be written.
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

 private:
  platform::Profile& profile_;
  std::string fileName_;
};

}  // namespace vantrel
