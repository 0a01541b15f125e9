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
};

}  // namespace vantrel::platform
