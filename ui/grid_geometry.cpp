#include "ui/grid_geometry.h"

#include <algorithm>

namespace ui {

void GridGeometry::SetDpi(int dpi) {
  dpi_ = dpi > 0 ? dpi : 96;
  UpdateLefts();
}

void GridGeometry::SetRowHeight(int pixels) { row_height_ = std::max(1, pixels); }

bool GridGeometry::SetRowCount(int rows) {
  rows_ = std::clamp(rows, 0, kMaxRowCount);
  return rows <= kMaxRowCount;
}

void GridGeometry::SetColumnCount(int columns, int width) {
  widths_.resize(static_cast<std::size_t>(std::max(0, columns)), std::max(0, width));
  UpdateLefts();
}

void GridGeometry::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount()) return;
  widths_[static_cast<std::size_t>(column)] = std::max(0, width);
  UpdateLefts();
}

int GridGeometry::ColumnWidth96(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return widths_[static_cast<std::size_t>(column)];
}

int GridGeometry::ColumnWidth(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return ColumnLeft(column + 1) - ColumnLeft(column);
}

int GridGeometry::ColumnLeft(int column) const {
  return lefts_[static_cast<std::size_t>(std::clamp(column, 0, ColumnCount()))];
}

void GridGeometry::UpdateLefts() {
  // Scaling the running sum, not each width, keeps the columns' edges where the scaled total
  // puts them, without a pixel of drift per column.
  constexpr std::int64_t kLargest = INT32_MAX / 4;
  lefts_.assign(widths_.size() + 1, 0);
  std::int64_t sum = 0;
  for (std::size_t i = 0; i < widths_.size(); ++i) {
    sum += widths_[i];
    lefts_[i + 1] = static_cast<int>(std::min(kLargest, (sum * dpi_ + 48) / 96));
  }
}

POINT GridGeometry::MaxScroll(SIZE client) const {
  const int visible_width = std::max(0, static_cast<int>(client.cx) - FixedWidth());
  const int visible_height = std::max(0, static_cast<int>(client.cy) - FixedHeight());
  return {std::max(0, ScrollableWidth() - visible_width),
          std::max(0, ScrollableHeight() - visible_height)};
}

POINT GridGeometry::ClampScroll(POINT scroll, SIZE client) const {
  const POINT max = MaxScroll(client);
  return {std::clamp(static_cast<int>(scroll.x), 0, static_cast<int>(max.x)),
          std::clamp(static_cast<int>(scroll.y), 0, static_cast<int>(max.y))};
}

RECT GridGeometry::CellRect(GridCell cell, POINT scroll) const {
  if (cell.row < 0 || cell.row >= rows_ || cell.column < 0 || cell.column >= ColumnCount()) {
    return {};
  }
  const int dx = cell.column < FixedColumns() ? 0 : static_cast<int>(scroll.x);
  const int dy = cell.row < FixedRows() ? 0 : static_cast<int>(scroll.y);
  const int top = static_cast<int>(std::int64_t{cell.row} * row_height_ - dy);
  return {ColumnLeft(cell.column) - dx, top, ColumnLeft(cell.column + 1) - dx, top + row_height_};
}

int GridGeometry::RowAt(int y, POINT scroll) const {
  if (y < 0) return -1;
  const std::int64_t absolute = y < FixedHeight() ? y : std::int64_t{y} + scroll.y;
  const std::int64_t row = absolute / row_height_;
  return row < rows_ ? static_cast<int>(row) : -1;
}

int GridGeometry::ColumnAt(int x, POINT scroll) const {
  if (x < 0) return -1;
  const int absolute = x < FixedWidth() ? x : x + static_cast<int>(scroll.x);
  // The first left edge beyond the point, minus one, is the column holding it.
  const auto after = std::upper_bound(lefts_.begin(), lefts_.end(), absolute);
  const int column = static_cast<int>(after - lefts_.begin()) - 1;
  return column < ColumnCount() ? column : -1;
}

GridCell GridGeometry::CellAt(POINT point, POINT scroll) const {
  const int row = RowAt(point.y, scroll);
  const int column = ColumnAt(point.x, scroll);
  if (row < 0 || column < 0) return {};
  return {row, column};
}

int GridGeometry::ColumnBorderAt(int x, POINT scroll, int tolerance) const {
  int best = -1;
  int best_distance = tolerance + 1;
  for (int column = 0; column < ColumnCount(); ++column) {
    const int dx = column < FixedColumns() ? 0 : static_cast<int>(scroll.x);
    const int right = ColumnLeft(column + 1) - dx;
    // Scrolled columns that went under the fixed ones have no border to grab.
    if (column >= FixedColumns() && right <= FixedWidth()) continue;
    const int distance = std::abs(x - right);
    if (distance <= best_distance) {  // the later of two columns at one edge: the visible one
      best = column;
      best_distance = distance;
    }
  }
  return best;
}

GridGeometry::Span GridGeometry::RowsIn(int from, int to, POINT scroll, bool fixed) const {
  const int fixed_height = FixedHeight();
  if (fixed) {
    to = std::min(to, fixed_height);
    if (from >= to) return {};
    return {std::max(0, from) / row_height_, (to - 1) / row_height_};
  }
  from = std::max(from, fixed_height);
  if (from >= to || FixedRows() >= rows_) return {};
  const std::int64_t first = (std::int64_t{from} + scroll.y) / row_height_;
  const std::int64_t last = (std::int64_t{to} - 1 + scroll.y) / row_height_;
  if (first >= rows_) return {};
  return {static_cast<int>(std::max<std::int64_t>(first, FixedRows())),
          static_cast<int>(std::min<std::int64_t>(last, rows_ - 1))};
}

GridGeometry::Span GridGeometry::ColumnsIn(int from, int to, POINT scroll, bool fixed) const {
  const int fixed_width = FixedWidth();
  if (fixed) {
    to = std::min(to, fixed_width);
    if (from >= to) return {};
    return {ColumnAt(std::max(0, from), {0, 0}), ColumnAt(to - 1, {0, 0})};
  }
  from = std::max(from, fixed_width);
  if (from >= to || FixedColumns() >= ColumnCount()) return {};
  const int first = ColumnAt(from, scroll);
  if (first < 0) return {};
  const int last = ColumnAt(to - 1, scroll);
  return {std::max(first, FixedColumns()), last < 0 ? ColumnCount() - 1 : last};
}

int GridGeometry::RowsPerPage(int client_height) const {
  return std::max(1, (client_height - FixedHeight()) / row_height_);
}

}  // namespace ui
