#include "dialogs/core/find_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> History(const FindState& state) {
  std::vector<std::u16string> texts;
  for (const TString& t : state.History) texts.emplace_back(t.Str());
  return texts;
}

TEST(FindHistory, NewTextsGoInFrontRepeatsMoveThereCaseCounts) {
  FindState state;
  for (const char16_t* text : {u"abc", u"ABC", u"def", u"abc"})
    RememberSearch(state, TString(text));
  EXPECT_EQ(History(state), (std::vector<std::u16string>{u"abc", u"def", u"ABC"}));
  RememberSearch(state, TString(u"abc"));
  EXPECT_EQ(History(state), (std::vector<std::u16string>{u"abc", u"def", u"ABC"}));
  RememberSearch(state, TString(u"ABC"));
  EXPECT_EQ(History(state), (std::vector<std::u16string>{u"ABC", u"abc", u"def"}));
  // "ab" is not "abc": same characters are not enough, the length must match too.
  RememberSearch(state, TString(u"ab"));
  EXPECT_EQ(History(state).front(), u"ab");
  EXPECT_EQ(state.History.size(), 4u);
}

TEST(FindHistory, KeepsTheTenMostRecent) {
  FindState state;
  for (int i = 0; i < 11; ++i) {
    TString text(u"text ");
    text.Append(static_cast<char16_t>(u'a' + i));
    RememberSearch(state, text);
  }
  ASSERT_EQ(state.History.size(), FindState::kMaxHistory);
  EXPECT_EQ(History(state).front(), u"text k");
  EXPECT_EQ(History(state).back(), u"text b");  // "text a" dropped off
  // A text from the middle moves up without losing another.
  RememberSearch(state, TString(u"text e"));
  EXPECT_EQ(History(state).front(), u"text e");
  EXPECT_EQ(History(state).back(), u"text b");
  EXPECT_EQ(state.History.size(), FindState::kMaxHistory);
}

}  // namespace
