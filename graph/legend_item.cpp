#include "graph/legend_item.h"

#include "graph/axis_settings.h"
#include "graph/plot_run.h"

namespace graph {

void LegendPrefix(const TPlotSettings& record, TString& prefix) {
  prefix.Clear();
  if (record.YLocation == -1) prefix.Append(u"\u25C4?\u25BA");
  if (record.XLocation == -1) prefix.Append(u"\u25B2?\u25BC");
  if (record.YLocation == kLeft) prefix.Append(u"\u25C4");
  if (record.XLocation == kBottom) prefix.Append(u"\u25BC");
  if (record.XLocation == kTop) prefix.Append(u"\u25B2");
  if (record.YLocation == kRight) prefix.Append(u"\u25BA");
}

void DrawLegendItem(TCanvas& dc, const TRect& item, bool selected, const TPlotSettings& record) {
  TCanvasStateGuard state(dc);
  const TColor black = Rgb(0, 0, 0);
  if (selected) {
    dc.FillRect({item.left, item.top, item.right, item.top + 1}, black);
    dc.FillRect({item.left, item.bottom - 1, item.right, item.bottom}, black);
    dc.FillRect({item.left, item.top, item.left + 1, item.bottom}, black);
    dc.FillRect({item.right - 1, item.top, item.right, item.bottom}, black);
  } else {
    dc.FillRect(item, Rgb(255, 255, 255));
  }
  dc.SetTransparentBackground(true);
  dc.SetFont(TFontSpec::Make(u"Arial", kLegendFontTenths, 0, black));

  const TRect r{item.left + 1, item.top + 1, item.right - 1, item.bottom - 1};
  TString text;
  LegendPrefix(record, text);
  text.Append(u" ");
  text.Append(record.Name);
  dc.SetTextAlign(THAlign::Left, TVAlign::Top);
  dc.PutText(r.left + 43, r.top, text.Str(), text.Length());

  constexpr std::int32_t d = 40;
  dc.FillRect({r.left, r.top, r.left + d, r.bottom}, black);
  const TPoint zigzag[4] = {{r.left + d / 8, r.bottom - 4},
                            {r.left + d / 8 + d / 4, r.top + 4},
                            {r.left + d / 8 + 2 * d / 4, r.bottom - 6},
                            {r.left + d / 8 + 3 * d / 4, r.top + 6}};
  TRunFrame frame;
  frame.left = r.left;
  frame.top = r.top;
  frame.right = r.left + d;
  frame.bottom = r.bottom;
  frame.zero = r.bottom - 1;
  frame.startX = r.left;
  frame.plotCount = 4;
  DrawRunLines(dc, record, frame, zigzag, 4, 4);
  DrawRunMarkers(dc, record, zigzag, 4, nullptr);
}

}  // namespace graph
