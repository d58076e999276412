// Drawing the grid: the visible cells only, zone by zone (the scrolled cells first, then the
// fixed column, the fixed rows and their corner on top), each cell with one ExtTextOut that fills
// its background and clips its text, into an off-screen bitmap that one blit puts on the screen.
#include <algorithm>

#include "ui/gdi_select.h"
#include "ui/grid_ctrl.h"

namespace ui {

namespace {

constexpr COLORREF kGridLineColour = RGB(192, 192, 192);

// `part` percent of b over a.
COLORREF Blend(COLORREF a, COLORREF b, int part) {
  const auto mix = [part](int x, int y) { return (x * (100 - part) + y * part) / 100; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// A filled rectangle clipped to `clip`, in the colour the DC's background colour holds.
void Fill(HDC dc, const RECT& rect, const RECT& clip) {
  const RECT r = Intersect(rect, clip);
  if (!IsEmpty(r)) ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// Sets the DC's colours only when they change: most neighbouring cells share them.
class DcColours {
 public:
  explicit DcColours(HDC dc) : dc_(dc) {}
  void Set(COLORREF background, COLORREF text) {
    if (background != background_) SetBkColor(dc_, background_ = background);
    if (text != text_) SetTextColor(dc_, text_ = text);
  }

 private:
  HDC dc_;
  COLORREF background_ = CLR_INVALID;
  COLORREF text_ = CLR_INVALID;
};

}  // namespace

bool TGridCtrl::OnPaint() {
  PaintDc paint(Hwnd());
  const RECT dirty = paint.Dirty();
  const SIZE client = ClientSize();
  if (client.cx <= 0 || client.cy <= 0 || IsEmpty(dirty)) return true;
  if (!buffer_ || buffer_->Width() != client.cx || buffer_->Height() != client.cy) {
    buffer_ = std::make_unique<MemoryBitmap>(client.cx, client.cy);
  }
  if (!buffer_->Valid()) {
    Draw(paint.Get(), dirty);
    return true;
  }
  Draw(buffer_->Dc(), dirty);
  BitBlt(paint.Get(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top,
         buffer_->Dc(), dirty.left, dirty.top, SRCCOPY);
  return true;
}

void TGridCtrl::Draw(HDC dc, const RECT& area) {
  SelectGuard font(dc, font_ ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkColor(dc, outside_colour_);
  Fill(dc, area, area);
  DrawZone(dc, area, false, false);
  DrawZone(dc, area, false, true);
  DrawZone(dc, area, true, false);
  DrawZone(dc, area, true, true);
}

void TGridCtrl::DrawZone(HDC dc, const RECT& area, bool fixed_rows, bool fixed_columns) {
  const SIZE client = ClientSize();
  const RECT zone{fixed_columns ? 0 : geometry_.FixedWidth(),
                  fixed_rows ? 0 : geometry_.FixedHeight(),
                  fixed_columns ? geometry_.FixedWidth() : std::max<int>(client.cx, area.right),
                  fixed_rows ? geometry_.FixedHeight() : std::max<int>(client.cy, area.bottom)};
  const RECT clip = Intersect(zone, area);
  if (IsEmpty(clip)) return;
  const GridGeometry::Span rows = geometry_.RowsIn(clip.top, clip.bottom, scroll_, fixed_rows);
  const GridGeometry::Span columns =
      geometry_.ColumnsIn(clip.left, clip.right, scroll_, fixed_columns);
  if (rows.IsEmpty() || columns.IsEmpty()) return;

  const bool fixed = fixed_rows || fixed_columns;
  const GridCellRange selected = SelectedRange();
  const COLORREF face = GetSysColor(fixed ? COLOR_BTNFACE : COLOR_WINDOW);
  const COLORREF ink = GetSysColor(fixed ? COLOR_BTNTEXT : COLOR_WINDOWTEXT);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF highlight_ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  DcColours colours(dc);
  for (int row = rows.first; row <= rows.last; ++row) {
    for (int column = columns.first; column <= columns.last; ++column) {
      const RECT cell = geometry_.CellRect({row, column}, scroll_);
      const RECT inner{cell.left, cell.top, cell.right - 1, cell.bottom - 1};
      const RECT drawn = Intersect(inner, clip);
      if (IsEmpty(drawn)) continue;
      const COLORREF own = CellBackground(row, column);
      COLORREF background = own == kGridDefaultColour ? face : own;
      const COLORREF own_ink = CellForeground(row, column);
      COLORREF text_colour = own_ink == kGridDefaultColour ? ink : own_ink;
      if (!fixed && selected.Contains({row, column})) {
        if (has_focus_) {
          background = highlight;
          text_colour = highlight_ink;
        } else {
          background = Blend(background, highlight, 35);
        }
      } else if (fixed && selected.IsValid()) {
        // The headings of selected rows and columns are shaded.
        const bool marks_row =
            fixed_columns && !fixed_rows && row >= selected.min_row && row <= selected.max_row;
        const bool marks_column = fixed_rows && !fixed_columns && column >= selected.min_column &&
                                  column <= selected.max_column;
        if (marks_row || marks_column) background = Blend(background, shadow, 30);
      }
      colours.Set(background, text_colour);
      const std::wstring_view text = CellText(row, column);
      ExtTextOutW(dc, cell.left + text_margin_, cell.top + text_top_, ETO_OPAQUE | ETO_CLIPPED,
                  &drawn, text.data(), static_cast<UINT>(text.size()), nullptr);
    }
  }
  DrawGridLines(dc, clip, rows, columns, fixed_rows, fixed_columns);

  if (!fixed && has_focus_ && focus_.IsValid() && focus_.row >= rows.first &&
      focus_.row <= rows.last && focus_.column >= columns.first && focus_.column <= columns.last) {
    const RECT cell = geometry_.CellRect(focus_, scroll_);
    ::SetBkColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    Fill(dc, {cell.left, cell.top, cell.right - 1, cell.top + 1}, clip);
    Fill(dc, {cell.left, cell.bottom - 2, cell.right - 1, cell.bottom - 1}, clip);
    Fill(dc, {cell.left, cell.top, cell.left + 1, cell.bottom - 1}, clip);
    Fill(dc, {cell.right - 2, cell.top, cell.right - 1, cell.bottom - 1}, clip);
  }
}

void TGridCtrl::DrawGridLines(HDC dc, const RECT& clip, const GridGeometry::Span& rows,
                              const GridGeometry::Span& columns, bool fixed_rows,
                              bool fixed_columns) {
  const bool fixed = fixed_rows || fixed_columns;
  ::SetBkColor(dc, fixed ? GetSysColor(COLOR_BTNSHADOW) : kGridLineColour);
  const RECT first = geometry_.CellRect({rows.first, columns.first}, scroll_);
  const RECT last = geometry_.CellRect({rows.last, columns.last}, scroll_);
  for (int row = rows.first; row <= rows.last; ++row) {
    const int bottom = geometry_.CellRect({row, columns.first}, scroll_).bottom;
    Fill(dc, {first.left, bottom - 1, last.right, bottom}, clip);
  }
  for (int column = columns.first; column <= columns.last; ++column) {
    const int right = geometry_.CellRect({rows.first, column}, scroll_).right;
    Fill(dc, {right - 1, first.top, right, last.bottom}, clip);
  }
}

}  // namespace ui
