// The grid's printout: the table as aligned fixed-width lines, the page layout from the printer's
// metrics, long lines cut into pieces, pages, and the header and footer texts.
#include <gtest/gtest.h>

#include <limits>

#include "app_context/about_text.h"
#include "tests/views_core/grid_test_support.h"
#include "views/core/grid_print.h"

namespace grid_test {
namespace {

using views::ComputeGridPrintLayout;
using views::GridPageCount;
using views::GridPageFooter;
using views::GridPageHeader;
using views::GridPageLines;
using views::GridPageLineSpan;
using views::GridPrintLayout;
using views::GridPrintLines;

std::vector<std::u16string> Texts(const std::vector<TString>& lines) {
  std::vector<std::u16string> texts;
  for (const TString& line : lines) texts.push_back(Text(line));
  return texts;
}

TEST_F(GridTest, PrintLinesAlignTheColumnsThreeSpacesAfterTheLongestText) {
  AddWave({.item = u"abcdefghijklmnopqrstuvwxy", .t = Seconds(2), .y = {1.5, -20}});
  Build(false);
  // "#" is padded to 4; "Time" and the two-row heading follow; the time column ends at
  // 4 + 19 + 3 = 26; the value column at 26 + 13 + 3 = 42.
  const std::vector<std::u16string> expected = {
      u"#   Time                  abcdefghijkl-   ", u"                          mnopqrstuvwxy   ",
      u"0   25/12/2024 13:45:10   1.500           ", u"1   25/12/2024 13:45:11   -20.000         ",
      u"                                          ",
  };
  EXPECT_EQ(Texts(GridPrintLines(table_)), expected);
}

TEST(GridPrintLayout, FollowsThePrinterMetricsAndNeverFallsBelowOne) {
  struct Case {
    views::PrintMetrics metrics;
    GridPrintLayout layout;
  };
  const Case cases[] = {
      // A4 at 600 dpi with Courier New 6.5 pt: 4800 / (33 + 1), 54 + 0, 6800 / 54 - 10.
      {{4800, 6800, 33, 54, 0}, {141, 54, 115}},
      {{1000, 500, 9, 18, 2}, {100, 20, 15}},
      // A page too small for the rule, and metrics a broken driver gives.
      {{100, 100, 9, 18, 2}, {10, 20, 1}},
      {{0, 0, 0, 0, 0}, {1, 1, 1}},
      {{500, 500, -1, -5, 0}, {500, 1, 490}},
  };
  for (const Case& c : cases) {
    const GridPrintLayout layout = ComputeGridPrintLayout(c.metrics);
    EXPECT_EQ(layout.charactersPerLine, c.layout.charactersPerLine) << c.metrics.printableWidth;
    EXPECT_EQ(layout.lineHeight, c.layout.lineHeight) << c.metrics.printableWidth;
    EXPECT_EQ(layout.linesPerPage, c.layout.linesPerPage) << c.metrics.printableWidth;
  }
}

TEST(GridPageLines, LongLinesBecomePiecesOfAtMostTheLineWidth) {
  const std::vector<TString> lines = {u"0123456789", u"0123456789abcdefghijklmno", u"", u"xy"};
  const std::vector<std::u16string> expected = {u"0123456789", u"0123456789", u"abcdefghij",
                                                u"klmno",      u"",           u"xy"};
  EXPECT_EQ(Texts(GridPageLines(lines, 10)), expected);
  EXPECT_EQ(Texts(GridPageLines({u"abc"}, 0)), (std::vector<std::u16string>{u"a", u"b", u"c"}));
}

TEST(GridPages, CountAndSpansCoverEveryLineOnce) {
  struct Case {
    std::size_t lines;
    int perPage;
    int pages;
  };
  const Case cases[] = {{0, 50, 1},   {1, 50, 1},        {50, 50, 1}, {51, 50, 2},
                        {100, 50, 2}, {32003, 115, 279}, {3, 0, 3}};
  for (const Case& c : cases) {
    const int pages = GridPageCount(c.lines, c.perPage);
    EXPECT_EQ(pages, c.pages) << c.lines << "/" << c.perPage;
    std::size_t next = 0;
    for (int page = 1; page <= pages; ++page) {
      const views::LineSpan span = GridPageLineSpan(page, c.perPage, c.lines);
      EXPECT_EQ(span.first, next) << page;
      EXPECT_LE(span.last - span.first, static_cast<std::size_t>(std::max(1, c.perPage)));
      next = span.last;
    }
    EXPECT_EQ(next, c.lines);
  }
  const views::LineSpan past = GridPageLineSpan(4, 50, 120);
  EXPECT_EQ(past.first, past.last);
  const views::LineSpan before = GridPageLineSpan(0, 50, 120);
  EXPECT_EQ(before.first, before.last);
}

TEST_F(GridTest, PageHeaderAndFooterTexts) {
  EXPECT_EQ(Text(GridPageHeader(kVersionNumberText, kChristmas)),
            u"Varnel Version 1.3.6.1   Printing time : 25/12/2024 13:45:10");
  EXPECT_EQ(Text(GridPageHeader(kVersionNumberText, std::numeric_limits<double>::infinity())),
            u"Varnel Version 1.3.6.1   Printing time : INF");
  EXPECT_EQ(Text(GridPageFooter(1, 3)), u" 1 /  3");
  EXPECT_EQ(Text(GridPageFooter(12, 279)), u"12 / 279");
}

}  // namespace
}  // namespace grid_test
