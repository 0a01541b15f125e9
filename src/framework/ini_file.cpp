#include "framework/ini_file.h"

#include "framework/sysutils.h"
#include "platform/unicode.h"

namespace vantrel {

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) {
  const std::string text = profile_.GetPrivateProfileStringW(section, key, "", Utf8ToUtf16(fileName_));
  return StrToIntDef(text, defaultValue);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) {
  return profile_.GetPrivateProfileStringW(section, key, defaultValue, Utf8ToUtf16(fileName_));
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
  WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  if (!profile_.WritePrivateProfileStringW(section, key, value, Utf8ToUtf16(fileName_))) {
    throw EIniFileException("Unable to write to " + fileName_);
  }
}

}  // namespace vantrel
