#include "views/graph_marker_list.h"

#include "graph/plot_run.h"
#include "text/assert_report.h"
#include "ui/combo_box.h"
#include "ui/gdi_canvas.h"

namespace views {

namespace {

constexpr const wchar_t* kShapeNames[TMarkerDropList::kShapes] = {
    L"cNoMarker",           L"cStarMarker",
    L"cPlusMarker",         L"cCrossMarker",
    L"cSquareMarker",       L"cSquareFilledMarker",
    L"cCircleMarker",       L"cCircleFilledMarker",
    L"cUpTriangleMarker",   L"cUpTriangleFilledMarker",
    L"cDownTriangleMarker", L"cDownTriangleFilledMarker"};

}  // namespace

void TMarkerDropList::Attach(HWND combo) {
  combo_ = combo;
  SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
  for (int shape = 0; shape < kShapes; ++shape) ui::AddComboItem(combo_, kShapeNames[shape], shape);
}

void TMarkerDropList::SetLook(const graph::TPlotSettings& look) {
  for (int shape = 0; shape < kShapes; ++shape) {
    records_[shape] = look;
    records_[shape]->MarkerShape = shape;
  }
  ui::SelectComboData(combo_, look.MarkerShape);
  InvalidateRect(combo_, nullptr, TRUE);
}

std::int32_t TMarkerDropList::SelectedShape(std::int32_t none) const {
  const LPARAM data = ui::SelectedComboData(combo_, -1);
  if (data < 0 || data >= kShapes || !records_[data]) return none;
  return records_[data]->MarkerShape;
}

void TMarkerDropList::DrawItem(const DRAWITEMSTRUCT& item) const {
  const RECT& r = item.rcItem;
  const TRect rect{r.left, r.top, r.right, r.bottom};
  ui::GdiCanvas canvas(item.hDC, false);
  canvas.FillRect(rect, graph::Rgb(255, 255, 255));
  if (item.itemID == static_cast<UINT>(-1)) return;
  const auto data = static_cast<LONG_PTR>(item.itemData);
  if (data == -1) return;
  if (data < 0 || data >= kShapes || !records_[data]) {
    AssertReport(u"No Wave configuration received by TMarkerDropList::DrawItem", "PlotConfigPage",
                 false);
    return;
  }
  if (item.itemState & ODS_SELECTED) {
    const graph::TColor black = graph::Rgb(0, 0, 0);
    canvas.FillRect({rect.left, rect.top, rect.right, rect.top + 1}, black);
    canvas.FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, black);
    canvas.FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, black);
    canvas.FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, black);
  }
  const graph::TPoint centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  graph::DrawRunMarkers(canvas, *records_[data], &centre, 1, nullptr);
}

}  // namespace views
