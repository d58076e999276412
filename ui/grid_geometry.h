// Where the cells of a grid lie: column widths (kept at 96 DPI and scaled to the window's DPI),
// one row height for all rows, fixed rows at the top and fixed columns at the left that do not
// scroll, and the pixel offsets by which the other cells are scrolled. Pure arithmetic, so the
// grid's painting, hit testing and scrolling agree on every pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/grid_types.h"

namespace ui {

class GridGeometry {
 public:
  // A bound that keeps every row position inside the range of a scroll bar.
  static constexpr int kMaxRowCount = 10000000;

  void SetDpi(int dpi);
  int Dpi() const { return dpi_; }
  // The height of every row in pixels at the current DPI (at least 1).
  void SetRowHeight(int pixels);
  int RowHeight() const { return row_height_; }

  // Counts beyond kMaxRowCount are cut to it; false when that happened.
  bool SetRowCount(int rows);
  int RowCount() const { return rows_; }
  void SetFixedRowCount(int rows) { fixed_rows_ = std::max(0, rows); }
  void SetFixedColumnCount(int columns) { fixed_columns_ = std::max(0, columns); }
  // The fixed counts as set, and as they apply to the cells that exist.
  int FixedRowSetting() const { return fixed_rows_; }
  int FixedColumnSetting() const { return fixed_columns_; }
  int FixedRows() const { return std::min(fixed_rows_, rows_); }
  int FixedColumns() const { return std::min(fixed_columns_, ColumnCount()); }

  int ColumnCount() const { return static_cast<int>(widths_.size()); }
  // New columns are `width` pixels wide at 96 DPI.
  void SetColumnCount(int columns, int width);
  // Pixels at 96 DPI; negative widths count as 0.
  void SetColumnWidth(int column, int width);
  int ColumnWidth96(int column) const;
  // The column's width and left edge in pixels at the current DPI, before scrolling.
  int ColumnWidth(int column) const;
  int ColumnLeft(int column) const;

  int FixedWidth() const { return ColumnLeft(FixedColumns()); }
  int FixedHeight() const { return FixedRows() * row_height_; }
  int TotalWidth() const { return ColumnLeft(ColumnCount()); }
  std::int64_t TotalHeight() const { return std::int64_t{rows_} * row_height_; }
  // The extent of the cells that scroll.
  int ScrollableWidth() const { return TotalWidth() - FixedWidth(); }
  int ScrollableHeight() const { return static_cast<int>(TotalHeight() - FixedHeight()); }
  // The largest scroll offsets for a client area of that size.
  POINT MaxScroll(SIZE client) const;
  POINT ClampScroll(POINT scroll, SIZE client) const;

  // The cell's rectangle in client coordinates for the scroll offsets; empty for a cell that
  // does not exist.
  RECT CellRect(GridCell cell, POINT scroll) const;
  // The cell under a client point, or an invalid cell outside the cells.
  GridCell CellAt(POINT point, POINT scroll) const;
  // The row or column under a client coordinate, -1 outside.
  int RowAt(int y, POINT scroll) const;
  int ColumnAt(int x, POINT scroll) const;
  // The column whose right edge lies within `tolerance` pixels of x, -1 when none does.
  int ColumnBorderAt(int x, POINT scroll, int tolerance) const;

  // First to last, inclusive; empty when last < first.
  struct Span {
    int first = 0;
    int last = -1;
    bool IsEmpty() const { return last < first; }
  };
  // The fixed rows (or the scrolled ones) whose pixels on the screen meet [from, to) of the
  // client area, for drawing only what shows.
  Span RowsIn(int from, int to, POINT scroll, bool fixed) const;
  Span ColumnsIn(int from, int to, POINT scroll, bool fixed) const;
  // The number of scrolled rows that fit whole into a client height, at least 1.
  int RowsPerPage(int client_height) const;

 private:
  void UpdateLefts();

  int dpi_ = 96;
  int row_height_ = 1;
  int rows_ = 0;
  int fixed_rows_ = 0;
  int fixed_columns_ = 0;
  std::vector<int> widths_;       // at 96 DPI
  std::vector<int> lefts_ = {0};  // scaled, one more than the columns
};

}  // namespace ui
