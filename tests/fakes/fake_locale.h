// Regional settings as a test sets them.
#pragma once

#include <cctype>
#include <cstring>
#include <string>

#include "platform/locale.h"

namespace vantrel::fakes {

class FakeLocale final : public platform::Locale {
 public:
  std::string GetLocaleInfoA(std::uint32_t type) override {
    return type == platform::kLocaleSDecimal ? decimalSeparator : std::string();
  }

  // The user's order in the large: letters without regard to case first, and of two texts that differ only in
  // case, the one with the small letter at the first difference first.
  int lstrcmpA(const char* a, const char* b) override {
    const auto folded = [](const char* text) {
      std::string result(text);
      for (char& c : result) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      }
      return result;
    };
    if (const int order = folded(a).compare(folded(b))) {
      return order < 0 ? -1 : 1;
    }
    const int order = std::strcmp(a, b);
    return order == 0 ? 0 : (order < 0 ? 1 : -1);  // 'a' (0x61) sorts before 'A' (0x41)
  }

  std::string decimalSeparator = ".";
};

}  // namespace vantrel::fakes
