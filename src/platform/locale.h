// The user's regional settings.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::platform {

constexpr std::uint32_t kLocaleSDecimal = 0x0E;

class Locale {
 public:
  virtual ~Locale() = default;

  // A setting of the user's default locale (kLocaleSDecimal: the decimal separator); empty when unknown.
  virtual std::string GetLocaleInfoA(std::uint32_t type) = 0;
  // The user's order of two texts (UTF-16, so that names of every script sort by their letters),
  // case-sensitive: negative when `a` comes first, 0 when they are equal.
  virtual int lstrcmpW(const char16_t* a, const char16_t* b) = 0;
};

}  // namespace vantrel::platform
