// The window that shows a graph: it owns the TGraph, draws it into an off-screen bitmap of its
// client size and puts that on the screen with one blit, so a repaint never flickers.
#pragma once

#include <memory>

#include "graph/graph.h"
#include "ui/memory_bitmap.h"
#include "ui/window.h"

namespace views {

// Repaint at once and refresh the legend (posted by the view after an update).
inline constexpr UINT kGraphRepaintMessage = WM_USER + 14;

class GraphWindow : public ui::Window, public graph::TGraphObserver {
 public:
  static constexpr wchar_t kClassName[] = L"VarnelGraph";

  GraphWindow();
  bool Create(HWND parent, const RECT& rect);
  graph::TGraph& Graph() { return graph_; }
  // Draws the graph as the screen shows it into any DC (the clipboard copy, a print page).
  void DrawInto(HDC dc, const RECT& rect, bool printer);
  // Milliseconds the last screen drawing took (for the start-up and open measurements).
  double LastDrawMilliseconds() const { return last_draw_ms_; }

  // TGraphObserver
  void GraphRebuilt(std::int32_t w) override;
  void GraphRescaled() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool OnPaint() override;
  bool OnEraseBackground(HDC) override { return true; }
  void OnSize(UINT type, int cx, int cy) override;

 private:
  graph::TGraph graph_;
  std::unique_ptr<ui::MemoryBitmap> buffer_;
  double last_draw_ms_ = 0;
};

}  // namespace views
