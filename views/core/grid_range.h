// A rectangle of table cells, first to last row and column inclusive.
#pragma once

namespace views {

struct TableRange {
  int firstRow = -1;
  int firstColumn = -1;
  int lastRow = -1;
  int lastColumn = -1;

  bool IsEmpty() const {
    return firstRow < 0 || firstColumn < 0 || lastRow < firstRow || lastColumn < firstColumn;
  }
};

}  // namespace views
