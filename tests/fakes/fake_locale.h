// Regional settings as a test sets them.
#pragma once

#include <string>
#include <string_view>

#include "platform/locale.h"

namespace vantrel::fakes {

class FakeLocale final : public platform::Locale {
 public:
  std::string GetLocaleInfoA(std::uint32_t type) override {
    return type == platform::kLocaleSDecimal ? decimalSeparator : std::string();
  }

  // The user's order in the large: letters without regard to case first (ASCII and Greek), and of two texts
  // that differ only in case, the one with the small letter at the first difference first.
  int lstrcmpW(const char16_t* a, const char16_t* b) override {
    const auto folded = [](const char16_t* text) {
      std::u16string result(text);
      for (char16_t& c : result) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0x0391 && c <= 0x03A9)) {
          c = static_cast<char16_t>(c + 0x20);
        }
      }
      return result;
    };
    if (const int order = folded(a).compare(folded(b))) {
      return order < 0 ? -1 : 1;
    }
    const int order = std::u16string_view(a).compare(b);
    return order == 0 ? 0 : (order < 0 ? 1 : -1);  // 'a' (0x61) sorts before 'A' (0x41)
  }

  std::string decimalSeparator = ".";
};

}  // namespace vantrel::fakes
