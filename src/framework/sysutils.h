// Conversions between numbers and text with the program's rules, and file-name helpers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/exception.h"

namespace vantrel {

// Raised when a text is not the number it is read as.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A 32-bit signed integer: leading blanks, an optional sign, then decimal digits, or hexadecimal ones after
// "$", "0x" or "0X" (up to eight, taken as the 32-bit pattern); nothing may follow. Empty when the text is
// not such a number or does not fit.
std::optional<std::int32_t> TryStrToInt(const std::string& text);
// As TryStrToInt; raises EConvertError "'<text>' is not a valid integer value" when it fails.
std::int32_t StrToInt(const std::string& text);
std::int32_t StrToIntDef(const std::string& text, std::int32_t defaultValue);
std::string IntToStr(std::int64_t value);

// A decimal fraction such as "5.23" or "-20.00", with the given decimal separator; blanks before and after
// are ignored. Empty when the text is not such a number or not finite.
std::optional<double> TryStrToFloat(const std::string& text, char decimalSeparator);

// The general form: at most 15 significant digits, no exponent for ordinary figures, no trailing zeros, the
// given decimal separator: 123.45, 123.4 or 123.
std::string FloatToStr(double value, char decimalSeparator);

// The path up to and including its last "\" or ":"; empty when it has neither.
std::string ExtractFilePath(const std::string& path);
// The path after its last "\" or ":": the file's name with its extension.
std::string ExtractFileName(const std::string& path);

// The text without the blanks and control characters (codes up to 32) at either end.
std::string Trim(const std::string& text);
// Whether the two texts are the same but for the case of the letters A to Z, as Windows compares file names
// and variable names in ASCII.
bool SameText(std::string_view a, std::string_view b);
// The letter A to Z in lower case, any other character as it is: the case rule of SameText.
char LowerCase(char c);
// The value of a hexadecimal digit, either case; none for any other character.
std::optional<int> HexDigit(char c);
// Whether `text` starts, or ends, with `part` as SameText compares.
bool StartsText(std::string_view part, std::string_view text);
bool EndsText(std::string_view part, std::string_view text);
// The text with each `from`, in any case as SameText compares (as Windows names environment variables),
// replaced by `to`.
std::string ReplaceText(std::string text, std::string_view from, std::string_view to);

}  // namespace vantrel
