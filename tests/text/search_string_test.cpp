#include "text/search_string.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cwctype>
#include <string>
#include <vector>

#include "text/case_map.h"
#include "text_test_support.h"

namespace {

using text_test::Text;

TEST(UpperCaseOf, Table) {
  struct Case {
    char16_t lower;
    char16_t upper;
  } const cases[] = {
      // The letters whose upper case is not next to them, and letters without one.
      {u'z', u'Z'},           {u'\u00FF', u'\u0178'}, {u'\u00DF', u'\u00DF'},
      {u'\u00F7', u'\u00F7'}, {u'\u0131', u'I'},      {u'\u0130', u'\u0130'},
      {u'\u017F', u'S'},      {u'\u013A', u'\u0139'}, {u'\u03C2', u'\u03A3'},
      {u'\u03AC', u'\u0386'}, {u'\u0390', u'\u0390'}, {u'\u0451', u'\u0401'},
      {u'\u04CF', u'\u04C0'}, {u'\u04C2', u'\u04C1'}, {u'\u4E2D', u'\u4E2D'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(static_cast<int>(UpperCaseOf(c.lower)), static_cast<int>(c.upper))
        << std::hex << static_cast<int>(c.lower);
  }
}

#ifndef _WIN32
// The C library's Unicode tables, where a UTF-8 locale is installed, must agree on every unit of
// the blocks the mapping covers.
TEST(UpperCaseOf, AgreesWithTheCLibrary) {
  const std::string previous = std::setlocale(LC_CTYPE, nullptr);
  if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
  struct Block {
    char16_t first;
    char16_t last;
  } const blocks[] = {{0x0000, 0x017F}, {0x0370, 0x03FF}, {0x0400, 0x052F}};
  for (const Block& b : blocks) {
    for (char16_t c = b.first; c <= b.last; ++c) {
      EXPECT_EQ(static_cast<int>(UpperCaseOf(c)), static_cast<int>(std::towupper(c)))
          << "U+" << std::hex << static_cast<int>(c);
    }
  }
  std::setlocale(LC_CTYPE, previous.c_str());
}
#endif

TEST(TSearchString, KeyIsUpperCaseWithFullStops) {
  struct Case {
    const char* narrow;
    const char16_t* text;
    const char16_t* key;
  } const cases[] = {
      {"Tank1,Level", u"Tank1,Level", u"TANK1.LEVEL"},
      {"caf\xE9 \xFF", u"caf\u00E9 \u00FF", u"CAF\u00C9 \u0178"},
      {"a.b,c", u"a.b,c", u"A.B.C"},
      {"", u"", u""},
  };
  for (const Case& c : cases) {
    TSearchString s(c.narrow);
    EXPECT_EQ(Text(s), c.text);
    EXPECT_EQ(Text(s.Key()), c.key);
    EXPECT_EQ(Text(MakeSearchKey(c.text)), c.key);
  }
  EXPECT_EQ(Text(MakeSearchKey(u"\u0436\u03C9,x")), u"\u0416\u03A9.X");
}

TEST(TSearchString, LivesByValueInVectors) {
  std::vector<TSearchString> items;
  for (const char* name : {"Zone,B", "zone.a", "Pump.Speed", "a long item name beyond sixteen"}) {
    items.emplace_back(name);
  }
  items.erase(items.begin());
  std::sort(items.begin(), items.end(),
            [](const TSearchString& a, const TSearchString& b) { return a.Key() < b.Key(); });
  std::vector<std::u16string> keys;
  for (const TSearchString& item : items) keys.push_back(Text(item.Key()));
  EXPECT_EQ(keys, (std::vector<std::u16string>{u"A LONG ITEM NAME BEYOND SIXTEEN", u"PUMP.SPEED",
                                               u"ZONE.A"}));
  const TString wanted = MakeSearchKey(u"ZONE,a");
  auto found = std::find_if(items.begin(), items.end(),
                            [&](const TSearchString& item) { return item.Key() == wanted; });
  ASSERT_NE(found, items.end());
  EXPECT_EQ(Text(*found), u"zone.a");

  TSearchString copy = items[0];
  copy.SetText("other");
  EXPECT_EQ(Text(copy.Key()), u"OTHER");
  EXPECT_EQ(Text(items[0].Key()), u"A LONG ITEM NAME BEYOND SIXTEEN");
}

}  // namespace
