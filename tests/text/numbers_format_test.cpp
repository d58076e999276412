#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "text/numbers.h"
#include "text_test_support.h"

namespace {

using text_test::ScopedDecimalPoint;

std::u16string Formatted(double value, int decimals) {
  NumberText text;
  std::uint32_t n = FormatNumber(value, decimals, text);
  EXPECT_EQ(std::char_traits<char16_t>::length(text), n);
  return text;
}

std::u16string Trimmed(double value) {
  NumberText text;
  std::uint32_t n = FormatNumberTrimmed(value, text);
  EXPECT_EQ(std::char_traits<char16_t>::length(text), n);
  return text;
}

std::u16string General(double value, int digits, char16_t point = 0) {
  NumberText text;
  std::uint32_t n = FormatGeneral(value, digits, text, point);
  EXPECT_EQ(std::char_traits<char16_t>::length(text), n);
  return text;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FormatNumber, FormatsAtTheSwitchOverPoints) {
  struct Case {
    double value;
    int decimals;
    const char16_t* text;
  } const cases[] = {
      {12.5, 2, u"12.50"},
      {0.000123, 5, u"0.000123"},  // "%.6lG"
      {0.000123, 4, u"0.0001"},    // fewer than 5 decimals: "%.4lf"
      {0.5, 5, u"0.5"},            // below 1: general, trailing zeros dropped
      {1.0, 5, u"1.00000"},        // magnitude 1 is fixed
      {-0.25, 6, u"-0.25"},
      {0.0, 5, u"0"},
      {1.23456789e-7, 5, u"1.23457E-07"},
      {2e14, 0, u"2E+14"},  // "%lG" whatever the decimals
      {2e14, 9, u"2E+14"},
      {1e13, 2, u"10000000000000.00"},  // 1e13 itself is still fixed
      {std::nextafter(1e13, kInf), 2, u"1E+13"},
      {-1.5e13, 1, u"-1.5E+13"},
      {123456789012345678.0, 3, u"1.23457E+17"},
      {2.5, 0, u"2"},  // exact ties round to even, as printf does
      {3.5, 0, u"4"},
      {0.125, 2, u"0.12"},
      {2.675, 2, u"2.67"},  // the double is just below 2.675
      {-0.0001, 3, u"-0.000"},
      {1.0 / 3, 18, u"0.3333333333333333148"},  // "%.19lG"
      {1.0 / 3, 25, u"0.3333333333333333148"},  // clamped to 18
      {7.25, -4, u"7"},                         // clamped to 0
      {1e-300, 18, u"1.000000000000000025E-300"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Formatted(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
  }
}

// Fixed notation where FormatNumber would switch to the general form below 1.
TEST(FormatFixed, StaysFixedBelowOne) {
  struct Case {
    double value;
    int decimals;
    const char16_t* text;
  } const cases[] = {
      {0.00005, 5, u"0.00005"}, {0.000123, 6, u"0.000123"},           {-0.00015, 5, u"-0.00015"},
      {12.5, 2, u"12.50"},      {1e-20, 18, u"0.000000000000000000"}, {2e14, 3, u"2E+14"},
      {kInf, 3, u"INF"},        {0.5, 25, u"0.500000000000000000"},
  };
  for (const Case& c : cases) {
    NumberText text;
    std::uint32_t n = FormatFixed(c.value, c.decimals, text);
    EXPECT_EQ(std::u16string(text), c.text) << c.value << " " << c.decimals;
    EXPECT_EQ(std::char_traits<char16_t>::length(text), n);
  }
}

TEST(FormatNumber, ValuesThatAreNotFinite) {
  for (int decimals : {0, 3, 18}) {
    EXPECT_EQ(Formatted(kInf, decimals), u"INF");
    EXPECT_EQ(Formatted(-kInf, decimals), u"-INF");
    EXPECT_EQ(Formatted(std::numeric_limits<double>::quiet_NaN(), decimals), u"1.#QNAN");
    EXPECT_EQ(Formatted(-std::numeric_limits<double>::quiet_NaN(), decimals), u"1.#QNAN");
  }
  EXPECT_TRUE(std::isnan(ParseNumber(Formatted(std::nan(""), 2).c_str())));
  EXPECT_EQ(ParseNumber(Formatted(-kInf, 2).c_str()), -kInf);
}

TEST(FormatNumber, UsesTheLocaleDecimalPoint) {
  ScopedDecimalPoint comma(u',');
  EXPECT_EQ(Formatted(12.5, 2), u"12,50");
  EXPECT_EQ(Formatted(0.000123, 5), u"0,000123");
  EXPECT_EQ(Formatted(2.5e14, 2), u"2,5E+14");
  EXPECT_EQ(Formatted(std::nan(""), 2), u"1.#QNAN");  // a marker, not a number
  EXPECT_EQ(Trimmed(12.5), u"12,5");
  EXPECT_EQ(General(0.1, 13, u'.'), u"0.1");  // an explicit separator wins
}

TEST(FormatNumberTrimmed, Table) {
  struct Case {
    double value;
    const char16_t* text;
  } const cases[] = {
      {12.5, u"12.5"},
      {-0.0001, u"0"},
      {-0.0, u"0"},
      {100.0, u"100"},
      {0.1, u"0.1"},
      {1.0005, u"1"},
      {1.0015, u"1.002"},
      {2e14, u"2E+14"},
      {1e20, u"1E+20"},
      {-kInf, u"-INF"},
      {1e13, u"10000000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(Trimmed(c.value), c.text) << c.value;
}

TEST(TrimZeros, Table) {
  struct Case {
    const char16_t* text;
    const char16_t* trimmed;
  } const cases[] = {
      {u"12.500", u"12.5"}, {u"3.000", u"3"},     {u"-0.000", u"0"},          {u"-0", u"0"},
      {u"100", u"100"},     {u"1E+10", u"1E+10"}, {u"1.50E+10", u"1.50E+10"}, {u"0.", u"0"},
      {u"", u""},           {u"-1.10", u"-1.1"},
  };
  for (const Case& c : cases) {
    std::u16string text = c.text;
    std::uint32_t n = TrimZeros(text.data());
    EXPECT_EQ(std::u16string(text.c_str()), c.trimmed) << std::u16string(c.text).size();
    EXPECT_EQ(n, std::char_traits<char16_t>::length(c.trimmed));
  }
  ScopedDecimalPoint comma(u',');
  std::u16string text = u"2,50";
  TrimZeros(text.data());
  EXPECT_EQ(std::u16string(text.c_str()), u"2,5");
}

TEST(FormatGeneral, SignificantDigits) {
  struct Case {
    double value;
    int digits;
    const char16_t* text;
  } const cases[] = {
      {1.0 / 3, 13, u"0.3333333333333"},
      {1e-5, 13, u"1E-05"},
      {1e100, 13, u"1E+100"},
      {123.456, 0, u"1E+02"},  // a precision of 0 counts as 1
      {kInf, 13, u"INF"},
      {0.1, 17, u"0.10000000000000001"},
  };
  for (const Case& c : cases) EXPECT_EQ(General(c.value, c.digits), c.text) << c.value;
  EXPECT_LT(General(-1.0 / 3, 1000).size(), kNumberTextUnits);
}

std::u16string Widen(const char* text) {
  std::u16string wide;
  for (const char* c = text; *c; ++c) wide += static_cast<char16_t>(*c);
  return wide;
}

// The C library's printf in the C locale is the reference for every digit (mingw's printf, which
// the Windows build uses, gives the same digits and exponents).
TEST(FormatNumber, MatchesPrintf) {
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-20, 20);
  for (int i = 0; i < 3000; ++i) {
    double value = mantissa(random) * std::pow(10.0, exponent(random));
    if (i % 7 == 0) value = std::round(value * 1000) / 1000;  // values near ties
    for (int decimals = 0; decimals <= 18; ++decimals) {
      char expected[128];
      if (std::fabs(value) > 1e13) {
        std::snprintf(expected, sizeof expected, "%lG", value);
      } else if (decimals >= 5 && std::fabs(value) < 1) {
        std::snprintf(expected, sizeof expected, "%.*lG", decimals + 1, value);
      } else {
        std::snprintf(expected, sizeof expected, "%.*lf", decimals, value);
      }
      ASSERT_EQ(Formatted(value, decimals), Widen(expected)) << value << " " << decimals;
    }
    char expected[128];
    std::snprintf(expected, sizeof expected, "%.13lG", value);
    ASSERT_EQ(General(value, 13), Widen(expected)) << value;
  }
}

}  // namespace
