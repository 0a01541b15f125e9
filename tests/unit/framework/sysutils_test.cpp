#include "framework/sysutils.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vantrel {
namespace {

TEST(TryStrToInt, ReadsDecimalAndMarkedHexadecimal) {
  struct Case {
    std::string text;
    std::optional<std::int32_t> value;
  };
  const std::vector<Case> cases = {
      {"0", 0},
      {"80", 80},
      {"+7", 7},
      {"-1", -1},
      {"  12", 12},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"0x50", 80},
      {"0X1f", 31},
      {"$1E", 30},
      {"-$10", -16},
      {"0xFFFFFFFF", -1},
      {"007", 7},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"+", std::nullopt},
      {"abc", std::nullopt},
      {"1.5", std::nullopt},
      {"1a", std::nullopt},
      {"12 ", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"0x1G", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"0x100000000", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TryStrToInt(c.text), c.value);
  }
}

TEST(StrToInt, NamesTheTextItCouldNotRead) {
  EXPECT_EQ(StrToInt("42"), 42);
  for (const std::string text : {"", "1.5", "-"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const EConvertError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid integer value");
    }
  }
  EXPECT_EQ(StrToIntDef("x", -3), -3);
}

TEST(FloatToStr, ShortestFormWithTheLocalesSeparator) {
  struct Case {
    double value;
    char separator;
    std::string text;
  };
  const std::vector<Case> cases = {
      {123.45, '.', "123.45"}, {123.4, '.', "123.4"},   {123.0, '.', "123"}, {1.18, ',', "1,18"},
      {0.0, '.', "0"},         {24576.0, '.', "24576"}, {0.05, '.', "0.05"}, {-2.5, '.', "-2.5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FloatToStr(c.value, c.separator), c.text);
  }
}

TEST(ExtractFilePath, KeepsTheLastSeparator) {
  EXPECT_EQ(ExtractFilePath("C:\\Program Files\\Vantrel\\Vantrel.exe"), "C:\\Program Files\\Vantrel\\");
  EXPECT_EQ(ExtractFilePath("C:\\vt.exe"), "C:\\");
  EXPECT_EQ(ExtractFilePath("C:vt.exe"), "C:");
  EXPECT_EQ(ExtractFilePath("vt.exe"), "");
}

}  // namespace
}  // namespace vantrel
