#include "text/tstring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every token up to and including the first empty one.
std::vector<std::u16string> Tokens(TString& s, const char16_t* separators, std::uint32_t maxCount) {
  std::vector<std::u16string> tokens;
  std::u16string destination(maxCount + 1, u'#');
  bool fromStart = true;
  for (int guard = 0; guard < 50; ++guard) {
    std::uint32_t n = s.GetToken(destination.data(), separators, maxCount, fromStart);
    fromStart = false;
    EXPECT_EQ(destination[n], 0);
    tokens.emplace_back(destination.c_str());
    EXPECT_EQ(tokens.back().size(), n);
    if (n == 0) break;
  }
  return tokens;
}

TEST(GetToken, Sequences) {
  struct Case {
    const char16_t* text;
    const char16_t* separators;
    std::uint32_t maxCount;
    std::vector<std::u16string> tokens;
  } const cases[] = {
      {u"12:30:05", u":", 10, {u"12", u"30", u"05", u""}},
      {u"a;;b", u",;", 10, {u"a", u"b", u""}},       // a run of separators counts once
      {u"a,;,b,", u",;", 10, {u"a", u"b", u""}},     // trailing separators are skipped too
      {u";a", u",;", 10, {u""}},                     // a leading separator gives 0 at once
      {u"abcdef", u",", 4, {u"abcd", u"ef", u""}},   // the count cuts, the rest comes next
      {u"abcd,ef", u",", 4, {u"abcd", u"ef", u""}},  // cut exactly at a separator
      {u"no separators", nullptr, 40, {u"no separators", u""}},
      {u"", u",", 10, {u""}},
      {u"x", u",", 0, {u""}},
  };
  for (const Case& c : cases) {
    TString s(c.text);
    EXPECT_EQ(Tokens(s, c.separators, c.maxCount), c.tokens) << std::u16string(c.text).size();
  }
}

TEST(GetToken, LeadingSeparatorIsPassedByTheFirstCall) {
  TString s(u";a");
  char16_t token[8];
  EXPECT_EQ(s.GetToken(token, u",;", 7, true), 0u);
  EXPECT_EQ(s.GetToken(token, u",;", 7, false), 1u);
  EXPECT_EQ(std::u16string(token), u"a");
}

TEST(GetToken, FromStartRestarts) {
  TString s(u"one two");
  char16_t token[8];
  s.GetToken(token, u" ", 7, true);
  s.GetToken(token, u" ", 7, false);
  EXPECT_EQ(std::u16string(token), u"two");
  EXPECT_EQ(s.GetToken(token, u" ", 7, true), 3u);
  EXPECT_EQ(std::u16string(token), u"one");
}

TEST(GetToken, CursorNeverPassesAShortenedText) {
  TString s(u"first,second,third");
  char16_t token[16];
  s.GetToken(token, u",", 15, true);
  s.GetToken(token, u",", 15, false);  // the cursor is now at "third"
  s.SetLength(3);
  EXPECT_EQ(s.GetToken(token, u",", 15, false), 0u);
  EXPECT_EQ(std::u16string(token), u"");
}

}  // namespace
