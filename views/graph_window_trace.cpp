// The graph window's trace cursor: toggled, moved with the pointer, stepped with the arrow keys,
// and kept on the screen over the kept picture. A move puts back only the pixels the cursor
// covered, from the kept bitmap, and draws it where it is now.
#include "app_context/main_frame_link.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "ui/gdi_canvas.h"
#include "ui/gdi_select.h"
#include "views/graph_window.h"

namespace views {

void GraphWindow::ToggleTraceCursor() {
  if (trace_) {
    trace_.reset();
    trace_wave_ = TString();
    LogMessage(kTypeOther, kLevelInfo, u"CmGraphTraceCursor: off");
  } else {
    // At the pointer when it is over the graph, else in the middle of the plot area.
    const TRect& area = graph_.PlotAreaRect();
    POINT pointer{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    POINT at{};
    RECT client{};
    if (GetCursorPos(&at) && ScreenToClient(Hwnd(), &at) && GetClientRect(Hwnd(), &client) &&
        PtInRect(&client, at)) {
      pointer = at;
    }
    trace_.emplace();
    graph::TraceCursorAt(graph_, pointer.x, *trace_);
    trace_row_ = pointer.y;
    LogMessage(kTypeOther, kLevelInfo, u"CmGraphTraceCursor: on");
  }
  RepaintTrace();
}

bool GraphWindow::StepTraceCursor(std::int32_t direction) {
  if (!trace_) return false;
  const graph::TPlot* plot = trace_wave_.Length() > 0 ? graph_.FindPlot(trace_wave_) : nullptr;
  if (!plot || plot->Hide) plot = graph::NearestTracedPlot(graph_, *trace_, trace_row_);
  if (!plot) return false;
  // The keys keep to this wave until the pointer moves the cursor again.
  trace_wave_ = plot->Name;
  if (!graph::StepTraceCursor(graph_, *plot, direction, *trace_)) return false;
  RepaintTrace();
  return true;
}

void GraphWindow::PresentTrace(HDC screen) {
  for (const TRect& r : trace_on_screen_) {
    BitBlt(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, buffer_->Dc(), r.left, r.top,
           SRCCOPY);
  }
  trace_on_screen_.clear();
  if (!trace_) {
    trace_picture_ = {};
    return;
  }
  graph_.SetLanguage(MainFrameLanguage());
  ui::GdiCanvas canvas(screen, false);
  graph::BuildTracePicture(graph_, *trace_, canvas, trace_picture_);
  graph::DrawTracePicture(canvas, trace_picture_);
  trace_on_screen_ = trace_picture_.Covered();
}

void GraphWindow::RepaintTrace() {
  if (!buffer_ || !buffer_->Valid() || !IsWindowVisible(Hwnd())) return;
  // A kept bitmap that no longer shows the graph is drawn again first, by a paint.
  if (stale_) {
    InvalidateRect(Hwnd(), nullptr, FALSE);
    return;
  }
  ui::WindowDc screen(Hwnd());
  overlay_.Hide(screen.Get());
  PresentTrace(screen.Get());
  overlay_.Show(screen.Get(), WantedFrame(), marker_);
}

}  // namespace views
