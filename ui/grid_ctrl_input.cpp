// The grid's selection and what the mouse and the keyboard do to it: clicks, drags with
// scrolling at the edges, Shift to extend, the headings and the corner, column borders, the
// right button, keys, and the title tip under the mouse.
#include <algorithm>

#include "ui/gdi_select.h"
#include "ui/grid_ctrl.h"

namespace ui {

namespace {

constexpr UINT kAutoScrollMs = 50;

bool KeyDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

GridCellRange TGridCtrl::SelectableRange() const {
  const GridCellRange range{geometry_.FixedRows(), geometry_.FixedColumns(),
                            geometry_.RowCount() - 1, geometry_.ColumnCount() - 1};
  return range.IsValid() ? range : GridCellRange{};
}

GridCell TGridCtrl::ClampToSelectable(GridCell cell) const {
  const GridCellRange range = SelectableRange();
  if (!range.IsValid()) return {};
  return {std::clamp(cell.row, range.min_row, range.max_row),
          std::clamp(cell.column, range.min_column, range.max_column)};
}

GridCellRange TGridCtrl::SelectedRange() const {
  if (!anchor_.IsValid() || !focus_.IsValid()) return {};
  return GridCellRange::Spanning(anchor_, focus_);
}

void TGridCtrl::Select(GridCell anchor, GridCell focus) {
  const GridCellRange before = SelectedRange();
  const GridCell focus_before = focus_;
  // No anchor selects nothing; otherwise both ends are kept to the cells that can be selected.
  anchor_ = anchor.IsValid() ? ClampToSelectable(anchor) : GridCell{};
  focus_ = anchor_.IsValid() ? ClampToSelectable(focus) : GridCell{};
  if (SelectedRange() != before || focus_ != focus_before) InvalidateSelectionChange(before);
}

void TGridCtrl::InvalidateSelectionChange(const GridCellRange&) {
  // Cells, their headings and the focus frame all change with a selection: one repaint of what
  // shows is cheaper than working out the difference.
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void TGridCtrl::SetSelectedRange(const GridCellRange& range) {
  if (!range.IsValid()) {
    Select({}, {});
    return;
  }
  const GridCellRange selectable = SelectableRange();
  if (!selectable.IsValid() || range.max_row < selectable.min_row ||
      range.max_column < selectable.min_column || range.min_row > selectable.max_row ||
      range.min_column > selectable.max_column) {
    Select({}, {});
    return;
  }
  Select({range.min_row, range.min_column}, {range.max_row, range.max_column});
}

void TGridCtrl::SelectAll() {
  const GridCellRange selectable = SelectableRange();
  if (!selectable.IsValid()) return;
  Select({selectable.min_row, selectable.min_column}, {selectable.max_row, selectable.max_column});
}

bool TGridCtrl::OverColumnBorder(POINT point, int* column) const {
  if (point.y < 0 || point.y >= geometry_.FixedHeight()) return false;
  const int border = geometry_.ColumnBorderAt(point.x, scroll_, MulDiv(3, geometry_.Dpi(), 96));
  if (border < 0) return false;
  if (column) *column = border;
  return true;
}

void TGridCtrl::OnLeftButtonDown(POINT point, UINT keys) {
  if (GetFocus() != Hwnd()) SetFocus(Hwnd());
  HideTitleTip();
  int column = -1;
  if (OverColumnBorder(point, &column)) {
    drag_ = DragMode::kColumnWidth;
    resized_column_ = column;
    resize_grab_offset_ = point.x - geometry_.CellRect({0, column}, scroll_).right;
    SetCapture(Hwnd());
    return;
  }
  const GridCell cell = geometry_.CellAt(point, scroll_);
  const GridCellRange selectable = SelectableRange();
  if (!cell.IsValid() || !selectable.IsValid()) return;
  const bool extend = (keys & MK_SHIFT) && anchor_.IsValid();
  const bool heading_row = cell.row < geometry_.FixedRows();
  const bool heading_column = cell.column < geometry_.FixedColumns();
  if (heading_row && heading_column) {
    SelectAll();
    return;
  }
  if (heading_row) {
    const int first = extend ? anchor_.column : cell.column;
    Select({selectable.min_row, first}, {selectable.max_row, cell.column});
    drag_ = DragMode::kColumns;
  } else if (heading_column) {
    const int first = extend ? anchor_.row : cell.row;
    Select({first, selectable.min_column}, {cell.row, selectable.max_column});
    drag_ = DragMode::kRows;
  } else {
    Select(extend ? anchor_ : cell, cell);
    drag_ = DragMode::kCells;
  }
  last_drag_point_ = point;
  SetCapture(Hwnd());
}

void TGridCtrl::OnLeftButtonDoubleClick(POINT point, UINT keys) {
  if (OverColumnBorder(point, nullptr)) return;
  // The second press of a double-click selects as the first did, without starting a drag.
  OnLeftButtonDown(point, keys);
  if (GetCapture() == Hwnd()) ReleaseCapture();
  OnCellDoubleClick(geometry_.CellAt(point, scroll_), point);
}

void TGridCtrl::OnLeftButtonUp() {
  if (GetCapture() == Hwnd()) ReleaseCapture();
  drag_ = DragMode::kNone;
  if (auto_scrolling_) KillTimer(Hwnd(), kAutoScrollTimer);
  auto_scrolling_ = false;
}

void TGridCtrl::OnMouseMove(POINT point, UINT) {
  if (drag_ != DragMode::kNone && GetCapture() == Hwnd()) {
    last_drag_point_ = point;
    DragTo(point);
    return;
  }
  if (!tracking_leave_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Hwnd(), 0};
    tracking_leave_ = TrackMouseEvent(&track) != FALSE;
  }
  UpdateTitleTip(point);
}

void TGridCtrl::DragTo(POINT point) {
  const SIZE client = ClientSize();
  if (drag_ == DragMode::kColumnWidth) {
    const int left = geometry_.CellRect({0, resized_column_}, scroll_).left;
    const int pixels = std::max(0, static_cast<int>(point.x) - resize_grab_offset_ - left);
    geometry_.SetColumnWidth(resized_column_, MulDiv(pixels, 96, geometry_.Dpi()));
    Relayout();
    UpdateWindow(Hwnd());
    return;
  }
  const GridCellRange selectable = SelectableRange();
  if (!selectable.IsValid() || !anchor_.IsValid()) return;
  // The cell nearest to the pointer among those that scroll, so a drag past an edge keeps
  // extending towards it.
  const int y = std::clamp(static_cast<int>(point.y), geometry_.FixedHeight(),
                           std::max(geometry_.FixedHeight(), static_cast<int>(client.cy) - 1));
  const int x = std::clamp(static_cast<int>(point.x), geometry_.FixedWidth(),
                           std::max(geometry_.FixedWidth(), static_cast<int>(client.cx) - 1));
  int row = geometry_.RowAt(y, scroll_);
  int column = geometry_.ColumnAt(x, scroll_);
  if (row < 0) row = selectable.max_row;
  if (column < 0) column = selectable.max_column;
  switch (drag_) {
    case DragMode::kCells:
      Select(anchor_, {row, column});
      break;
    case DragMode::kColumns:
      Select(anchor_, {selectable.max_row, column});
      break;
    case DragMode::kRows:
      Select(anchor_, {row, selectable.max_column});
      break;
    default:
      break;
  }
  const bool outside = point.y < geometry_.FixedHeight() || point.y >= client.cy ||
                       point.x < geometry_.FixedWidth() || point.x >= client.cx;
  if (outside && !auto_scrolling_) {
    auto_scrolling_ = SetTimer(Hwnd(), kAutoScrollTimer, kAutoScrollMs, nullptr) != 0;
  }
}

void TGridCtrl::AutoScrollTick() {
  const SIZE client = ClientSize();
  const POINT p = last_drag_point_;
  POINT target = scroll_;
  if (drag_ != DragMode::kRows) {
    if (p.x < geometry_.FixedWidth()) target.x -= MulDiv(20, geometry_.Dpi(), 96);
    if (p.x >= client.cx) target.x += MulDiv(20, geometry_.Dpi(), 96);
  }
  if (drag_ != DragMode::kColumns) {
    if (p.y < geometry_.FixedHeight()) target.y -= geometry_.RowHeight();
    if (p.y >= client.cy) target.y += geometry_.RowHeight();
  }
  if (GetCapture() != Hwnd() || drag_ == DragMode::kNone || drag_ == DragMode::kColumnWidth ||
      (target.x == scroll_.x && target.y == scroll_.y)) {
    KillTimer(Hwnd(), kAutoScrollTimer);
    auto_scrolling_ = false;
    return;
  }
  ScrollTo(target, false);
  DragTo(p);
}

void TGridCtrl::OnRightButtonDown(POINT point) {
  if (GetFocus() != Hwnd()) SetFocus(Hwnd());
  HideTitleTip();
  const GridCell cell = geometry_.CellAt(point, scroll_);
  // A click outside the selection selects the cell, as the menu that follows acts on it.
  if (cell.IsValid() && SelectableRange().Contains(cell) && !SelectedRange().Contains(cell)) {
    Select(cell, cell);
  }
}

void TGridCtrl::OnRightButtonUp(POINT point) {
  OnCellRightButtonUp(geometry_.CellAt(point, scroll_), point);
}

void TGridCtrl::OnContextMenuKey() {
  const RECT rect = geometry_.CellRect(focus_, scroll_);
  const POINT point = focus_.IsValid() ? POINT{rect.left + text_margin_, rect.bottom} : POINT{0, 0};
  OnCellRightButtonUp(focus_, point);
}

bool TGridCtrl::OnKeyDown(UINT key) {
  const bool control = KeyDown(VK_CONTROL);
  const bool shift = KeyDown(VK_SHIFT);
  HideTitleTip();
  if (control && key == 'A') {
    SelectAll();
    return true;
  }
  const GridCellRange selectable = SelectableRange();
  if (!selectable.IsValid()) return false;
  const GridCell from =
      focus_.IsValid() ? focus_ : GridCell{selectable.min_row, selectable.min_column};
  const int page = geometry_.RowsPerPage(ClientSize().cy);
  GridCell to = from;
  switch (key) {
    case VK_UP:
      to.row -= 1;
      break;
    case VK_DOWN:
      to.row += 1;
      break;
    case VK_LEFT:
      to.column -= 1;
      break;
    case VK_RIGHT:
      to.column += 1;
      break;
    case VK_PRIOR:
      to.row -= page;
      break;
    case VK_NEXT:
      to.row += page;
      break;
    case VK_HOME:
      to.column = selectable.min_column;
      if (control) to.row = selectable.min_row;
      break;
    case VK_END:
      to.column = selectable.max_column;
      if (control) to.row = selectable.max_row;
      break;
    default:
      return false;
  }
  to = ClampToSelectable(to);
  if (shift && anchor_.IsValid()) {
    Select(anchor_, to);
  } else {
    Select(to, to);
  }
  EnsureVisible(to);
  return true;
}

void TGridCtrl::UpdateTitleTip(POINT point) {
  const GridCell cell = geometry_.CellAt(point, scroll_);
  if (cell == tip_cell_) return;
  HideTitleTip();
  tip_cell_ = cell;
  if (!cell.IsValid()) return;
  const std::wstring_view text = CellText(cell.row, cell.column);
  if (text.empty()) return;
  RECT rect = geometry_.CellRect(cell, scroll_);
  // Only a cell that shows whole: one half under the fixed cells or the edge gets no tip.
  const SIZE client = ClientSize();
  const bool scrolled_row = cell.row >= geometry_.FixedRows();
  const bool scrolled_column = cell.column >= geometry_.FixedColumns();
  if ((scrolled_row && rect.top < geometry_.FixedHeight()) ||
      (scrolled_column && rect.left < geometry_.FixedWidth()) || rect.right > client.cx ||
      rect.bottom > client.cy) {
    return;
  }
  SIZE extent{};
  {
    WindowDc dc(Hwnd());
    SelectGuard select(dc.Get(), font_.Get());
    GetTextExtentPoint32W(dc.Get(), text.data(), static_cast<int>(text.size()), &extent);
  }
  const int room = rect.right - rect.left - 1 - text_margin_;
  if (extent.cx <= room) return;
  rect.right -= 1;  // the grid lines stay visible
  rect.bottom -= 1;
  MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
  title_tip_.Show(Hwnd(), rect, text, Font(), text_margin_, text_top_);
}

void TGridCtrl::HideTitleTip() {
  title_tip_.Hide();
  tip_cell_ = {};
}

}  // namespace ui
