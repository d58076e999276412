#include "views/view_printing.h"

#include "views/core/print_layout.h"
#include "views/graph_view.h"
#include "views/grid_view.h"

namespace views {

namespace {

// The graph prints as one page.
class GraphPages final : public Printable {
 public:
  explicit GraphPages(TVarnelGraphView& view) : view_(view) {}
  int BeginPrinting(HDC, const RECT&) override { return 1; }
  void PrintPage(HDC dc, const RECT& page, int) override { PrintGraphPage(view_, dc, page); }

 private:
  TVarnelGraphView& view_;
};

class GridPages final : public Printable {
 public:
  explicit GridPages(TVarnelGridView& view) : view_(view) {}
  bool CanPrint() const override { return view_.CanPrint(); }
  int BeginPrinting(HDC dc, const RECT&) override { return view_.BeginPrinting(dc); }
  void PrintPage(HDC dc, const RECT&, int page_number) override {
    view_.DrawPrintPage(dc, page_number);
  }
  void EndPrinting() override { view_.EndPrinting(); }

 private:
  TVarnelGridView& view_;
};

}  // namespace

std::unique_ptr<Printable> ViewPages(TVarnelView& view) {
  if (auto* graph = dynamic_cast<TVarnelGraphView*>(&view))
    return std::make_unique<GraphPages>(*graph);
  if (auto* grid = dynamic_cast<TVarnelGridView*>(&view)) return std::make_unique<GridPages>(*grid);
  return nullptr;
}

void PrintGraphPage(TVarnelGraphView& view, HDC dc, const RECT& page) {
  RECT client{};
  GetClientRect(view.Hwnd(), &client);
  const PrintSize extent =
      GraphPageExtent(client.right, client.bottom, page.right - page.left, page.bottom - page.top);
  if (extent.width <= 0 || extent.height <= 0) return;
  const int saved = SaveDC(dc);
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, client.right, client.bottom, nullptr);
  SetViewportExtEx(dc, extent.width, extent.height, nullptr);
  view.GraphPane().DrawInto(dc, client, true);
  RestoreDC(dc, saved);
}

}  // namespace views
