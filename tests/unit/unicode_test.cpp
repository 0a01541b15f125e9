#include "framework/unicode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

TEST(Unicode, NamesSurviveBothWays) {
  const std::vector<std::u16string> names = {
      u"",
      u"Vantrel",
      u"C:\\Πρόγραμμα 内存\\Vantrel.exe",
      u"C:\\Программы\\p.exe",
      u"\U0001F600 emoji",               // a pair of surrogates
      std::u16string(1, 0xD83D) + u"x",  // a lone high half, as a file name may hold
      std::u16string{u'y', 0xDC00},      // a lone low half at the end
      std::u16string(u"a\0b", 3),
  };
  for (const std::u16string& name : names) {
    SCOPED_TRACE(Utf16ToUtf8(name));
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(name)), name);
  }
  EXPECT_EQ(Utf16ToUtf8(u"Ωmega"), "\xCE\xA9mega");
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
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
