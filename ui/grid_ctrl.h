// TGridCtrl: a general-purpose cell grid. Fixed rows at the top and fixed columns at the left
// stay in place while the other cells scroll by the pixel (scroll bars, the wheel, the keyboard,
// animated when the system animates client areas). The user selects a rectangle of cells with
// the mouse (dragging, Shift-click, clicks on the headings, the top left corner for all) and the
// keyboard (arrows, pages, Home and End, Shift to extend, Ctrl+A); drags column borders in the
// fixed rows; and sees a cut text whole in a title tip under the mouse.
//
// The grid keeps no window and no string per cell: texts and colours come on demand from a
// GridCellSource; only cells given their own text or colour (SetItemText, SetItemBkColour) are
// stored. Double-clicks and right-button releases go to OnCellDoubleClick and
// OnCellRightButtonUp, which send WM_NOTIFY (GridNotify) to the parent unless a derived grid
// takes them. Sizes are given in pixels at 96 DPI and follow the window's DPI.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/grid_geometry.h"
#include "ui/grid_title_tip.h"
#include "ui/grid_types.h"
#include "ui/memory_bitmap.h"
#include "ui/window.h"
#include "win/handle.h"

namespace ui {

class TGridCtrl : public Window {
 public:
  static constexpr wchar_t kClassName[] = L"VarnelGridCtrl";
  static constexpr int kDefaultColumnWidth = 64;

  // One fixed row and one fixed column; font "MS Sans Serif", height -11, weight 400.
  TGridCtrl();
  ~TGridCtrl() override;

  bool Create(HWND parent, UINT id, const RECT& rect);

  // The source of the texts and colours of cells without their own (null: none).
  void SetCellSource(GridCellSource* source);

  // Deletes every cell with its own text or colour, all rows and columns and the selection;
  // the fixed counts stay.
  void DeleteAllItems();
  void SetRowCount(int rows);
  void SetColumnCount(int columns);
  void SetFixedRowCount(int rows);
  void SetFixedColumnCount(int columns);
  int GetRowCount() const { return geometry_.RowCount(); }
  int GetColumnCount() const { return geometry_.ColumnCount(); }
  int GetFixedRowCount() const { return geometry_.FixedRowSetting(); }
  int GetFixedColumnCount() const { return geometry_.FixedColumnSetting(); }
  // Appends a column; a heading, when given, becomes the text of its cell in row 0. Returns the
  // new column's index.
  int InsertColumn(std::wstring_view heading = {}, int width = kDefaultColumnWidth);
  void SetColumnWidth(int column, int width);
  int GetColumnWidth(int column) const { return geometry_.ColumnWidth96(column); }

  std::wstring GetItemText(int row, int column);
  void SetItemText(int row, int column, std::wstring_view text);
  void SetItemBkColour(int row, int column, COLORREF colour);
  void SetItemFgColour(int row, int column, COLORREF colour);
  void RedrawCell(int row, int column);

  // While off, changes of counts, widths and scrolling only take note; turning it on lays the
  // grid out and repaints it once.
  void SetRedraw(bool redraw);

  // The colour around the cells.
  void SetBkColor(COLORREF colour);
  COLORREF GetBkColor() const { return outside_colour_; }
  // Face name, height (a negative height is the character height) and weight at 96 DPI.
  void SetFont(const wchar_t* face, int height, int weight);
  HFONT Font() const { return static_cast<HFONT>(font_.Get()); }

  // The selection: a rectangle of cells outside the fixed ones, or nothing.
  std::int64_t GetSelectedCount() const { return SelectedRange().Count(); }
  GridCellRange GetSelectedCellRange() const { return SelectedRange(); }
  // Selects the range cut to the cells that can be selected (nothing when none of it can).
  void SetSelectedRange(const GridCellRange& range);
  GridCell GetFocusCell() const { return focus_; }
  void SelectAll();

  // The scroll offsets of the cells that scroll, in pixels.
  POINT GetScrollPosition() const { return scroll_; }
  void SetScrollPosition(POINT position);
  // Scrolls until the cell shows whole (as far as the client area allows).
  void EnsureVisible(GridCell cell);
  // Wheel and keyboard scrolling moves in small steps over a few milliseconds; false: at once.
  void SetSmoothScrolling(bool smooth) { smooth_scrolling_ = smooth; }

  // The cell's rectangle in client coordinates (empty for a cell that does not exist).
  RECT GetCellRect(GridCell cell) const { return geometry_.CellRect(cell, scroll_); }
  GridCell GetCellAt(POINT client_point) const { return geometry_.CellAt(client_point, scroll_); }
  int RowHeight() const { return geometry_.RowHeight(); }
  // The title tip window while it shows, else null.
  HWND TitleTipWindow() const {
    return title_tip_.Hwnd() && IsWindowVisible(title_tip_.Hwnd()) ? title_tip_.Hwnd() : nullptr;
  }

  // Draws the cells meeting `area` (client coordinates) as the screen shows them.
  void Draw(HDC dc, const RECT& area);

