// The grid's layout and scrolling: scroll bars, pixel offsets, the wheel, and the short
// animation that moves wheel and keyboard scrolling in steps.
#include <algorithm>

#include "ui/grid_ctrl.h"
#include "ui/scroll_request.h"

namespace ui {

namespace {

constexpr UINT kSmoothScrollStepMs = 10;
constexpr ULONGLONG kSmoothScrollMs = 90;

int Lerp(int from, int to, double fraction) {
  return from + static_cast<int>((to - from) * fraction + (to >= from ? 0.5 : -0.5));
}

}  // namespace

SIZE TGridCtrl::ClientSize() const {
  RECT client{};
  if (Hwnd()) GetClientRect(Hwnd(), &client);
  return {client.right, client.bottom};
}

void TGridCtrl::OnSize(UINT, int, int) { Relayout(); }

void TGridCtrl::SetRedraw(bool redraw) {
  redraw_ = redraw;
  if (redraw_) Relayout();
}

void TGridCtrl::Relayout() {
  if (!Hwnd() || !redraw_) return;
  HideTitleTip();
  // The selection keeps to the cells that are left.
  const GridCellRange selectable = SelectableRange();
  if (!selectable.IsValid()) {
    anchor_ = focus_ = {};
  } else if (anchor_.IsValid()) {
    anchor_ = ClampToSelectable(anchor_);
    focus_ = ClampToSelectable(focus_);
  }
  scroll_ = geometry_.ClampScroll(scroll_, ClientSize());
  scroll_target_ = geometry_.ClampScroll(scroll_target_, ClientSize());
  UpdateScrollBars();
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

void TGridCtrl::UpdateScrollBars() {
  scroll_bars_pending_ = false;
  const SIZE client = ClientSize();
  SetScrollBar(SB_VERT, {std::max(0, geometry_.ScrollableHeight() - 1),
                         std::max(0, static_cast<int>(client.cy) - geometry_.FixedHeight()),
                         static_cast<int>(scroll_.y)});
  SetScrollBar(SB_HORZ, {std::max(0, geometry_.ScrollableWidth() - 1),
                         std::max(0, static_cast<int>(client.cx) - geometry_.FixedWidth()),
                         static_cast<int>(scroll_.x)});
}

void TGridCtrl::SetScrollBar(int bar, const ScrollBarState& state) {
  ScrollBarState& shown = bar == SB_VERT ? vertical_bar_ : horizontal_bar_;
  if (state == shown) return;
  shown = state;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  // The bars stay (greyed when there is nothing to scroll), so the client area never changes
  // size with the number of rows.
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMax = state.max;
  info.nPage = static_cast<UINT>(state.page);
  info.nPos = state.position;
  SetScrollInfo(Hwnd(), bar, &info, TRUE);
}

void TGridCtrl::SetScrollPosition(POINT position) { ScrollTo(position, false); }

void TGridCtrl::EnsureVisible(GridCell cell) {
  if (!Hwnd()) return;
  const RECT rect = geometry_.CellRect(cell, scroll_target_);
  if (rect.right <= rect.left) return;
  const SIZE client = ClientSize();
  POINT target = scroll_target_;
  if (cell.row >= geometry_.FixedRows()) {
    if (rect.bottom > client.cy) target.y += rect.bottom - client.cy;
    if (rect.top - (target.y - scroll_target_.y) < geometry_.FixedHeight()) {
      target.y = scroll_target_.y - (geometry_.FixedHeight() - rect.top);
    }
  }
  if (cell.column >= geometry_.FixedColumns()) {
    if (rect.right > client.cx) target.x += rect.right - client.cx;
    if (rect.left - (target.x - scroll_target_.x) < geometry_.FixedWidth()) {
      target.x = scroll_target_.x - (geometry_.FixedWidth() - rect.left);
    }
  }
  if (target.x != scroll_target_.x || target.y != scroll_target_.y) ScrollTo(target, true);
}

void TGridCtrl::ScrollTo(POINT target, bool smooth) {
  if (!Hwnd()) return;
  target = geometry_.ClampScroll(target, ClientSize());
  scroll_target_ = target;
  if (!smooth || !smooth_scrolling_) {
    if (scroll_animating_) KillTimer(Hwnd(), kSmoothScrollTimer);
    scroll_animating_ = false;
    ApplyScroll(target);
    return;
  }
  scroll_start_ = scroll_;
  scroll_started_ms_ = GetTickCount64();
  if (!scroll_animating_) SetTimer(Hwnd(), kSmoothScrollTimer, kSmoothScrollStepMs, nullptr);
  scroll_animating_ = true;
  StepSmoothScroll();
}

void TGridCtrl::StepSmoothScroll() {
  const double fraction =
      std::min(1.0, static_cast<double>(GetTickCount64() - scroll_started_ms_) / kSmoothScrollMs);
  // Fast at first, slowing down towards the target.
  const double eased = 1.0 - (1.0 - fraction) * (1.0 - fraction);
  ApplyScroll({Lerp(scroll_start_.x, scroll_target_.x, eased),
               Lerp(scroll_start_.y, scroll_target_.y, eased)});
  if (fraction >= 1.0) {
    KillTimer(Hwnd(), kSmoothScrollTimer);
    scroll_animating_ = false;
  }
}

void TGridCtrl::ApplyScroll(POINT position) {
  if (!redraw_) {
    scroll_ = position;  // clamped when the grid is laid out again
    return;
  }
  position = geometry_.ClampScroll(position, ClientSize());
  const int dx = scroll_.x - position.x;
  const int dy = scroll_.y - position.y;
  if (dx == 0 && dy == 0) return;
  HideTitleTip();
  scroll_ = position;
  const SIZE client = ClientSize();
  if (dx != 0 && dy != 0) {
    InvalidateRect(Hwnd(), nullptr, FALSE);
  } else if (dy != 0) {
    // The fixed column moves with the rows; the fixed rows stay.
    const RECT moving{0, geometry_.FixedHeight(), client.cx, client.cy};
    ScrollWindowEx(Hwnd(), 0, dy, &moving, &moving, nullptr, nullptr, SW_INVALIDATE);
  } else {
    const RECT moving{geometry_.FixedWidth(), 0, client.cx, client.cy};
    ScrollWindowEx(Hwnd(), dx, 0, &moving, &moving, nullptr, nullptr, SW_INVALIDATE);
  }
  UpdateWindow(Hwnd());
  // Drawing a scroll bar costs more than a page of cells under some systems: the bars follow
  // once the messages waiting now are handled, so a burst of scrolling moves them once.
  if (!scroll_bars_pending_) {
    scroll_bars_pending_ = PostMessageW(Hwnd(), kScrollBarsMessage, 0, 0) != FALSE;
    if (!scroll_bars_pending_) UpdateScrollBars();
  }
}

void TGridCtrl::OnScrollBar(int bar, UINT code) {
  const bool vertical = bar == SB_VERT;
  const SIZE client = ClientSize();
  const int line = vertical ? geometry_.RowHeight() : MulDiv(20, geometry_.Dpi(), 96);
  const int page = vertical ? geometry_.RowsPerPage(client.cy) * geometry_.RowHeight()
                            : std::max(line, static_cast<int>(client.cx) - geometry_.FixedWidth());
  POINT target = scroll_target_;
  LONG& position = vertical ? target.y : target.x;
  const std::optional<LONG> moved = ScrolledPosition(
      Hwnd(), bar, code, position,
      {.line = line,
       .page = page,
       .last = vertical ? geometry_.ScrollableHeight() : geometry_.ScrollableWidth()});
  if (!moved) return;
  position = *moved;
  ScrollTo(target, false);
}

void TGridCtrl::OnWheel(int delta, bool horizontal) {
  HideTitleTip();
  UINT lines = 3;
  SystemParametersInfoW(horizontal ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES, 0, &lines,
                        0);
  const SIZE client = ClientSize();
  const int unit = horizontal ? MulDiv(8, geometry_.Dpi(), 96) : geometry_.RowHeight();
  // A notch is WHEEL_DELTA; finer wheels send parts of one, which add up.
  int& remainder = horizontal ? hwheel_remainder_ : wheel_remainder_;
  remainder += delta;
  int pixels = 0;
  if (lines == WHEEL_PAGESCROLL) {
    const int page = horizontal ? static_cast<int>(client.cx) - geometry_.FixedWidth()
                                : geometry_.RowsPerPage(client.cy) * geometry_.RowHeight();
    pixels = MulDiv(remainder, std::max(1, page), WHEEL_DELTA);
    remainder -= MulDiv(pixels, WHEEL_DELTA, std::max(1, page));
  } else {
    const int per_notch = std::max(1, static_cast<int>(lines) * unit);
    pixels = MulDiv(remainder, per_notch, WHEEL_DELTA);
    remainder -= MulDiv(pixels, WHEEL_DELTA, per_notch);
  }
  if (pixels == 0) return;
  POINT target = scroll_target_;
  (horizontal ? target.x : target.y) -= pixels;
  ScrollTo(target, true);
}

bool TGridCtrl::OnTimer(UINT_PTR id) {
  if (id == kSmoothScrollTimer) {
    if (scroll_animating_) {
      StepSmoothScroll();
    } else {
      KillTimer(Hwnd(), id);
    }
    return true;
  }
  if (id == kAutoScrollTimer) {
    AutoScrollTick();
    return true;
  }
  return false;
}

}  // namespace ui
