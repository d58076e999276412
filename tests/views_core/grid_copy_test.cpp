// The clipboard text of a grid selection: tabs between cells, CR LF after every line, and the
// heading line when the selection starts at the top of the table.
#include <gtest/gtest.h>

#include "tests/views_core/grid_test_support.h"
#include "views/core/grid_copy.h"

namespace grid_test {
namespace {

using views::GridCopyText;
using views::TableRange;

class GridCopy : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    AddWave({.item = u"Plant1.Unit2.Temp.Outlet", .t = Seconds(6), .y = {0, 1, 2, 3, 4, 5}});
    AddWave({.item = u"Valve", .t = Seconds(2), .s = {u"open", u"shut"}});
    Build(false);
  }
};

TEST_F(GridCopy, SelectionStartingAtTheTopGivesTheFullHeadingsThenTheRowsFromTheFirstDataRow) {
  const std::u16string expected =
      u"Time\tPlant1.Unit2.Temp.Outlet\tTime\r\n"
      u"25/12/2024 13:45:10\t0.000\t25/12/2024 13:45:10\r\n"
      u"25/12/2024 13:45:11\t1.000\t25/12/2024 13:45:11\r\n";
  // From heading row 0, heading row 1 or the first data row: the same text.
  for (int firstRow : {0, 1, 2}) {
    EXPECT_EQ(GridCopyText(table_, {firstRow, 1, 3, 3}), expected) << firstRow;
  }
}

TEST_F(GridCopy, SelectionFurtherDownHasNoHeadingLine) {
  EXPECT_EQ(GridCopyText(table_, {5, 0, 6, 2}),
            u"3\t25/12/2024 13:45:13\t3.000\r\n4\t25/12/2024 13:45:14\t4.000\r\n");
  // Cells below a shorter wave are empty between their tabs.
  EXPECT_EQ(GridCopyText(table_, {4, 2, 4, 4}), u"2.000\t\t\r\n");
  EXPECT_EQ(GridCopyText(table_, {3, 4, 3, 4}), u"shut\r\n");
}

TEST_F(GridCopy, EmptySelectionGivesNothingAndPartsOutsideTheTableAreLeftOut) {
  EXPECT_EQ(GridCopyText(table_, TableRange{}), u"");
  EXPECT_EQ(GridCopyText(table_, {5, 3, 4, 3}), u"");      // last row before the first
  EXPECT_EQ(GridCopyText(table_, {100, 0, 200, 4}), u"");  // all of it below the table
  // The table has rows 0..8 and columns 0..4.
  EXPECT_EQ(GridCopyText(table_, {7, 0, 50, 9}),
            u"5\t25/12/2024 13:45:15\t5.000\t\t\r\n\t\t\t\t\r\n");
}

TEST_F(GridCopy, WholeTableCopiesEveryRowUnderTheHeadingLine) {
  const std::u16string text = GridCopyText(table_, {0, 0, table_.RowCount() - 1, 4});
  std::size_t lines = 0;
  for (std::size_t at = text.find(u"\r\n"); at != std::u16string::npos;
       at = text.find(u"\r\n", at + 2)) {
    ++lines;
  }
  EXPECT_EQ(lines, 1u + static_cast<std::size_t>(table_.RowCount() - 2));
  EXPECT_EQ(text.substr(0, text.find(u"\r\n")), u"#\tTime\tPlant1.Unit2.Temp.Outlet\tTime\tValve");
}

}  // namespace
}  // namespace grid_test
