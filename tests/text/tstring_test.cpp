#include "text/tstring.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "text_test_support.h"

namespace {

using text_test::ScopedAllocationFailures;
using text_test::Text;

TEST(TString, Constructors) {
  EXPECT_EQ(Text(TString()), u"");
  EXPECT_EQ(TString().Capacity(), 16u);
  EXPECT_EQ(Text(TString(u"abc")), u"abc");
  EXPECT_EQ(Text(TString(static_cast<const char16_t*>(nullptr))), u"");
  // The parts stop at the first null one.
  EXPECT_EQ(Text(TString(u"a", u"b", u"c", u"d", u"e", u"f")), u"abcdef");
  EXPECT_EQ(Text(TString(u"a", u"b", nullptr, u"d")), u"ab");

  struct Case {
    std::uint32_t requested;
    std::uint32_t capacity;
  } const cases[] = {{0, 18}, {16, 18}, {17, 19}, {1000, 1002}};
  for (const Case& c : cases) {
    TString s(c.requested);
    EXPECT_EQ(s.Capacity(), c.capacity) << c.requested;
    EXPECT_EQ(Text(s), u"");
  }
}

TEST(TString, InitialCapacityFallsBackWhenAllocationFails) {
  ScopedAllocationFailures failures(1);
  TString s(5000u);
  EXPECT_EQ(s.Capacity(), 16u);
  s.Append(u"still usable");
  EXPECT_EQ(Text(s), u"still usable");
}

// Appending one unit at a time shows every capacity the growth rule passes through.
std::vector<std::uint32_t> CapacitiesWhileAppending(std::uint32_t growthStep, std::uint32_t units) {
  TString s;
  s.SetGrowthStep(growthStep);
  std::vector<std::uint32_t> seen{s.Capacity()};
  for (std::uint32_t i = 0; i < units; ++i) {
    s.Append(u'x');
    if (s.Capacity() != seen.back()) seen.push_back(s.Capacity());
    EXPECT_GE(s.Capacity(), s.Length() + 2);
  }
  return seen;
}

TEST(TString, GrowthSequence) {
  // Geometric: size = max(n, 1.5 x capacity), capacity = size + 2.
  EXPECT_EQ(CapacitiesWhileAppending(0, 219),
            (std::vector<std::uint32_t>{16, 26, 41, 63, 96, 146, 221}));
  // A growth step: size = capacity + step (or n when larger).
  EXPECT_EQ(CapacitiesWhileAppending(100, 300), (std::vector<std::uint32_t>{16, 118, 220, 322}));
  // A request larger than the step or the factor is taken as it is.
  for (std::uint32_t step : {0u, 10u}) {
    TString s(u"abc");
    s.SetGrowthStep(step);
    EXPECT_FALSE(s.Reserve(1000));
    EXPECT_EQ(s.Capacity(), 1002u);
    EXPECT_EQ(Text(s), u"abc");
  }
}

TEST(TString, FailedReserveLeavesTheStringUnchanged) {
  TString s(u"keep me");
  // The capacity of such a request cannot even be represented.
  EXPECT_TRUE(s.Reserve(UINT32_MAX));
  EXPECT_TRUE(s.Reserve(UINT32_MAX - 1));
  {
    ScopedAllocationFailures failures(1);
    EXPECT_TRUE(s.Reserve(100));
  }
  EXPECT_EQ(Text(s), u"keep me");
  EXPECT_EQ(s.Capacity(), 16u);
}

TEST(TString, EditsAfterAFailedAllocationChangeNothing) {
  const TString longText(std::u16string(40, u'L').c_str());
  struct Case {
    const char* name;
    void (*edit)(TString&, const TString&);
  } const cases[] = {
      {"Append", [](TString& s, const TString& t) { s.Append(t); }},
      {"Assign", [](TString& s, const TString& t) { s.Assign(t.Str()); }},
      {"AssignCount", [](TString& s, const TString& t) { s.Assign(30, t.Str()); }},
      {"SetLength", [](TString& s, const TString&) { s.SetLength(50); }},
      {"CopyAssign", [](TString& s, const TString& t) { s = t; }},
  };
  for (const Case& c : cases) {
    TString s(u"original");
    ScopedAllocationFailures failures(1);
    c.edit(s, longText);
    EXPECT_EQ(Text(s), u"original") << c.name;
  }
}

TEST(TString, LengthLimit) {
  TString full;
  full.SetLength(TString::kMaxLength);
  ASSERT_EQ(full.Length(), TString::kMaxLength);
  full.Append(u"more");
  full.Append(u'x');
  full.Append(full);
  full.SetLength(TString::kMaxLength + 10);
  EXPECT_EQ(full.Length(), TString::kMaxLength);
  EXPECT_EQ(full.Str()[TString::kMaxLength - 1], u' ');
  EXPECT_EQ(full.Str()[TString::kMaxLength], 0);

  // An append that would pass the limit is cut to it.
  TString nearly;
  nearly.SetLength(TString::kMaxLength - 2);
  nearly.Append(u"abcd");
  EXPECT_EQ(nearly.Length(), TString::kMaxLength);
  EXPECT_EQ(std::u16string(nearly.Str() + TString::kMaxLength - 2), u"ab");
}

TEST(TString, AppendAndAssign) {
  TString s;
  s.Append(u"ab");
  s.Append(3, u"cdefg");
  s.Append(2, nullptr);
  s.Append(static_cast<const char16_t*>(nullptr));
  s.Append(u'\0');
  s.Append(u'h');
  EXPECT_EQ(Text(s), u"abcdeh");

  s.Assign(4, u"xy\0z");  // stops at the NUL
  EXPECT_EQ(Text(s), u"xy");
  s.Assign(u"replaced");
  EXPECT_EQ(Text(s), u"replaced");
  s.Assign(nullptr);
  EXPECT_EQ(Text(s), u"");
  s = u"assigned";
  EXPECT_EQ(Text(s), u"assigned");
  s.SetLength(10);
  EXPECT_EQ(Text(s), u"assigned  ");
  s.SetLength(2);
  EXPECT_EQ(Text(s), u"as");
}

TEST(TString, OwnTextAsSource) {
  TString s(u"abcdefghij");
  s.Append(s);  // grows while reading from the block it replaces
  EXPECT_EQ(Text(s), u"abcdefghijabcdefghij");
  s.Append(3, s.Str() + 1);
  EXPECT_EQ(Text(s), u"abcdefghijabcdefghijbcd");
  s.Assign(s.Str() + 20);
  EXPECT_EQ(Text(s), u"bcd");
  s.Assign(2, s.Str() + 1);
  EXPECT_EQ(Text(s), u"cd");
  s = s;
  EXPECT_EQ(Text(s), u"cd");
}

TEST(TString, CopyKeepsGrowthStepAndIsIndependent) {
  TString a(u"text");
  a.SetGrowthStep(64);
  TString b(a);
  TString c;
  c = a;
  b.Append(u"!");
  EXPECT_EQ(Text(a), u"text");
  EXPECT_EQ(Text(b), u"text!");
  EXPECT_EQ(b.GrowthStep(), 64u);
  EXPECT_EQ(c.GrowthStep(), 64u);
}

TEST(TString, MovedFromIsAnEmptyUsableString) {
  for (const std::u16string& text : {std::u16string(u"short"), std::u16string(100, u'h')}) {
    TString from(text.c_str());
    TString to(std::move(from));
    EXPECT_EQ(Text(to), text);
    EXPECT_EQ(Text(from), u"");  // NOLINT: checking the moved-from state on purpose
    EXPECT_EQ(from.Capacity(), 16u);
    from.Append(u"again");
    EXPECT_EQ(Text(from), u"again");

    TString target(u"old");
    target = std::move(to);
    EXPECT_EQ(Text(target), text);
    EXPECT_EQ(Text(to), u"");  // NOLINT
    to.Append(text.c_str());
    EXPECT_EQ(Text(to), text);
  }
  std::vector<TString> many;
  for (int i = 0; i < 100; ++i) many.emplace_back(i % 2 ? u"odd" : u"even, and longer than 16");
  EXPECT_EQ(Text(many[99]), u"odd");
  EXPECT_EQ(Text(many[98]), u"even, and longer than 16");
}

TEST(TString, Find) {
  struct Case {
    const char16_t* text;
    const char16_t* what;
    int index;
  } const cases[] = {
      {u"hello world", u"world", 6},
      {u"hello world", u"o", 4},
      {u"hello", u"hello", 0},
      {u"hello", u"hello!", -1},
      {u"hello", u"", -1},
      {u"hello", nullptr, -1},
      {u"", u"a", -1},
      {u"aaab", u"aab", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(TString(c.text).Find(c.what), c.index) << c.index;
}

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(TString, CompareIsOrdinalOnCodeUnits) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    int sign;
  } const cases[] =
      {
          {u"abc", u"abc", 0},           {u"abc", u"abd", -1},
          {u"ab", u"abc", -1},           {u"B", u"a", -1},
          {u"\u00E9", u"z", 1},          {u"", u"", 0},
          {u"\uFF21", u"\U0001F600", 1},  // U+FF21 > the high surrogate D83D
      };
  for (const Case& c : cases) {
    EXPECT_EQ(Sign(TString(c.a).Compare(c.b)), c.sign);
    EXPECT_EQ(Sign(TString(c.a).Compare(TString(c.b))), c.sign);
    EXPECT_EQ(TString(c.a).Equals(TString(c.b)), c.sign == 0);
    EXPECT_EQ(Sign(TString(c.b).Compare(TString(c.a))), -c.sign);  // symmetric
  }
  EXPECT_EQ(Sign(TString(u"a").Compare(static_cast<const char16_t*>(nullptr))), 1);
  TString self(u"x");
  EXPECT_TRUE(self.Equals(self));
}

TEST(TString, CharAtClampsToTheLastUnit) {
  TString s(u"abc");
  EXPECT_EQ(*s.CharAt(0), u'a');
  EXPECT_EQ(*s.CharAt(2), u'c');
  EXPECT_EQ(*s.CharAt(99), u'c');
  TString empty;
  EXPECT_EQ(empty.CharAt(5), empty.Str());  // the terminator, never beyond
  EXPECT_EQ(*empty.CharAt(5), 0);
}

}  // namespace
