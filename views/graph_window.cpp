#include "views/graph_window.h"

#include "app_context/main_frame_link.h"
#include "dialogs/dialog.h"
#include "ui/gdi_canvas.h"
#include "ui/gdi_select.h"
#include "views/graph_sheet.h"
#include "views/graph_sheet_ids.h"
#include "views/graph_view_messages.h"
#include "views/legend_window.h"
#include "win/stopwatch.h"

namespace views {

namespace {

// WM_DPICHANGED_AFTERPARENT, sent by Windows 10 1607 and later; newer than the headers' target.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

}  // namespace

GraphWindow::GraphWindow() : cursor_(LoadCursorW(nullptr, IDC_ARROW)) { graph_.SetObserver(this); }

GraphWindow::~GraphWindow() = default;

bool GraphWindow::Create(HWND parent, const RECT& rect) {
  ui::RegisterWindowClass({.name = kClassName,
                           .style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS,
                           .background = GetSysColorBrush(COLOR_WINDOW)});
  return Window::Create({.class_name = kClassName,
                         .style = WS_CHILD | WS_VISIBLE,
                         .x = rect.left,
                         .y = rect.top,
                         .width = rect.right - rect.left,
                         .height = rect.bottom - rect.top,
                         .parent = parent,
                         .menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kControlId))});
}

void GraphWindow::DrawInto(HDC dc, const RECT& rect, bool printer) {
  graph_.SetLanguage(MainFrameLanguage());
  {
    ui::GdiCanvas canvas(dc, printer);
    graph_.Draw(canvas, {rect.left, rect.top, rect.right, rect.bottom});
    // A copy or a print page shows the trace cursor when it is on, at its time.
    if (trace_) {
      graph::TTracePicture picture;
      graph::BuildTracePicture(graph_, *trace_, canvas, picture);
      graph::DrawTracePicture(canvas, picture);
    }
  }
  // The axes now map values to that rectangle: the screen's layout comes back at once, so that
  // the mouse finds the axes where the kept bitmap shows them.
  if (buffer_ && canvas_) {
    Redraw();
  } else {
    MarkStale();
  }
}

void GraphWindow::Redraw() {
  graph_.Draw(*canvas_, {0, 0, buffer_->Width(), buffer_->Height()});
  ++drawings_;
  stale_ = false;
  drawn_language_ = graph_.Language();
}

bool GraphWindow::EnsureBuffer() {
  RECT client;
  GetClientRect(Hwnd(), &client);
  if (client.right <= 0 || client.bottom <= 0) return false;
  if (!buffer_ || buffer_->Width() != client.right || buffer_->Height() != client.bottom) {
    canvas_.reset();  // before the DC it draws on
    buffer_ = std::make_unique<ui::MemoryBitmap>(client.right, client.bottom);
    if (buffer_->Valid()) canvas_ = std::make_unique<ui::GdiCanvas>(*buffer_);
    stale_ = true;
  }
  return buffer_->Valid() && canvas_;
}

bool GraphWindow::OnPaint() {
  ui::PaintDc paint(Hwnd());
  if (!EnsureBuffer()) return true;
  const win::Stopwatch watch;
  // The texts of the drawing follow the program's language, which may have been switched since.
  graph_.SetLanguage(MainFrameLanguage());
  const bool draw = stale_ || drawn_language_ != graph_.Language();
  if (draw) {
    Redraw();
    // A drawing takes the point marker away and shows the selection again.
    marker_.reset();
    selection_shown_ = true;
    // The columns of the time axes may have changed (size, zoom, pan, period).
    if (PostMessageW(GetParent(Hwnd()), kGraphDrawnMessage, 0, 0)) ++drawn_notices_;
  }
  // The whole window is replaced, not only the part the system asked for, so that the overlays
  // on the screen stay known.
  ui::WindowDc screen(Hwnd());
  Present(screen.Get(), nullptr);
  last_paint_ms_ = watch.Milliseconds();
  LARGE_INTEGER end;
  QueryPerformanceCounter(&end);
  last_paint_end_ = end.QuadPart;
  last_paint_kept_ = !draw;
  if (draw) last_draw_ms_ = last_paint_ms_;
  return true;
}

void GraphWindow::Present(HDC screen, const RECT* part) {
  overlay_.Hide(screen);
  const RECT all{0, 0, buffer_->Width(), buffer_->Height()};
  const RECT& r = part ? *part : all;
  BitBlt(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, buffer_->Dc(), r.left, r.top,
         SRCCOPY);
  if (!part) trace_on_screen_.clear();  // all of it was just put back
  PresentTrace(screen);
  overlay_.Show(screen, WantedFrame(), marker_);
}

