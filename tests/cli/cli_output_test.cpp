#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "text/time_base.h"
#include "tools/cli/utf8.h"
#include "tools/cli/wave_table.h"

namespace cli {
namespace {

TEST(CliUtf8, RoundTripsAndReplacesInvalidBytes) {
  const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";
  const TString wide = FromUtf8(text);
  EXPECT_EQ(wide.Length(), 6u);  // a, e acute, euro, a surrogate pair, z
  EXPECT_EQ(ToUtf8(wide), text);
  EXPECT_EQ(ToUtf8(FromUtf8("\xC3")), "\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf8(FromUtf8("\xC0\xAF")), "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong
  const char16_t lone[] = {u'x', 0xD800, 0};
  EXPECT_EQ(ToUtf8(lone), "x\xEF\xBF\xBD");
}

TEST(CliTable, CellsQuotedAsRfc4180) {
  struct Case {
    const char* text;
    const char* csv;
    const char* tabs;
  };
  const Case cases[] = {
      {"plain", "plain", "plain"},
      {"a,b", "\"a,b\"", "a,b"},
      {"say \"hi\"", "\"say \"\"hi\"\"\"", "say \"hi\""},
      {"two\r\nlines", "\"two\r\nlines\"", "two  lines"},
      {"tab\there", "tab\there", "tab here"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TableCell(c.text, TTableFormat::Csv), c.csv);
    EXPECT_EQ(TableCell(c.text, TTableFormat::Tabs), c.tabs);
  }
}

TEST(CliTable, RowKHoldsTheKthSampleOfEveryWave) {
  const double previous = SetLocalOffsetForTesting(0.0);
  std::vector<TWave> waves(2);
  waves[0].ItemName = u"Flow, inlet";
  waves[0].T = {0.0, 1000.0, 2000.0};
  waves[0].Y = {1.5, NAN, -2e20};
  waves[1].ItemName = u"States";
  waves[1].T = {500.0};
  waves[1].S = {u"Running"};
  EXPECT_EQ(FormatWaveTable(waves, TTableFormat::Csv),
            "Time,\"Flow, inlet\",Time,States\r\n"
            "01/01/1970 00:00:00.000,1.5,01/01/1970 00:00:00.500,Running\r\n"
            "01/01/1970 00:00:01.000,1.#QNAN,,\r\n"
            "01/01/1970 00:00:02.000,-2E+20,,\r\n");
  EXPECT_EQ(FormatWaveTable(waves, TTableFormat::Tabs).substr(0, 33), "Time\tFlow, inlet\tTime\tStates\n01/0");
  EXPECT_EQ(FormatWaveTable({}, TTableFormat::Tabs), "\n");
  SetLocalOffsetForTesting(previous);
}

}  // namespace
}  // namespace cli
