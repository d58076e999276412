// The vocabulary of the cell grid: a cell, a rectangle of cells, the source that supplies cell
// texts and colours on demand, and the notification a grid sends its parent.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace ui {

// A cell or a colour without a value of its own takes the grid's default.
inline constexpr COLORREF kGridDefaultColour = CLR_DEFAULT;

struct GridCell {
  int row = -1;
  int column = -1;

  bool IsValid() const { return row >= 0 && column >= 0; }
  bool operator==(const GridCell&) const = default;
};

// First to last row and column, inclusive; invalid when empty.
struct GridCellRange {
  int min_row = -1;
  int min_column = -1;
  int max_row = -1;
  int max_column = -1;

  static GridCellRange Spanning(GridCell a, GridCell b) {
    return {std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
            std::max(a.column, b.column)};
  }
  bool IsValid() const {
    return min_row >= 0 && min_column >= 0 && max_row >= min_row && max_column >= min_column;
  }
  bool Contains(GridCell cell) const {
    return IsValid() && cell.row >= min_row && cell.row <= max_row && cell.column >= min_column &&
           cell.column <= max_column;
  }
  std::int64_t Count() const {
    if (!IsValid()) return 0;
    return std::int64_t{max_row - min_row + 1} * (max_column - min_column + 1);
  }
  bool operator==(const GridCellRange&) const = default;
};

// Where a grid takes the texts and colours of the cells that were not given their own. A grid
// asks only for the cells it draws, copies or measures, so a source can make texts on demand
// and keep nothing per cell.
class GridCellSource {
 public:
  virtual ~GridCellSource() = default;
  // The cell's text; it needs to stay valid only until the next call.
  virtual std::wstring_view GridCellText(int row, int column) = 0;
  virtual COLORREF GridCellBackground(int /*row*/, int /*column*/) { return kGridDefaultColour; }
  virtual COLORREF GridCellTextColour(int /*row*/, int /*column*/) { return kGridDefaultColour; }
};

// WM_NOTIFY from a grid to its parent: NM_DBLCLK (double-click), NM_RCLICK (right button
// released) and NM_SETFOCUS, with the cell under the mouse (invalid outside the cells) and the
// point in the grid's client coordinates.
struct GridNotify {
  NMHDR header;
  GridCell cell;
  POINT point;
};

}  // namespace ui
