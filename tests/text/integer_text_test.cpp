#include "text/integer_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

TEST(IntegerText, DigitsAndSignOverTheWholeRange) {
  struct Case {
    std::int64_t value;
    const char16_t* text;
  } const cases[] = {
      {0, u"0"},
      {7, u"7"},
      {-1, u"-1"},
      {4294967295LL, u"4294967295"},
      {std::numeric_limits<std::int64_t>::max(), u"9223372036854775807"},
      {std::numeric_limits<std::int64_t>::min(), u"-9223372036854775808"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(std::u16string(IntegerText(c.value).Str()), c.text) << c.value;
    TString text(u"n=");
    AppendInteger(text, c.value);
    EXPECT_EQ(std::u16string(text.Str()), std::u16string(u"n=") + c.text);
  }
}

}  // namespace
