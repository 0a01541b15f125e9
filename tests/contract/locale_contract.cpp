#include "locale_contract.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/unicode.h"

namespace vantrel::contract {

void checkLocale(platform::Locale& locale) {
  EXPECT_FALSE(locale.GetLocaleInfoA(platform::kLocaleSDecimal).empty());

  // The order the lists are kept in: by letter before by case, unlike the character codes, Greek letters too.
  const std::vector<std::u16string> ordered = {
      u"",       u"apple",    u"Apple",        u"apples",       u"Banana",
      u"cherry", u"Tweak UI", u"\u03B1\u03C1", u"\u0391\u03C1", u"\u03A9"};
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    for (std::size_t j = 0; j < ordered.size(); ++j) {
      std::string trace = Utf16ToUtf8(ordered[i]);
      trace.append(" against ").append(Utf16ToUtf8(ordered[j]));
      SCOPED_TRACE(trace);
      const int order = locale.lstrcmpW(ordered[i].c_str(), ordered[j].c_str());
      EXPECT_EQ(order < 0, i < j);
      EXPECT_EQ(order == 0, i == j);
    }
  }
}

}  // namespace vantrel::contract
