// The window that shows a graph: it owns the TGraph, draws it into an off-screen bitmap of its
// client size and puts that on the screen with one blit, so a repaint never flickers. The bitmap
// is kept: a paint while nothing the graph shows has changed (an exposure, a dialog closed over
// it) is that one blit. Over the
// picture it keeps the selection frame and the point marker (inverted pixels), and it handles
// the mouse and the keys: readouts, the selection drawn, moved and resized, the zoom pop-up,
// Ctrl-drag panning, double clicks to the settings sheet, and the legend window. The trace cursor
// is drawn over the picture on the screen (graph_window_trace.cpp): a move puts back the kept
// pixels it covered and draws it anew, nothing else.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "graph/graph.h"
#include "graph/graph_interaction.h"
#include "graph/trace_cursor.h"
#include "ui/gdi_canvas.h"
#include "ui/invert_overlay.h"
#include "ui/memory_bitmap.h"
#include "ui/window.h"

namespace views {

class TGraphLegendDialog;

class GraphWindow : public ui::Window, public graph::TGraphObserver {
 public:
  static constexpr wchar_t kClassName[] = L"TGraph";
  static constexpr UINT kControlId = 20050310;

  GraphWindow();
  ~GraphWindow() override;
  bool Create(HWND parent, const RECT& rect);
  graph::TGraph& Graph() { return graph_; }
  const graph::TGraph& Graph() const { return graph_; }
  // Draws the graph as the screen shows it into any DC (the clipboard copy, a print page).
  void DrawInto(HDC dc, const RECT& rect, bool printer);
  // Milliseconds the last screen drawing took, from drawing into the bitmap to the blit.
  double LastDrawMilliseconds() const { return last_draw_ms_; }
  // Milliseconds of the last paint, and whether it only put the kept bitmap on the screen.
  double LastPaintMilliseconds() const { return last_paint_ms_; }
  bool LastPaintKept() const { return last_paint_kept_; }
  // The performance counter at the end of the last paint.
  LONGLONG LastPaintEnd() const { return last_paint_end_; }
  // Drawings of the whole graph into the kept bitmap since the window was made.
  int Drawings() const { return drawings_; }
  // Drawings told to the parent (kGraphDrawnMessage) that it has not yet taken.
  int UntakenDrawnNotices() const { return drawn_notices_; }
  void TakeDrawnNotice() { drawn_notices_ = drawn_notices_ > 0 ? drawn_notices_ - 1 : 0; }

  // The kept drawing no longer shows the graph (its data, axes, settings or look changed): the
  // next paint draws it again. Call it as soon as the graph changes, before any paint can come.
  void MarkStale() { stale_ = true; }
  bool IsStale() const { return stale_; }
  // Repaints at once and refreshes the legend.
  void RepaintNow();
  // Brings the legend to the top, or opens it.
  void ShowLegend();
  const TGraphLegendDialog* Legend() const { return legend_.get(); }
  // Shows the point marker on point `index` of the wave's plot (from the grid view).
  void MarkPoint(const TString& wave_name, std::int64_t index);
  // The settings sheet on its general page (axis_id -1) or on an axis's page.
  void OpenSettings(std::int32_t axis_id);

  // The trace cursor: toggled on at the pointer (or the middle of the time axis) and off; the
  // arrow keys step it on the wave nearest to it (true when a step was taken).
  void ToggleTraceCursor();
  bool TraceCursorOn() const { return trace_.has_value(); }
  const std::optional<graph::TTraceCursor>& TraceCursor() const { return trace_; }
  bool StepTraceCursor(std::int32_t direction);
  // What the screen shows of it, and the rectangles it covers there.
  const graph::TTracePicture& TracePicture() const { return trace_picture_; }
  const std::vector<TRect>& TraceOnScreen() const { return trace_on_screen_; }

  // From the view, which has the keyboard focus.
  void KeyDown(UINT key);
  void KeyUp();
  void FocusLost();

  bool HasSelection() const { return selection_active_; }
  const TRect& Selection() const { return rect_; }

  // TGraphObserver
  void GraphRebuilt(std::int32_t w) override;
  void GraphRescaled() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool OnPaint() override;
  bool OnEraseBackground(HDC) override { return true; }
  void OnSize(UINT type, int cx, int cy) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnDestroy() override;

 private:
  // Mouse and keys (graph_window_mouse.cpp).
  void OnMouseMove(std::int32_t x, std::int32_t y);
  void OnLeftDown(std::int32_t x, std::int32_t y, bool ctrl);
  void OnLeftUp();
  void OnRightDown(std::int32_t x, std::int32_t y);
  void OnDoubleClick(std::int32_t x, std::int32_t y);
  void OnCaptureLost();
  void ApplyZoom(UINT command);
  void ClearSelection();
  void SetCursorShape(graph::TSelectionCursor shape);

  // Screen (graph_window.cpp).
  // A bitmap of the client's size; a new one is stale.
  bool EnsureBuffer();
  // Draws the graph into the kept bitmap.
  void Redraw();
  // Redraws the readout strip into the bitmap and puts it on the screen.
  void ShowReadout();
  // Puts the bitmap (all of it, or a part) on the screen with the overlays over it.
  void Present(HDC screen, const RECT* part);
  // Brings the overlays on the screen up to date.
  void SyncOverlays();
  std::optional<TRect> WantedFrame() const;
  // Puts the kept pixels back where the trace cursor was and draws it where it is now
  // (graph_window_trace.cpp).
  void PresentTrace(HDC screen);
  void RepaintTrace();
  void RefreshLegend();

  graph::TGraph graph_;
  std::unique_ptr<ui::MemoryBitmap> buffer_;
  // Kept with the bitmap, so that its pens, brushes and fonts are made once, not per drawing.
  std::unique_ptr<ui::GdiCanvas> canvas_;
  double last_draw_ms_ = 0;
  double last_paint_ms_ = 0;
  bool last_paint_kept_ = false;
  LONGLONG last_paint_end_ = 0;
  int drawn_notices_ = 0;
  int drawings_ = 0;
  // The kept bitmap no longer shows the graph; and the language of its drawing.
  bool stale_ = true;
  int drawn_language_ = -1;
  ui::InvertOverlay overlay_;
  std::unique_ptr<TGraphLegendDialog> legend_;

  // The selection and the drag in progress.
  bool selection_active_ = false;
  bool selection_shown_ = true;  // false from losing the focus to the next drawing
  TRect rect_;
  TRect saved_;
  graph::TPoint anchor_;
  graph::TDragMode mode_ = graph::kDragNone;
  graph::TSideAxes pan_axes_;
  std::optional<TRect> marker_;
  HCURSOR cursor_ = nullptr;

  // The trace cursor: where it is, the pointer's row it was put at, the wave the arrow keys step
  // (empty: the nearest is found at the next key), and what of it is on the screen.
  std::optional<graph::TTraceCursor> trace_;
  std::int32_t trace_row_ = 0;
  TString trace_wave_;
  graph::TTracePicture trace_picture_;
  std::vector<TRect> trace_on_screen_;
};

}  // namespace views
