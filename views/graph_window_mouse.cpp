// The graph window's mouse and keys: readouts, the selection drawn, moved and resized, the zoom
// pop-up, Ctrl-drag panning, double clicks to the settings sheet, the trace cursor's moves and
// steps.
#include "platform/wide.h"
#include "app_context/main_frame_link.h"
#include "strings/resource_text.h"
#include "views/graph_window.h"
#include "win/handle.h"

namespace views {

namespace {

HCURSOR SystemCursor(graph::TSelectionCursor shape) {
  switch (shape) {
    case graph::TSelectionCursor::SizeNwse:
      return LoadCursorW(nullptr, IDC_SIZENWSE);
    case graph::TSelectionCursor::SizeNesw:
      return LoadCursorW(nullptr, IDC_SIZENESW);
    case graph::TSelectionCursor::SizeWe:
      return LoadCursorW(nullptr, IDC_SIZEWE);
    case graph::TSelectionCursor::SizeNs:
      return LoadCursorW(nullptr, IDC_SIZENS);
    case graph::TSelectionCursor::Hand:
      return LoadCursorW(nullptr, IDC_HAND);
    case graph::TSelectionCursor::Arrow:
      break;
  }
  return LoadCursorW(nullptr, IDC_ARROW);
}

}  // namespace

void GraphWindow::SetCursorShape(graph::TSelectionCursor shape) {
  cursor_ = SystemCursor(shape);
  POINT pointer;
  if (!GetCursorPos(&pointer)) return;
  if (WindowFromPoint(pointer) == Hwnd()) SetCursor(cursor_);
}

void GraphWindow::OnMouseMove(std::int32_t x, std::int32_t y) {
  graph_.SetLanguage(MainFrameLanguage());
  graph::AxisReadout(graph_, x, y, graph_.Readout);
  // The trace cursor follows the pointer; the readout's repaint below moves it on the screen.
  if (trace_) {
    graph::TraceCursorAt(graph_, x, *trace_);
    trace_row_ = y;
    trace_wave_ = TString();
  }
  if (mode_ != graph::kDragNone) {
    rect_ = graph::DraggedRect(mode_, saved_, anchor_, {x, y});
    ShowReadout();  // also puts the dragged frame on the screen
    return;
  }
  const graph::TNearestPoint nearest = graph::NearestPoint(graph_, x, y);
  if (nearest.plot) {
    graph::PointReadout(*nearest.plot, nearest.index, graph_.Readout);
    marker_ = graph::PointMarkerRect(nearest.pixel);
  } else {
    marker_.reset();
  }
  if (selection_active_) {
    SetCursorShape(graph::CursorForHitCode(graph::SelectionHitCode(rect_, x, y)));
  }
  ShowReadout();
}

void GraphWindow::OnLeftDown(std::int32_t x, std::int32_t y, bool ctrl) {
  // The view takes the keyboard, so that keys and the loss of the focus reach the graph.
  SetFocus(GetParent(Hwnd()));
  // The selection worked on from here is on the screen again, whatever took the focus before.
  selection_shown_ = true;
  if (selection_active_) {
    mode_ = graph::SelectionHitCode(rect_, x, y);
    if (mode_ == graph::kDragNone) {
      selection_active_ = false;
      rect_ = {x, y, x, y};
      mode_ = graph::kDragNew;
    }
  } else if (ctrl) {
    mode_ = graph::kDragPan;
    pan_axes_ = graph::BestAxes(graph_, {x, y, x, y});
    rect_ = graph::PanStartRect(graph_.PlotAreaRect(), pan_axes_);
  } else {
    mode_ = graph::kDragNew;
    rect_ = {x, y, x, y};
  }
  saved_ = rect_;
  anchor_ = {x, y};
  SetCapture(Hwnd());
  SyncOverlays();
}

void GraphWindow::OnLeftUp() {
  if (mode_ == graph::kDragNone) return;  // not a drag of ours (the end of a double click)
  const graph::TDragMode mode = mode_;
  mode_ = graph::kDragNone;  // before the capture goes, which would cancel the drag
  ReleaseCapture();
  SetCursorShape(graph::TSelectionCursor::Arrow);
  if (mode == graph::kDragPan) {
    graph::ApplyPan(pan_axes_, saved_, rect_);
    pan_axes_ = {};
    selection_active_ = false;
    RepaintNow();
    return;
  }
  selection_active_ = !graph::IsTooSmallForSelection(rect_);
  if (selection_active_) saved_ = rect_;
  SyncOverlays();
}

void GraphWindow::OnCaptureLost() {
  if (mode_ == graph::kDragNone) return;
  // The drag is abandoned: a resized or moved selection goes back to where it was.
  const bool was_new = mode_ == graph::kDragNew || mode_ == graph::kDragPan;
  mode_ = graph::kDragNone;
  pan_axes_ = {};
  if (was_new) {
    selection_active_ = false;
  } else {
    rect_ = saved_;
  }
  SetCursorShape(graph::TSelectionCursor::Arrow);
  SyncOverlays();
}

void GraphWindow::OnRightDown(std::int32_t x, std::int32_t y) {
  if (!selection_active_ || graph::SelectionHitCode(rect_, x, y) != graph::kDragMove) return;
  const graph::TSideAxes axes = graph::BestAxes(graph_, rect_);
  win::UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  int items = 0;
  for (const graph::TZoomMenuItem& item : graph::kZoomMenu) {
    if (!graph::ZoomCommandOffered(item.command, axes)) continue;
    AppendMenuW(menu.Get(), MF_STRING, static_cast<UINT_PTR>(item.command),
                platform::W(RString(item.textId, graph_.Language())));
    ++items;
  }
  if (items > 0) {
    POINT at{x, y};
    ClientToScreen(Hwnd(), &at);
    // The chosen command comes back as WM_COMMAND.
    TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                   Hwnd(), nullptr);
  }
  SetCursorShape(graph::TSelectionCursor::Arrow);
}

bool GraphWindow::OnCommand(UINT id, UINT, HWND) {
  if (id < graph::kZoomExpand || id > graph::kZoomShrinkVertical) return false;
  ApplyZoom(id);
  return true;
}

void GraphWindow::ApplyZoom(UINT command) {
  if (!selection_active_ || rect_.right == rect_.left || rect_.bottom == rect_.top) return;
  if (!graph::ApplyZoomCommand(static_cast<std::int32_t>(command), graph::BestAxes(graph_, rect_),
                               rect_)) {
    return;
  }
  ClearSelection();
  RepaintNow();
}

void GraphWindow::ClearSelection() {
  selection_active_ = false;
  SyncOverlays();
}

void GraphWindow::OnDoubleClick(std::int32_t x, std::int32_t y) {
  const graph::TSettingsTarget target = graph::DoubleClickTarget(graph_, x, y);
  if (target.open) OpenSettings(target.axisId);
}

void GraphWindow::KeyDown(UINT key) {
  if (GetKeyState(VK_CONTROL) < 0) SetCursorShape(graph::TSelectionCursor::Hand);
  if (key == VK_LEFT || key == VK_RIGHT) StepTraceCursor(key == VK_RIGHT ? 1 : -1);
}

void GraphWindow::KeyUp() { SetCursorShape(graph::TSelectionCursor::Arrow); }

void GraphWindow::FocusLost() {
  selection_shown_ = false;
  SyncOverlays();
}

}  // namespace views
