#include "locale_contract.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel::contract {

void checkLocale(platform::Locale& locale) {
  EXPECT_FALSE(locale.GetLocaleInfoA(platform::kLocaleSDecimal).empty());

  // The order the lists are kept in: by letter before by case, unlike the character codes.
  const std::vector<std::string> ordered = {"", "apple", "Apple", "apples", "Banana", "cherry", "Tweak UI"};
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    for (std::size_t j = 0; j < ordered.size(); ++j) {
      SCOPED_TRACE("\"" + ordered[i] + "\" against \"" + ordered[j] + "\"");
      const int order = locale.lstrcmpA(ordered[i].c_str(), ordered[j].c_str());
      EXPECT_EQ(order < 0, i < j);
      EXPECT_EQ(order == 0, i == j);
    }
  }
}

}  // namespace vantrel::contract
