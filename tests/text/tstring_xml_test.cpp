#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/assert_report.h"
#include "text/tstring.h"
#include "text_test_support.h"

namespace {

using text_test::Text;

TEST(AddXml, Escapes) {
  struct Case {
    const char16_t* source;
    bool nameMode;
    const char16_t* expected;
  } const cases[] = {
      {u"a<b>&c", false, u"a&lt;b&gt;&amp;c"},
      {u"say \"hi\" 'x'", false, u"say &quot;hi&quot; &apos;x&apos;"},
      {u"two words", true, u"two_words"},
      {u"two words", false, u"two words"},
      {u"a & b", true, u"a_&amp;_b"},
      {u"", false, u""},
      {u"\u00E9\u4E2D", false, u"\u00E9\u4E2D"},
  };
  for (const Case& c : cases) {
    TString s(u"pre:");
    s.AddXml(c.source, c.nameMode);
    EXPECT_EQ(Text(s), u"pre:" + std::u16string(c.expected));
  }
  TString s(u"x");
  s.AddXml(nullptr, false);
  EXPECT_EQ(Text(s), u"x");
}

TEST(AddXml, OwnTextAsSource) {
  TString s(u"<&>");
  s.AddXml(s.Str(), false);
  EXPECT_EQ(Text(s), u"<&>&lt;&amp;&gt;");
}

TEST(AddXml, NeverCutsAnEntityAtTheLengthLimit) {
  TString s;
  s.SetLength(TString::kMaxLength - 6);
  s.AddXml(u"ab&c", false);  // "ab&amp;" is 7 units: only "ab" fits
  EXPECT_EQ(s.Length(), TString::kMaxLength - 4);
  EXPECT_EQ(std::u16string(s.Str() + s.Length() - 2), u"ab");
}

std::vector<std::u16string> g_reports;
void Collect(const char16_t* line) { g_reports.emplace_back(line); }

TEST(AddXml, ReportsWhenThereIsNoRoom) {
  SetAssertSink(Collect);
  g_reports.clear();
  TString s(u"kept");
  {
    text_test::ScopedAllocationFailures failures(1);
    s.AddXml(u"a long enough text to need a new buffer", false);
  }
  SetAssertSink(nullptr);
  EXPECT_EQ(Text(s), u"kept");
  ASSERT_EQ(g_reports.size(), 1u);
  EXPECT_EQ(g_reports[0].rfind(u"Assert in tstring_xml.cpp line ", 0), 0u);
  EXPECT_NE(g_reports[0].find(u": TString::AddXml() memory overflow"), std::u16string::npos);
}

TEST(FromXml, ReplacesInOnePass) {
  struct Case {
    const char16_t* text;
    const char16_t* expected;
  } const cases[] = {
      {u"a &amp;lt; b", u"a &lt; b"},
      {u"&lt;&gt;&amp;&apos;&quot;", u"<>&'\""},
      {u"&foo; & &#65; &lt", u"&foo; & &#65; &lt"},  // anything else stays
      {u"&", u"&"},
      {u"&&amp;", u"&&"},
      {u"plain", u"plain"},
      {u"", u""},
  };
  for (const Case& c : cases) {
    TString s(c.text);
    s.FromXml();
    EXPECT_EQ(Text(s), c.expected);
  }
}

TEST(XmlEscaping, RoundTrip) {
  const char16_t* const values[] = {
      u"a &amp; b",          u"<tag attr=\"v\">it's</tag>", u"&&&;;;", u"&lt;",
      u"no entities at all", u"\u00E9t\u00E9 & \u4E2D",     u"   ",
  };
  for (const char16_t* value : values) {
    TString escaped;
    escaped.AddXml(value, false);
    escaped.FromXml();
    EXPECT_EQ(Text(escaped), value);
  }
}

}  // namespace