std::optional<TRect> GraphWindow::WantedFrame() const {
  if (mode_ != graph::kDragNone) return rect_;
  if (selection_active_ && selection_shown_) return rect_;
  return std::nullopt;
}

void GraphWindow::SyncOverlays() {
  if (!buffer_ || !IsWindowVisible(Hwnd())) return;
  ui::WindowDc screen(Hwnd());
  overlay_.Show(screen.Get(), WantedFrame(), marker_);
}

void GraphWindow::ShowReadout() {
  if (!buffer_ || !canvas_) return;
  const TRect all{0, 0, buffer_->Width(), buffer_->Height()};
  graph_.DrawReadout(*canvas_, all);
  const RECT strip{all.left + 2, all.bottom - 20, all.right - 2, all.bottom - 5};
  ui::WindowDc screen(Hwnd());
  Present(screen.Get(), &strip);
}

void GraphWindow::OnSize(UINT, int, int) {
  MarkStale();
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

void GraphWindow::RepaintNow() {
  MarkStale();
  InvalidateRect(Hwnd(), nullptr, FALSE);
  UpdateWindow(Hwnd());
  RefreshLegend();
}

void GraphWindow::RefreshLegend() {
  if (legend_ && legend_->Hwnd()) legend_->Refresh(graph_);
}

void GraphWindow::ShowLegend() {
  if (legend_ && legend_->Hwnd()) {
    ShowWindow(legend_->Hwnd(), SW_SHOWNORMAL);
    SetWindowPos(legend_->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(legend_->Hwnd());
    return;
  }
  legend_ = std::make_unique<TGraphLegendDialog>(Hwnd());
  if (!legend_->Open()) {
    legend_.reset();
    return;
  }
  legend_->Refresh(graph_);
}

void GraphWindow::MarkPoint(const TString& wave_name, std::int64_t index) {
  graph::TPoint centre;
  if (!graph::MarkedPoint(graph_, wave_name, index, centre)) return;
  marker_ = graph::PointMarkerRect(centre);
  SyncOverlays();
}

void GraphWindow::OpenSettings(std::int32_t axis_id) {
  TVarnelConfigSheet sheet(graph_.Settings(), Hwnd(), graph_.Name);
  if (axis_id >= 0) {
    sheet.RunOnAxis(axis_id);
  } else {
    sheet.Run();
  }
}

void GraphWindow::GraphRebuilt(std::int32_t w) {
  RepaintNow();
  // The view copies the user's changes into the document.
  PostMessageW(GetParent(Hwnd()), kStoreGraphSettingsMessage, static_cast<WPARAM>(w), 0);
}

void GraphWindow::GraphRescaled() {
  ClearSelection();
  RepaintNow();
}

void GraphWindow::OnDestroy() { legend_.reset(); }

LRESULT GraphWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const auto x = static_cast<std::int32_t>(static_cast<short>(LOWORD(lparam)));
  const auto y = static_cast<std::int32_t>(static_cast<short>(HIWORD(lparam)));
  switch (message) {
    case kGraphRepaintMessage:
      // Posted by the view's update: a paint that came first (a new window is shown) has drawn
      // the update already, and the picture would be drawn twice.
      if (stale_) {
        RepaintNow();
      } else {
        RefreshLegend();
      }
      return 0;
    case kStoreGraphSettingsMessage:
      graph_.Rebuild(static_cast<std::int32_t>(wparam));
      return 0;
    case dialogs::kDialogEndedMessage:
      if (wparam == IDD_GRAPH_LEGEND && legend_) {
        ShowWindow(legend_->Hwnd(), SW_HIDE);
        PostMessageW(Hwnd(), kDeleteLegendMessage, 0, 0);
      }
      return 0;
    case kDeleteLegendMessage:
      legend_.reset();
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_FONTCHANGE:
    case kDpiChangedAfterParent:
      // Fonts, their sizes and the screen's colours may be drawn differently now.
      MarkStale();
      InvalidateRect(Hwnd(), nullptr, FALSE);
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(x, y);
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftDown(x, y, (wparam & MK_CONTROL) != 0);
      return 0;
    case WM_LBUTTONUP:
      OnLeftUp();
      return 0;
    case WM_RBUTTONDOWN:
      OnRightDown(x, y);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick(x, y);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != Hwnd()) OnCaptureLost();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT) {
        SetCursor(cursor_);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

}  // namespace views
