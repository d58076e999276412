// The grid view's table: headings and their split over two rows, the texts of every kind of cell
// and the colours that alternate per column.
#include <gtest/gtest.h>

#include <limits>

#include "tests/views_core/grid_test_support.h"
#include "views/core/grid_table.h"

namespace grid_test {
namespace {

using views::kGridNoColour;
using views::kGridPlainShade;
using views::kGridTextShade;
using views::kGridValueShade;

TEST(SplitHeading, KeepsShortHeadingsAndCutsLongOnesAtAPointOrInHalf) {
  struct Case {
    const char16_t* heading;
    const char16_t* top;
    const char16_t* bottom;
  };
  const Case cases[] = {
      {u"Time", u"Time", u""},
      {u"abcdefghijklmnopqrs", u"abcdefghijklmnopqrs", u""},  // 19: not split
      {u"abcdefghijklmnopqrst", u"abcdefghij-", u"klmnopqrst"},
      {u"Plant1.Unit2.Temp.Outlet", u"Plant1.Unit2.Temp.", u"Outlet"},
      // 25 characters with a "." at 18, and without one (12 and 13 characters).
      {u"abcdefghijklmnopqr.tuvwxy", u"abcdefghijklmnopqr.", u"tuvwxy"},
      {u"abcdefghijklmnopqrstuvwxy", u"abcdefghijkl-", u"mnopqrstuvwxy"},
      // The point must lie at 16 to 21: 15 and 22 are too early and too late.
      {u"abcdefghijklmno.qrstuvwxy", u"abcdefghijkl-", u"mno.qrstuvwxy"},
      {u"abcdefghijklmnop.rstuvwxy", u"abcdefghijklmnop.", u"rstuvwxy"},
      {u"abcdefghijklmnopqrstu.wxy", u"abcdefghijklmnopqrstu.", u"wxy"},
      {u"abcdefghijklmnopqrstuv.xy", u"abcdefghijkl-", u"mnopqrstuv.xy"},
      // The first point of the range wins; a point that ends the heading leaves row 1 empty.
      {u"abcdefghijklmnopq.stu.wxy", u"abcdefghijklmnopq.", u"stu.wxy"},
      {u"abcdefghijklmnopqrs.", u"abcdefghijklmnopqrs.", u""},
  };
  for (const Case& c : cases) {
    const views::SplitHeadingText split = views::SplitHeading(TString(c.heading));
    EXPECT_EQ(Text(split.top), c.top) << Text(TString(c.heading)).size();
    EXPECT_EQ(Text(split.bottom), c.bottom);
  }
}

TEST_F(GridTest, DocumentWithoutWavesShowsTheNumberColumnAndThreeRows) {
  Build();
  ASSERT_EQ(table_.ColumnCount(), 1);
  EXPECT_EQ(table_.RowCount(), 3);
  EXPECT_EQ(Cell(0, 0), u"#");
  for (int row = 1; row < 3; ++row) EXPECT_EQ(Cell(row, 0), u"") << row;
  EXPECT_EQ(table_.CellColour(2, 0), kGridNoColour);
}

TEST_F(GridTest, HeadingsAreTimeAndItemNamePerWaveSplitOverTheHeadingRows) {
  AddWave({.item = u"Short"});
  AddWave({.machine = u"Box", .item = u"Plant1.Unit2.Temp.Outlet"});
  Build();
  const std::vector<std::u16string> expected = {u"#", u"Time", u"Short", u"Time",
                                                u"Plant1.Unit2.Temp.Outlet"};
  std::vector<std::u16string> headings;
  for (const TString& h : table_.Headings()) headings.push_back(Text(h));
  EXPECT_EQ(headings, expected);
  EXPECT_EQ(Cell(0, 2), u"Short");
  EXPECT_EQ(Cell(1, 2), u"");
  EXPECT_EQ(Cell(0, 4), u"Plant1.Unit2.Temp.");
  EXPECT_EQ(Cell(1, 4), u"Outlet");
}

TEST_F(GridTest, ACutWaveSaysUnderItsTimeHeadingThatItListsTheFirstValuesInTheLanguage) {
  AddWave({.item = u"Whole", .t = Seconds(2), .y = {1, 2}});
  AddWave({.item = u"Long", .t = Seconds(2), .y = {1, 2}});
  doc_.Waves[1].Cut = true;
  Build(true, 1);
  EXPECT_EQ(Cell(0, 3), u"Time");
  EXPECT_EQ(Cell(1, 3), u"(first 32000 values)");
  EXPECT_EQ(Cell(1, 1), u"");
  Build(true, 2);
  EXPECT_EQ(Cell(1, 3), u"(erste 32000 Werte)");
  // The note belongs to the heading; the rows of values start where they always do.
  EXPECT_EQ(Cell(2, 4), u"1.000");
}

TEST_F(GridTest, CellsShowRowNumbersTimesThreeDecimalValuesAndTextsInPlaceOfValues) {
  AddWave({.item = u"A", .t = Seconds(3), .y = {12.5, -0.125, 1e6}});
  AddWave({.item = u"B", .t = Seconds(3), .y = {1, 2, 3}, .s = {u"open", u"closed"}});
  Build(true);
  struct Case {
    int row, column;
    const char16_t* text;
  };
  const Case cases[] = {
      {2, 0, u"0"},
      {3, 0, u"1"},
      {4, 0, u"2"},
      {5, 0, u""},  // the empty last row
      {2, 1, u"25/12/2024 13:45:10.250"},
      {4, 1, u"25/12/2024 13:45:12.250"},
      {2, 2, u"12.500"},
      {3, 2, u"-0.125"},
      {4, 2, u"1000000.000"},
      {2, 4, u"open"},
      {3, 4, u"closed"},
      {4, 4, u"3.000"},
      // Outside the table.
      {-1, 0, u""},
      {2, -1, u""},
      {6, 0, u""},
      {2, 5, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(Cell(c.row, c.column), c.text) << c.row << "," << c.column;

  Build(false);
  EXPECT_EQ(Cell(2, 1), u"25/12/2024 13:45:10");
  EXPECT_EQ(Cell(2, 3), u"25/12/2024 13:45:10");
}

TEST_F(GridTest, RowsFollowTheLongestWaveAndShorterWavesLeaveTheirCellsEmpty) {
  AddWave({.item = u"Long", .t = Seconds(5), .y = {0, 1, 2, 3, 4}});
  AddWave({.item = u"Short", .t = Seconds(2), .y = {7, 8}});
  Build();
  EXPECT_EQ(table_.RowCount(), 5 + 3);
  EXPECT_EQ(Cell(6, 0), u"4");
  EXPECT_EQ(Cell(6, 2), u"4.000");
  EXPECT_EQ(Cell(3, 4), u"8.000");
  EXPECT_EQ(Cell(4, 3), u"");
  EXPECT_EQ(Cell(4, 4), u"");
  EXPECT_EQ(table_.CellColour(4, 3), kGridNoColour);
  EXPECT_EQ(table_.CellColour(4, 4), kGridNoColour);
}

TEST_F(GridTest, ColoursAlternateFromWhiteWithTheirOwnShadeForTexts) {
  AddWave({.item = u"A", .t = Seconds(4), .y = {1, 2, 3, 4}, .s = {u"x", u"y"}});
  Build();
  for (int column = 0; column < 3; ++column) {
    EXPECT_EQ(table_.CellColour(0, column), kGridNoColour) << column;
    EXPECT_EQ(table_.CellColour(1, column), kGridNoColour) << column;
  }
  struct Case {
    int row, column;
    graph::TColor colour;
  };
  const Case cases[] = {
      {2, 0, kGridPlainShade}, {3, 0, kGridValueShade}, {4, 0, kGridPlainShade},
      {2, 1, kGridPlainShade}, {3, 1, kGridValueShade}, {2, 2, kGridPlainShade},
      {3, 2, kGridTextShade},                            // texts
      {4, 2, kGridPlainShade}, {5, 2, kGridValueShade},  // values after the texts
      {6, 0, kGridNoColour},                             // the empty last row
  };
  for (const Case& c : cases) {
    EXPECT_EQ(table_.CellColour(c.row, c.column), c.colour) << c.row << "," << c.column;
  }
}

TEST_F(GridTest, ValuesThatAreNotNumbersReadAsTheNumberTexts) {
  AddWave(
      {.item = u"A",
       .t = Seconds(2),
       .y = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}});
  AddWave({.item = u"B", .t = {std::numeric_limits<double>::infinity()}, .y = {0}});
  Build();
  EXPECT_EQ(Cell(2, 2), u"1.#QNAN");
  EXPECT_EQ(Cell(3, 2), u"INF");
  EXPECT_EQ(Cell(2, 3), u"INF");
}

TEST_F(GridTest, WavesThatShrinkOrGoBeforeTheNextBuildShowNoCells) {
  AddWave({.item = u"A", .t = Seconds(3), .y = {1, 2, 3}, .s = {u"a", u"b", u"c"}});
  AddWave({.item = u"B", .t = Seconds(3), .y = {1, 2, 3}});
  Build();
  doc_.Waves[0].T.resize(1);
  doc_.Waves[0].S.clear();
  doc_.Waves[0].Y.resize(1);
  EXPECT_EQ(Cell(3, 1), u"");
  EXPECT_EQ(Cell(3, 2), u"");
  EXPECT_EQ(table_.CellColour(3, 2), kGridNoColour);
  doc_.Waves.pop_back();
  EXPECT_EQ(Cell(2, 3), u"");
  EXPECT_EQ(Cell(2, 4), u"");
  EXPECT_EQ(Cell(0, 4), u"B");  // headings stay until the next build
  EXPECT_EQ(table_.CellColour(2, 4), kGridNoColour);
  table_.Clear();
  EXPECT_EQ(table_.ColumnCount(), 0);
  EXPECT_EQ(Cell(0, 0), u"");
}

TEST_F(GridTest, WaveOfAColumnPairsTimeAndValueColumns) {
  AddWave({});
  AddWave({});
  Build();
  const int expected[] = {-1, 0, 0, 1, 1, -1};
  for (int column = 0; column < 6; ++column) {
    EXPECT_EQ(table_.WaveOfColumn(column), expected[column]) << column;
  }
}

}  // namespace
}  // namespace grid_test
