#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "text/numbers.h"
#include "text_test_support.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ParseNumber, Table) {
  struct Case {
    const char16_t* text;
    double value;
  } const cases[] = {
      {u"0x1F", 31},
      {u"0XfF", 255},
      {u"0xFFFFFFFF", 4294967295.0},
      {u"0x100000000", 4294967295.0},  // saturates
      {u"0xFFFFFFFFFFFFFFFFFFFF", 4294967295.0},
      {u"0b101", 5},
      {u"0B11111111111111111111111111111111111", 4294967295.0},
      {u"0b102", 2},  // stops at the first digit that does not belong
      {u"0x", 0},
      {u"  0x10", 16},
      {u"12.5", 12.5},
      {u"  -3.25e2xyz", -325},
      {u"+.5", 0.5},
      {u"5.", 5},
      {u"1e", 1},  // an exponent needs digits
      {u"1e+", 1},
      {u"2E-3", 0.002},
      {u"007", 7},
      {u"1e400", kInf},
      {u"-1e400", -kInf},
      {u"1e-400", 0},
      {u"0e999999999999", 0},
      {u"inf", kInf},
      {u"-Infinity", -kInf},
      {u"INF", kInf},
      {u"\t\n 42", 42},
      {u"1,5", 1},  // the separator of another locale ends the number
      {u"1.7976931348623157e308", 1.7976931348623157e308},
      {u"4.9406564584124654e-324", 4.9406564584124654e-324},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseNumber(c.text), c.value) << std::u16string(c.text).size();
  }
}

TEST(ParseNumber, NotANumber) {
  for (const char16_t* text : {u"1.#QNAN", u"1.#qnan", u"1.#QnAn0", u"nan", u"-NaN", u"nan(123)"}) {
    EXPECT_TRUE(std::isnan(ParseNumber(text))) << std::u16string(text).size();
  }
}

TEST(ParseNumber, TextWithoutANumberGivesZero) {
  for (const char16_t* text :
       {u"", u"abc", u"-", u"+", u".", u"-.", u"e5", u"  ", u"#", u"in", u"na", u"--1"}) {
    const double value = ParseNumber(text);
    EXPECT_EQ(value, 0) << std::u16string(text).size();
    EXPECT_FALSE(std::signbit(value));
  }
  EXPECT_EQ(ParseNumber(nullptr), 0);
  EXPECT_EQ(ParseNumber(u"1.#QNA"), 1);
}

TEST(ParseNumber, LongMantissa) {
  std::u16string digits = u"0." + std::u16string(400, u'0') + u"1e401";
  EXPECT_EQ(ParseNumber(digits.c_str()), 1);
  std::u16string many = std::u16string(300, u'9') + u".5";
  EXPECT_EQ(ParseNumber(many.c_str()), 1e300);
}

TEST(ParseNumber, UsesTheLocaleDecimalPoint) {
  text_test::ScopedDecimalPoint comma(u',');
  EXPECT_EQ(ParseNumber(u"12,5"), 12.5);
  EXPECT_EQ(ParseNumber(u"12.5"), 12);
  EXPECT_TRUE(std::isnan(ParseNumber(u"1.#QNAN")));
}

TEST(ParseNumber, ReadsBackWhatFormatGeneralWrites) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 2000; ++i) {
    double value;
    std::uint64_t bits = random();
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    NumberText text;
    FormatGeneral(value, 17, text);
    ASSERT_EQ(ParseNumber(text), value);
  }
}

// strtod in the C locale is the reference for decimal text. Not under Windows, whose C runtime
// gives -0 for a lone minus sign where the standard asks for 0.
#ifndef _WIN32
TEST(ParseNumber, MatchesStrtod) {
  std::mt19937 random(99);
  const char alphabet[] = "0123456789.eE+- ";
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    const int length = 1 + static_cast<int>(random() % 24);
    for (int j = 0; j < length; ++j) text += alphabet[random() % (sizeof alphabet - 1)];
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) continue;
    std::u16string wide(text.begin(), text.end());
    const double expected = std::strtod(text.c_str(), nullptr);
    const double actual = ParseNumber(wide.c_str());
    ASSERT_TRUE(actual == expected || (std::isnan(actual) && std::isnan(expected))) << text;
    ASSERT_EQ(std::signbit(actual), std::signbit(expected)) << text;
  }
}
#endif

}  // namespace