 protected:
  // After the grid's own handling of the mouse: the cell is invalid outside the cells; the
  // point is in client coordinates.
  virtual void OnCellDoubleClick(GridCell cell, POINT point);
  virtual void OnCellRightButtonUp(GridCell cell, POINT point);
  virtual void OnGridFocus();

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool OnCreate(const CREATESTRUCTW& create) override;
  void OnSize(UINT type, int cx, int cy) override;
  bool OnPaint() override;
  bool OnEraseBackground(HDC) override { return true; }
  bool OnTimer(UINT_PTR id) override;
  bool OnSetFocus(HWND previous) override;

 private:
  struct CellOverride {
    std::wstring text;
    bool has_text = false;
    COLORREF background = kGridDefaultColour;
    COLORREF foreground = kGridDefaultColour;
  };
  static constexpr UINT_PTR kSmoothScrollTimer = 1;
  static constexpr UINT_PTR kAutoScrollTimer = 2;
  // Posted after scrolling: the scroll bars catch up with the cells.
  static constexpr UINT kScrollBarsMessage = WM_USER + 1;

  // What a scroll bar was last given, so unchanged bars are not set (and drawn) again.
  struct ScrollBarState {
    int max = -1;
    int page = -1;
    int position = -1;
    bool operator==(const ScrollBarState&) const = default;
  };

  // How a drag with the left button extends the selection.
  enum class DragMode { kNone, kCells, kRows, kColumns, kColumnWidth };

  static std::uint64_t Key(int row, int column) {
    return (std::uint64_t{static_cast<std::uint32_t>(row)} << 32) |
           static_cast<std::uint32_t>(column);
  }
  std::wstring_view CellText(int row, int column);
  COLORREF CellBackground(int row, int column);
  COLORREF CellForeground(int row, int column);
  void NotifyParent(UINT code, GridCell cell, POINT point);

  // Layout and scrolling (grid_ctrl_scroll.cpp).
  SIZE ClientSize() const;
  void UpdateFontAndDpi();
  void Relayout();
  void UpdateScrollBars();
  void SetScrollBar(int bar, const ScrollBarState& state);
  void ScrollTo(POINT target, bool smooth);
  void ApplyScroll(POINT position);
  void StepSmoothScroll();
  void OnScrollBar(int bar, UINT code);
  void OnWheel(int delta, bool horizontal);

  // Selection (grid_ctrl_input.cpp).
  GridCellRange SelectableRange() const;
  GridCell ClampToSelectable(GridCell cell) const;
  GridCellRange SelectedRange() const;
  void Select(GridCell anchor, GridCell focus);
  void InvalidateSelectionChange(const GridCellRange& before);

  // Mouse and keyboard (grid_ctrl_input.cpp).
  void OnLeftButtonDown(POINT point, UINT keys);
  void OnLeftButtonDoubleClick(POINT point, UINT keys);
  void OnMouseMove(POINT point, UINT keys);
  void OnLeftButtonUp();
  void OnRightButtonDown(POINT point);
  void OnRightButtonUp(POINT point);
  void OnContextMenuKey();
  bool OnKeyDown(UINT key);
  void DragTo(POINT point);
  void AutoScrollTick();
  bool OverColumnBorder(POINT point, int* column) const;
  void UpdateTitleTip(POINT point);
  void HideTitleTip();

  // Drawing (grid_ctrl_paint.cpp).
  void DrawZone(HDC dc, const RECT& area, bool fixed_rows, bool fixed_columns);
  void DrawGridLines(HDC dc, const RECT& zone, const GridGeometry::Span& rows,
                     const GridGeometry::Span& columns, bool fixed_rows, bool fixed_columns);

  GridGeometry geometry_;
  GridCellSource* source_ = nullptr;
  std::unordered_map<std::uint64_t, CellOverride> overrides_;

  win::UniqueGdiObject font_;
  std::wstring font_face_ = L"MS Sans Serif";
  int font_height_ = -11;
  int font_weight_ = FW_NORMAL;
  int text_margin_ = 3;  // pixels at the current DPI, left of a text
  int text_top_ = 2;     // from the cell's top to the text's
  COLORREF outside_colour_;

  GridCell anchor_;
  GridCell focus_;
  bool has_focus_ = false;
  bool redraw_ = true;

  POINT scroll_{0, 0};
  POINT scroll_target_{0, 0};
  POINT scroll_start_{0, 0};
  ULONGLONG scroll_started_ms_ = 0;
  bool smooth_scrolling_ = true;
  bool scroll_animating_ = false;
  ScrollBarState vertical_bar_;
  ScrollBarState horizontal_bar_;
  bool scroll_bars_pending_ = false;
  int wheel_remainder_ = 0;
  int hwheel_remainder_ = 0;

  DragMode drag_ = DragMode::kNone;
  int resized_column_ = -1;
  int resize_grab_offset_ = 0;
  POINT last_drag_point_{0, 0};
  bool auto_scrolling_ = false;
  bool tracking_leave_ = false;

  GridTitleTip title_tip_;
  GridCell tip_cell_;
  std::unique_ptr<MemoryBitmap> buffer_;
};

}  // namespace ui
