#include "framework/sysutils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vantrel {

namespace {

int digitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  return value < base ? value : -1;
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') {
    ++at;
  }
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  int base = 10;
  if (at < text.size() && text[at] == '$') {
    base = 16;
    ++at;
  } else if (text.size() - at > 2 && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
    base = 16;
    at += 2;
  }
  if (at == text.size()) {
    return std::nullopt;
  }
  // Decimal numbers must fit the signed range; hexadecimal ones are a 32-bit pattern.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t magnitude = 0;
  for (; at < text.size(); ++at) {
    const int digit = digitValue(text[at], base);
    if (digit < 0) {
      return std::nullopt;
    }
    magnitude = magnitude * base + digit;
    if (magnitude > limit) {
      return std::nullopt;
    }
  }
  const auto pattern = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
  return static_cast<std::int32_t>(pattern);
}

std::int32_t StrToInt(const std::string& text) {
  if (const auto value = TryStrToInt(text)) {
    return *value;
  }
  throw EConvertError("'" + text + "' is not a valid integer value");
}

std::int32_t StrToIntDef(const std::string& text, std::int32_t defaultValue) {
  return TryStrToInt(text).value_or(defaultValue);
}

std::string IntToStr(std::int64_t value) {
  return std::to_string(value);
}

std::optional<double> TryStrToFloat(const std::string& text, char decimalSeparator) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    return std::nullopt;
  }
  std::string number = text.substr(first, text.find_last_not_of(' ') + 1 - first);
  if (number.find('.') != std::string::npos && decimalSeparator != '.') {
    return std::nullopt;
  }
  std::replace(number.begin(), number.end(), decimalSeparator, '.');
  double value = 0;
  const auto [end, error] =
      std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string FloatToStr(double value, char decimalSeparator) {
  if (std::isnan(value) || std::isinf(value)) {
    return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  std::string text = buffer;
  const std::size_t exponent = text.find('E');
  std::string mantissa = text.substr(0, exponent);
  if (mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0') {
      mantissa.pop_back();
    }
    if (mantissa.back() == '.') {
      mantissa.pop_back();
    }
  }
  const std::size_t point = mantissa.find('.');
  if (point != std::string::npos) {
    mantissa[point] = decimalSeparator;
  }
  return exponent == std::string::npos ? mantissa : mantissa + text.substr(exponent);
}

std::string ExtractFilePath(const std::string& path) {
  const std::size_t last = path.find_last_of("\\:");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ExtractFileName(const std::string& path) {
  return path.substr(ExtractFilePath(path).size());
}

std::string Trim(const std::string& text) {
  const auto kept = [](char c) { return static_cast<unsigned char>(c) > ' '; };
  const auto first = std::find_if(text.begin(), text.end(), kept);
  const auto last = std::find_if(text.rbegin(), text.rend(), kept).base();
  return first < last ? std::string(first, last) : std::string();
}

char LowerCase(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return std::nullopt;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return LowerCase(x) == LowerCase(y); });
}

bool StartsText(std::string_view part, std::string_view text) {
  return text.size() >= part.size() && SameText(text.substr(0, part.size()), part);
}

bool EndsText(std::string_view part, std::string_view text) {
  return text.size() >= part.size() && SameText(text.substr(text.size() - part.size()), part);
}

std::string ReplaceText(std::string text, std::string_view from, std::string_view to) {
  if (from.empty()) {
    return text;
  }
  for (std::size_t at = 0; at + from.size() <= text.size();) {
    if (SameText(std::string_view(text).substr(at, from.size()), from)) {
      text.replace(at, from.size(), to);
      at += to.size();
    } else {
      ++at;
    }
  }
  return text;
}

}  // namespace vantrel
