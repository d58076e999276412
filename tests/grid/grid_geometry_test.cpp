// Where the grid's cells lie: every cell found again under its own centre at 96 and 144 DPI
// with the cells scrolled, fixed cells that stay, column borders, and the spans drawn.
#include <gtest/gtest.h>

#include "ui/grid_geometry.h"

namespace {

using ui::GridCell;
using ui::GridGeometry;

GridGeometry MakeGeometry(int dpi) {
  GridGeometry g;
  g.SetDpi(dpi);
  g.SetRowHeight(MulDiv(17, dpi, 96));
  g.SetRowCount(100);
  g.SetFixedRowCount(2);
  g.SetFixedColumnCount(1);
  g.SetColumnCount(6, 130);
  g.SetColumnWidth(0, 32);
  g.SetColumnWidth(3, 0);  // a hidden column
  g.SetColumnWidth(5, 51);
  return g;
}

TEST(GridGeometry, EveryCellLiesUnderItsOwnCentreWhetherScrolledOrFixed) {
  for (int dpi : {96, 144}) {
    const GridGeometry g = MakeGeometry(dpi);
    for (POINT scroll : {POINT{0, 0}, POINT{37, 250}}) {
      for (int row = 0; row < g.RowCount(); ++row) {
        for (int column = 0; column < g.ColumnCount(); ++column) {
          const RECT r = g.CellRect({row, column}, scroll);
          if (column == 3) {
            EXPECT_EQ(r.right, r.left);
            continue;
          }
          const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
          // Scrolled cells under the fixed ones are not where the mouse can reach them.
          if ((row >= 2 && centre.y < g.FixedHeight()) ||
              (column >= 1 && centre.x < g.FixedWidth())) {
            continue;
          }
          EXPECT_EQ(g.CellAt(centre, scroll), (GridCell{row, column}))
              << dpi << " dpi, scroll " << scroll.x << "," << scroll.y << ", cell " << row << ","
              << column;
        }
      }
      // Fixed cells do not move with the scrolled ones.
      EXPECT_EQ(g.CellRect({1, 0}, scroll).top, g.RowHeight());
      EXPECT_EQ(g.CellRect({0, 2}, scroll).left, g.ColumnLeft(2) - scroll.x);
      EXPECT_EQ(g.CellRect({5, 0}, scroll).left, 0);
      EXPECT_EQ(g.CellRect({5, 0}, scroll).top, 5 * g.RowHeight() - scroll.y);
    }
  }
}

TEST(GridGeometry, WidthsScaleAsOneSumSoTheEdgesDoNotDrift) {
  const GridGeometry g = MakeGeometry(144);
  const int expected_lefts[] = {0, 48, 243, 438, 438, 633, 710};  // (sum of widths) x 1.5, rounded
  for (int column = 0; column <= 6; ++column) {
    EXPECT_EQ(g.ColumnLeft(column), expected_lefts[column]) << column;
  }
  EXPECT_EQ(g.ColumnWidth96(5), 51);
  EXPECT_EQ(g.ColumnWidth(5), 77);
  EXPECT_EQ(g.FixedWidth(), 48);
  EXPECT_EQ(g.TotalWidth(), 710);
}

TEST(GridGeometry, OutsideTheCellsIsNoCell) {
  const GridGeometry g = MakeGeometry(96);
  const POINT none{0, 0};
  EXPECT_FALSE(g.CellAt({-1, 5}, none).IsValid());
  EXPECT_FALSE(g.CellAt({5, -1}, none).IsValid());
  EXPECT_FALSE(g.CellAt({g.TotalWidth(), 5}, none).IsValid());
  EXPECT_FALSE(g.CellAt({5, 100 * 17}, none).IsValid());
  EXPECT_TRUE(g.CellAt({g.TotalWidth() - 1, 100 * 17 - 1}, none).IsValid());
  EXPECT_EQ(g.CellRect({100, 0}, none).right, 0);
  EXPECT_EQ(g.CellRect({0, 6}, none).right, 0);
}

TEST(GridGeometry, ColumnBordersAreFoundNearTheirEdgeAndNotUnderTheFixedColumns) {
  const GridGeometry g = MakeGeometry(96);
  // Right edges: 32, 162, 292, 292 (the hidden column), 422, 473.
  EXPECT_EQ(g.ColumnBorderAt(33, {0, 0}, 3), 0);
  EXPECT_EQ(g.ColumnBorderAt(160, {0, 0}, 3), 1);
  EXPECT_EQ(g.ColumnBorderAt(292, {0, 0}, 3), 3);  // the later column: it can be widened again
  EXPECT_EQ(g.ColumnBorderAt(100, {0, 0}, 3), -1);
  // Scrolled by 140 the border of column 1 lies at 22, under the fixed column.
  EXPECT_EQ(g.ColumnBorderAt(22, {140, 0}, 3), -1);
  EXPECT_EQ(g.ColumnBorderAt(152, {140, 0}, 3), 3);
}

TEST(GridGeometry, ScrollLimitsAndTheSpansToDraw) {
  const GridGeometry g = MakeGeometry(96);
  const SIZE client{300, 200};
  // 98 scrolled rows of 17 pixels in 200 - 34 pixels; 441 scrolled pixels of width in 268.
  EXPECT_EQ(g.MaxScroll(client).y, 98 * 17 - 166);
  EXPECT_EQ(g.MaxScroll(client).x, 441 - 268);
  EXPECT_EQ(g.ClampScroll({-5, 100000}, client).y, 98 * 17 - 166);
  EXPECT_EQ(g.ClampScroll({-5, 100000}, client).x, 0);
  EXPECT_EQ(g.RowsPerPage(200), 9);
  EXPECT_EQ(g.MaxScroll({1000, 5000}).y, 0);

  const POINT scroll{0, 100};
  const GridGeometry::Span fixed_rows = g.RowsIn(0, 200, scroll, true);
  EXPECT_EQ(fixed_rows.first, 0);
  EXPECT_EQ(fixed_rows.last, 1);
  // Pixels 34..199 show rows (134 / 17) = 7 to (299 / 17) = 17.
  const GridGeometry::Span rows = g.RowsIn(0, 200, scroll, false);
  EXPECT_EQ(rows.first, 7);
  EXPECT_EQ(rows.last, 17);
  EXPECT_TRUE(g.RowsIn(0, 30, scroll, false).IsEmpty());
  // Scrolled by 40, pixels 32..299 show the columns at 72..339: 1 to 4.
  const GridGeometry::Span columns = g.ColumnsIn(0, 300, {40, 0}, false);
  EXPECT_EQ(columns.first, 1);
  EXPECT_EQ(columns.last, 4);
  EXPECT_EQ(g.ColumnsIn(0, 300, {40, 0}, true).last, 0);
}

TEST(GridGeometry, RowCountsBeyondTheScrollRangeAreCut) {
  GridGeometry g;
  EXPECT_TRUE(g.SetRowCount(32003));
  EXPECT_FALSE(g.SetRowCount(GridGeometry::kMaxRowCount + 1));
  EXPECT_EQ(g.RowCount(), GridGeometry::kMaxRowCount);
  g.SetRowCount(-3);
  EXPECT_EQ(g.RowCount(), 0);
}

}  // namespace
