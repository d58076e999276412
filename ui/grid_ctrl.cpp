#include "ui/grid_ctrl.h"

#include <algorithm>

#include "text/assert_report.h"
#include "ui/dpi.h"
#include "ui/gdi_select.h"

namespace ui {

namespace {

// Sent to child windows after their top-level window moved to a monitor of another DPI.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

}  // namespace

TGridCtrl::TGridCtrl() : outside_colour_(GetSysColor(COLOR_APPWORKSPACE)) {
  geometry_.SetFixedRowCount(1);
  geometry_.SetFixedColumnCount(1);
  BOOL animate = TRUE;
  if (SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animate, 0))
    smooth_scrolling_ = animate;
}

TGridCtrl::~TGridCtrl() {
  // The title tip is owned by this window: it goes first.
  title_tip_.Hide();
}

bool TGridCtrl::Create(HWND parent, UINT id, const RECT& rect) {
  RegisterWindowClass({.name = kClassName, .style = CS_DBLCLKS});
  return Window::Create(
      {.class_name = kClassName,
       .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN,
       .x = rect.left,
       .y = rect.top,
       .width = rect.right - rect.left,
       .height = rect.bottom - rect.top,
       .parent = parent,
       .menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))});
}

bool TGridCtrl::OnCreate(const CREATESTRUCTW&) {
  UpdateFontAndDpi();
  Relayout();
  return true;
}

