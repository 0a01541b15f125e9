#include "platform/unicode.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

TEST(Unicode, NamesSurviveBothWays) {
  const std::vector<std::u16string> names = {
      u"",
      u"Vantrel",
      u"C:\\Πρόγραμμα 内存\\Vantrel.exe",
      u"C:\\Программы\\p.exe",
      u"\U0001F600 emoji",                     // a pair of surrogates
      std::u16string{char16_t{0xD83D}, u'x'},  // a lone high half, as a file name may hold
      std::u16string{u'y', char16_t{0xDC00}},  // a lone low half at the end
      std::u16string(u"a\0b", 3),
  };
  for (const std::u16string& name : names) {
    SCOPED_TRACE(Utf16ToUtf8(name));
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(name)), name);
  }
  // The bytes both ways, also at the first and last code point of each length of sequence.
  const std::vector<std::pair<std::u16string, std::string>> encoded = {
      {u"Ωmega", "\xCE\xA9mega"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"\x7F", "\x7F"},
      {u"\x80", "\xC2\x80"},
      {u"\x7FF", "\xDF\xBF"},
      {u"\x800", "\xE0\xA0\x80"},
      {u"\xFFFF", "\xEF\xBF\xBF"},
      {u"\U00010000", "\xF0\x90\x80\x80"},
      {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& [utf16, utf8] : encoded) {
    SCOPED_TRACE(utf8);
    EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
    EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  }
}

TEST(Unicode, BrokenUtf8BecomesReplacementCharacters) {
  struct Case {
    std::string text;
    std::u16string expected;
  };
  const std::vector<Case> cases = {
      {"\xFF"
       "a",
       u"\uFFFDa"},
      {"\xCE", u"\uFFFD"},  // cut at the end
      {"\xE4\xB8"
       "a",
       u"\uFFFDa"},                     // cut before an ASCII character
      {"\xC0\xAF", u"\uFFFD"},          // overlong '/'
      {"\xF4\x90\x80\x80", u"\uFFFD"},  // past U+10FFFF
      {"\x80", u"\uFFFD"},              // a lone continuation byte
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Utf8ToUtf16(c.text), c.expected);
  }
}

TEST(Unicode, RegistryStringBytesAreLittleEndianUnits) {
  const std::vector<std::uint8_t> bytes = {0xA9, 0x03, 0x41, 0x00};
  EXPECT_EQ(Utf16LeBytes(u"ΩA"), bytes);
  EXPECT_EQ(FromUtf16LeBytes(bytes), u"ΩA");
  EXPECT_EQ(FromUtf16LeBytes({0x41, 0x00, 0x42}), u"AB");
}

}  // namespace
}  // namespace vantrel
