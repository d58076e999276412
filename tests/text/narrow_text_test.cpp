#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "text/astring.h"
#include "text/tstring.h"
#include "text_test_support.h"

namespace {

using text_test::ScopedCodePage;
using text_test::Text;

// The native build and Wine both use Windows-1252.
TEST(FromNarrow, ConvertsFromTheCodePage) {
  struct Case {
    const char* narrow;
    const char16_t* wide;
  } const cases[] = {
      {"abc", u"abc"},
      {"\x80 5", u"\u20AC 5"},
      {"caf\xE9", u"caf\u00E9"},
      {"", u""},
  };
  for (const Case& c : cases) {
    TString s(u"previous text");
    s.FromNarrow(c.narrow);
    EXPECT_EQ(Text(s), c.wide);
  }
  TString s(u"x");
  s.FromNarrow(nullptr);
  EXPECT_EQ(Text(s), u"");
}

// Refuses the precomposed flag, as some code pages do.
struct NoPrecomposed final : platform::CodePage {
  int ToWide(const char* src, int srcLen, char16_t* dst, int dstCap, bool precomposed) override {
    ++calls;
    if (precomposed) return 0;
    int n = srcLen < 0 ? static_cast<int>(std::strlen(src)) + 1 : srcLen;
    if (dstCap == 0) return n;
    if (dstCap < n) return 0;
    for (int i = 0; i < n; ++i) dst[i] = static_cast<unsigned char>(src[i]);
    return n;
  }
  int ToNarrow(const char16_t*, int, char*, int) override { return 0; }
  int calls = 0;
};

TEST(FromNarrow, FallsBackWithoutPrecomposedFlag) {
  NoPrecomposed codePage;
  ScopedCodePage scope(&codePage);
  TString s;
  s.FromNarrow("converted anyway");
  EXPECT_EQ(Text(s), u"converted anyway");
  EXPECT_EQ(codePage.calls, 3);  // refused query, query without the flag, conversion
}

// Two bytes for every unit, like the letters of a double-byte code page.
struct DoubleByte final : platform::CodePage {
  int ToWide(const char*, int, char16_t*, int, bool) override { return 0; }
  int ToNarrow(const char16_t* src, int srcLen, char* dst, int dstCap) override {
    int units = srcLen;
    if (units < 0) {
      units = 1;
      while (src[units - 1] != 0) ++units;
    }
    if (dstCap == 0) return 2 * units;
    if (dstCap < 2 * units) return 0;
    for (int i = 0; i < units; ++i) {
      dst[2 * i] = static_cast<char>(0x81);
      dst[2 * i + 1] = static_cast<char>('A' + src[i] % 26);
    }
    return 2 * units;
  }
};

TEST(ToNarrow, KeepsAtMost256Bytes) {
  struct Case {
    std::u16string text;
    std::string narrow;
  } const cases[] = {
      {u"short \u00E9", "short \xE9"},
      {std::u16string(256, u'a'), std::string(256, 'a')},
      {std::u16string(300, u'b'), std::string(256, 'b')},
      {u"", ""},
  };
  for (const Case& c : cases) {
    char narrow[257];
    std::memset(narrow, '#', sizeof narrow);
    TString(c.text.c_str()).ToNarrow(narrow);
    EXPECT_EQ(std::string(narrow), c.narrow);
  }
}

TEST(ToNarrow, NeverSplitsAMultiByteCharacter) {
  DoubleByte codePage;
  ScopedCodePage scope(&codePage);
  for (std::size_t units : {127u, 128u, 129u, 200u}) {
    char narrow[257];
    TString(std::u16string(units, u'a').c_str()).ToNarrow(narrow);
    EXPECT_EQ(std::strlen(narrow), 2 * std::min<std::size_t>(units, 128)) << units;
  }
}

TEST(AString, ReserveAndConversion) {
  AString a;
  EXPECT_EQ(a.Capacity(), 16u);
  EXPECT_STREQ(a.Str(), "");
  EXPECT_FALSE(a.Reserve(14));
  EXPECT_EQ(a.Capacity(), 16u);
  EXPECT_FALSE(a.Reserve(40));
  EXPECT_EQ(a.Capacity(), 42u);
  EXPECT_TRUE(a.Reserve(UINT32_MAX));

  struct Case {
    const char16_t* wide;
    const char* narrow;
  } const cases[] = {
      {u"Server.1", "Server.1"}, {u"\u20AC \u00E9 \u4E2D", "\x80 \xE9 ?"}, {u"", ""}};
  for (const Case& c : cases) {
    AString s;
    s.FromWide(c.wide);
    EXPECT_STREQ(s.Str(), c.narrow);
    EXPECT_EQ(s.Length(), std::strlen(c.narrow));
    EXPECT_GE(s.Capacity(), std::char_traits<char16_t>::length(c.wide) + 10);
  }
}

TEST(AString, RoomForDoubleByteText) {
  DoubleByte codePage;
  ScopedCodePage scope(&codePage);
  const std::u16string text(100, u'a');
  AString s;
  s.FromWide(text.c_str());
  EXPECT_EQ(s.Length(), 200u);
}

TEST(AString, FailedAllocationKeepsTheText) {
  AString s;
  s.FromWide(u"kept");
  text_test::ScopedAllocationFailures failures(1);
  s.FromWide(u"a text that needs a larger buffer");
  EXPECT_STREQ(s.Str(), "kept");
}

TEST(AString, CopyAndMove) {
  AString a;
  a.FromWide(u"a name longer than sixteen bytes");
  AString b(a);
  AString c(std::move(a));
  EXPECT_STREQ(b.Str(), "a name longer than sixteen bytes");
  EXPECT_STREQ(c.Str(), "a name longer than sixteen bytes");
  EXPECT_STREQ(a.Str(), "");  // NOLINT: the moved-from state is part of the contract
  a.FromWide(u"reused");
  EXPECT_STREQ(a.Str(), "reused");
  b = a;
  EXPECT_STREQ(b.Str(), "reused");
}

}  // namespace