void TGridCtrl::SetCellSource(GridCellSource* source) {
  source_ = source;
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void TGridCtrl::DeleteAllItems() {
  overrides_.clear();
  geometry_.SetRowCount(0);
  geometry_.SetColumnCount(0, kDefaultColumnWidth);
  anchor_ = focus_ = {};
  scroll_ = scroll_target_ = {0, 0};
  scroll_animating_ = false;
  HideTitleTip();
  Relayout();
}

void TGridCtrl::SetRowCount(int rows) {
  AssertReport(u"Grid row count out of range", "GridCtrl",
               geometry_.SetRowCount(rows) && rows >= 0);
  Relayout();
}

void TGridCtrl::SetColumnCount(int columns) {
  geometry_.SetColumnCount(columns, kDefaultColumnWidth);
  Relayout();
}

void TGridCtrl::SetFixedRowCount(int rows) {
  geometry_.SetFixedRowCount(rows);
  Relayout();
}

void TGridCtrl::SetFixedColumnCount(int columns) {
  geometry_.SetFixedColumnCount(columns);
  Relayout();
}

int TGridCtrl::InsertColumn(std::wstring_view heading, int width) {
  const int column = geometry_.ColumnCount();
  geometry_.SetColumnCount(column + 1, width);
  if (!heading.empty()) SetItemText(0, column, heading);
  Relayout();
  return column;
}

void TGridCtrl::SetColumnWidth(int column, int width) {
  geometry_.SetColumnWidth(column, width);
  Relayout();
}

std::wstring TGridCtrl::GetItemText(int row, int column) {
  return std::wstring(CellText(row, column));
}

void TGridCtrl::SetItemText(int row, int column, std::wstring_view text) {
  if (row < 0 || column < 0) return;
  CellOverride& cell = overrides_[Key(row, column)];
  cell.text.assign(text);
  cell.has_text = true;
  RedrawCell(row, column);
}

void TGridCtrl::SetItemBkColour(int row, int column, COLORREF colour) {
  if (row < 0 || column < 0) return;
  overrides_[Key(row, column)].background = colour;
  RedrawCell(row, column);
}

void TGridCtrl::SetItemFgColour(int row, int column, COLORREF colour) {
  if (row < 0 || column < 0) return;
  overrides_[Key(row, column)].foreground = colour;
  RedrawCell(row, column);
}

void TGridCtrl::RedrawCell(int row, int column) {
  if (!Hwnd() || !redraw_) return;  // turning redraw on repaints everything
  const RECT rect = geometry_.CellRect({row, column}, scroll_);
  if (rect.right > rect.left) InvalidateRect(Hwnd(), &rect, FALSE);
}

void TGridCtrl::SetBkColor(COLORREF colour) {
  outside_colour_ = colour;
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void TGridCtrl::SetFont(const wchar_t* face, int height, int weight) {
  font_face_ = face ? face : L"";
  font_height_ = height;
  font_weight_ = weight;
  if (Hwnd()) {
    UpdateFontAndDpi();
    Relayout();
  }
}

std::wstring_view TGridCtrl::CellText(int row, int column) {
  if (row < 0 || column < 0 || row >= GetRowCount() || column >= GetColumnCount()) return {};
  if (!overrides_.empty()) {
    const auto found = overrides_.find(Key(row, column));
    if (found != overrides_.end() && found->second.has_text) return found->second.text;
  }
  return source_ ? source_->GridCellText(row, column) : std::wstring_view();
}

COLORREF TGridCtrl::CellBackground(int row, int column) {
  if (!overrides_.empty()) {
    const auto found = overrides_.find(Key(row, column));
    if (found != overrides_.end() && found->second.background != kGridDefaultColour) {
      return found->second.background;
    }
  }
  return source_ ? source_->GridCellBackground(row, column) : kGridDefaultColour;
}

COLORREF TGridCtrl::CellForeground(int row, int column) {
  if (!overrides_.empty()) {
    const auto found = overrides_.find(Key(row, column));
    if (found != overrides_.end() && found->second.foreground != kGridDefaultColour) {
      return found->second.foreground;
    }
  }
  return source_ ? source_->GridCellTextColour(row, column) : kGridDefaultColour;
}

void TGridCtrl::UpdateFontAndDpi() {
  const int dpi = WindowDpi(Hwnd());
  geometry_.SetDpi(dpi);
  LOGFONTW font{};
  font.lfHeight = MulDiv(font_height_, dpi, 96);
  font.lfWeight = font_weight_;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, font_face_.c_str(), LF_FACESIZE);
  font_.Reset(CreateFontIndirectW(&font));
  AssertReport(u"Grid font could not be created", "GridCtrl", static_cast<bool>(font_));

  TEXTMETRICW metrics{};
  {
    WindowDc dc(Hwnd());
    SelectGuard select(dc.Get(), font_ ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsW(dc.Get(), &metrics);
  }
  const int padding = MulDiv(2, dpi, 96);
  text_margin_ = MulDiv(3, dpi, 96);
  text_top_ = padding;
  // The bottom grid line takes one pixel of the row.
  geometry_.SetRowHeight(metrics.tmHeight + metrics.tmExternalLeading + 2 * padding + 1);
}

void TGridCtrl::NotifyParent(UINT code, GridCell cell, POINT point) {
  HWND parent = GetParent(Hwnd());
  if (!parent) return;
  GridNotify notify{};
  notify.header.hwndFrom = Hwnd();
  notify.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(Hwnd()));
  notify.header.code = code;
  notify.cell = cell;
  notify.point = point;
  SendMessageW(parent, WM_NOTIFY, notify.header.idFrom, reinterpret_cast<LPARAM>(&notify));
}

void TGridCtrl::OnCellDoubleClick(GridCell cell, POINT point) {
  NotifyParent(NM_DBLCLK, cell, point);
}

void TGridCtrl::OnCellRightButtonUp(GridCell cell, POINT point) {
  NotifyParent(NM_RCLICK, cell, point);
}

void TGridCtrl::OnGridFocus() { NotifyParent(NM_SETFOCUS, focus_, {0, 0}); }

bool TGridCtrl::OnSetFocus(HWND) {
  has_focus_ = true;
  InvalidateRect(Hwnd(), nullptr, FALSE);  // the selection shows in its focused colours
  OnGridFocus();
  return true;
}

LRESULT TGridCtrl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  switch (message) {
    case WM_KILLFOCUS:
      has_focus_ = false;
      HideTitleTip();
      InvalidateRect(Hwnd(), nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(point, static_cast<UINT>(wparam));
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLeftButtonDoubleClick(point, static_cast<UINT>(wparam));
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp();
      return 0;
    case WM_CAPTURECHANGED:
      drag_ = DragMode::kNone;
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(point, static_cast<UINT>(wparam));
      return 0;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      HideTitleTip();
      return 0;
    case WM_RBUTTONDOWN:
      OnRightButtonDown(point);
      return 0;
    case WM_RBUTTONUP:
      OnRightButtonUp(point);
      return 0;
    case WM_CONTEXTMENU:
      if (lparam == -1) {  // from the keyboard
        OnContextMenuKey();
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT) {
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(Hwnd(), &cursor);
        SetCursor(LoadCursorW(nullptr,
                              drag_ == DragMode::kColumnWidth || OverColumnBorder(cursor, nullptr)
                                  ? IDC_SIZEWE
                                  : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_MOUSEWHEEL:
      OnWheel(static_cast<short>(HIWORD(wparam)), (LOWORD(wparam) & MK_SHIFT) != 0);
      return 0;
    case WM_MOUSEHWHEEL:
      OnWheel(-static_cast<short>(HIWORD(wparam)), true);
      return 0;
    case WM_VSCROLL:
      OnScrollBar(SB_VERT, LOWORD(wparam));
      return 0;
    case WM_HSCROLL:
      OnScrollBar(SB_HORZ, LOWORD(wparam));
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(static_cast<UINT>(wparam))) return 0;
      break;
    case kScrollBarsMessage:
      UpdateScrollBars();
      return 0;
    case kDpiChangedAfterParent:
      UpdateFontAndDpi();
      Relayout();
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

}  // namespace ui
