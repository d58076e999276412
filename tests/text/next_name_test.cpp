#include "text/tstring.h"

#include <gtest/gtest.h>

#include "text_test_support.h"

namespace {

TEST(NextName, Table) {
  struct Case {
    const char16_t* name;
    const char16_t* next;
  } const cases[] = {
      {u"", u"Default Name"},
      {u"Wave", u"Wave_2"},
      {u"Wave_2", u"Wave_3"},
      {u"Axis", u"Axis_2"},
      {u"Axis007", u"Axis008"},
      {u"Axis009", u"Axis010"},
      {u"Axis99", u"Axis100"},
      {u"Axis0099", u"Axis0100"},
      {u"Axis0", u"Axis1"},
      {u"7", u"8"},
      {u"9", u"10"},
      {u"Wave 1.5", u"Wave 1.6"},
      // Only the last 8 digits count.
      {u"Id123456789", u"Id123456790"},
      {u"Id199999999", u"Id1100000000"},
      {u"Id000000000001", u"Id000000000002"},
      {u"x.", u"x._2"},
  };
  for (const Case& c : cases) {
    TString s(c.name);
    s.NextName();
    EXPECT_EQ(text_test::Text(s), c.next) << text_test::Text(TString(c.name)).size();
  }
}

}  // namespace
