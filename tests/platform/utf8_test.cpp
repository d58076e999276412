#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Utf8, EncodesEveryLengthAndReplacesLoneSurrogates) {
  struct Case {
    std::u16string text;
    std::string utf8;
  } const cases[] = {
      {u"", ""},
      {u"abc", "abc"},
      {u"\u00E9t\u00E9", "\xC3\xA9t\xC3\xA9"},
      {u"\u20AC", "\xE2\x82\xAC"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},  // a surrogate pair becomes one code point
      {u"\uFFFF", "\xEF\xBF\xBF"},
      {std::u16string{u'a', char16_t(0xD800)}, "a\xEF\xBF\xBD"},  // high surrogate at the end
      {std::u16string{char16_t(0xD800), u'b'},
       "\xEF\xBF\xBD"
       "b"},
      {std::u16string{char16_t(0xDC00), u'b'},
       "\xEF\xBF\xBD"
       "b"},  // low without high
      {std::u16string{char16_t(0xDC00), char16_t(0xD800)}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {std::u16string{char16_t(0xD800), char16_t(0xD800), char16_t(0xDC00)},
       "\xEF\xBF\xBD\xF0\x90\x80\x80"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::ToUtf8(c.text.c_str()), c.utf8) << c.utf8;
  }
  EXPECT_EQ(platform::ToUtf8(nullptr), "");
}

}  // namespace
