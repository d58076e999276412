#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Windows-1252 is the code page of the native build and of Wine's default locale alike.
TEST(CodePage, Windows1252RoundTrip) {
  struct Case {
    const char* narrow;
    std::u16string wide;
  } const cases[] = {
      {"abc", u"abc"},           {"\x80uro", u"\u20ACuro"},
      {"caf\xE9", u"caf\u00E9"}, {"\x93quoted\x94", u"\u201Cquoted\u201D"},
      {"\x9F", u"\u0178"},       {"", u""},
  };
  for (const Case& c : cases) {
    char16_t wide[64] = {};
    int n = platform::AnsiToWide(c.narrow, -1, wide, 64, true);
    ASSERT_EQ(n, static_cast<int>(c.wide.size()) + 1) << c.narrow;
    EXPECT_EQ(std::u16string(wide), c.wide);

    char narrow[64] = {};
    n = platform::WideToAnsi(wide, -1, narrow, 64);
    ASSERT_EQ(n, static_cast<int>(c.wide.size()) + 1);
    EXPECT_STREQ(narrow, c.narrow);
  }
}

TEST(CodePage, SizeQueryAndShortBuffer) {
  EXPECT_EQ(platform::AnsiToWide("hello", -1, nullptr, 0, true), 6);
  EXPECT_EQ(platform::AnsiToWide("hello", 5, nullptr, 0, true), 5);
  char16_t small[3];
  EXPECT_EQ(platform::AnsiToWide("hello", -1, small, 3, true), 0);
  char narrow[3];
  EXPECT_EQ(platform::WideToAnsi(u"hello", -1, narrow, 3), 0);
}

TEST(CodePage, UnmappableBecomesQuestionMark) {
  char narrow[8] = {};
  ASSERT_EQ(platform::WideToAnsi(u"a\u4E2Db", -1, narrow, 8), 4);
  EXPECT_STREQ(narrow, "a?b");
}

struct FailingCodePage final : platform::CodePage {
  int ToWide(const char*, int, char16_t*, int, bool) override { return 0; }
  int ToNarrow(const char16_t*, int, char*, int) override { return 0; }
};

TEST(CodePage, SeamReplacesAndRestores) {
  FailingCodePage failing;
  platform::CodePage* previous = platform::SetCodePageForTesting(&failing);
  EXPECT_EQ(previous, nullptr);
  EXPECT_EQ(platform::AnsiToWide("x", -1, nullptr, 0, true), 0);
  EXPECT_EQ(platform::SetCodePageForTesting(nullptr), &failing);
  EXPECT_EQ(platform::AnsiToWide("x", -1, nullptr, 0, true), 2);
}

}  // namespace
