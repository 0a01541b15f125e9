// Regional settings as a test sets them.
#pragma once

#include <string>

#include "platform/locale.h"

namespace vantrel::fakes {

class FakeLocale final : public platform::Locale {
 public:
  std::string GetLocaleInfoA(std::uint32_t type) override {
    return type == platform::kLocaleSDecimal ? decimalSeparator : std::string();
  }

  std::string decimalSeparator = ".";
};

}  // namespace vantrel::fakes
