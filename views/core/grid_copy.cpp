#include "views/core/grid_copy.h"

#include <algorithm>

namespace views {

namespace {

constexpr char16_t kLineEnd[] = u"\r\n";

// The selection cut to the table; empty when nothing of it lies inside.
TableRange ClipToTable(const GridTable& table, const TableRange& selection) {
  if (selection.IsEmpty()) return {};
  TableRange clipped = selection;
  clipped.firstRow = std::max(clipped.firstRow, 0);
  clipped.firstColumn = std::max(clipped.firstColumn, 0);
  clipped.lastRow = std::min(clipped.lastRow, table.RowCount() - 1);
  clipped.lastColumn = std::min(clipped.lastColumn, table.ColumnCount() - 1);
  return clipped.IsEmpty() ? TableRange{} : clipped;
}

}  // namespace

std::u16string GridCopyText(const GridTable& table, const TableRange& selection) {
  const TableRange range = ClipToTable(table, selection);
  if (range.IsEmpty()) return {};
  std::u16string text;
  int firstRow = range.firstRow;
  if (firstRow <= kGridHeadingRows) {
    for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
      if (column > range.firstColumn) text += u'\t';
      const TString& heading = table.Headings()[static_cast<std::size_t>(column)];
      text.append(heading.Str(), heading.Length());
    }
    text += kLineEnd;
    firstRow = kGridHeadingRows;
  }
  CellScratch scratch;
  for (int row = firstRow; row <= range.lastRow; ++row) {
    for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
      if (column > range.firstColumn) text += u'\t';
      text += table.CellText(row, column, scratch);
    }
    text += kLineEnd;
  }
  return text;
}

}  // namespace views
