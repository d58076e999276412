#include "graph/trace_cursor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <optional>

#include "graph/trace_lookup.h"

namespace graph {

namespace {

TAxis* FirstShown(const TAxisMap& side) {
  for (const auto& [id, axis] : side) {
    if (!axis->IsHidden()) return axis.get();
  }
  return nullptr;
}

bool Covers(const TAxis& axis, std::int32_t x) {
  return std::min(axis.X0(), axis.X1()) <= x && x <= std::max(axis.X0(), axis.X1());
}

// The moment a plot is asked about: the cursor's own time on the cursor's axis, else the time of
// the cursor's pixel column on the plot's axis. None for a plot not drawn or off that axis.
std::optional<double> PlotTime(const TPlot& plot, const TAxis& axis, const TTraceCursor& cursor) {
  TAxis* x = plot.XAxis();
  if (plot.Hide || !x || !plot.YAxis() || x->IsHidden() || plot.YAxis()->IsHidden()) {
    return std::nullopt;
  }
  if (x == &axis) return cursor.time;
  const std::int32_t column = axis.ValueToX(cursor.time);
  if (!Covers(*x, column)) return std::nullopt;
  return x->PixelToValue(column);
}

TColor WaveColor(const TPlot& plot) {
  return plot.LineType == kNoLine ? plot.MarkerColor : plot.LineColor;
}

TString AxisText(const TAxis& axis, double value) {
  TString text;
  if (axis.Settings()) axis.FormatValue(text, axis.Settings()->MicroTickGap, value);
  return text;
}

TSize Boxed(TSize text) { return {text.cx + 2 * kTraceLabelPad, text.cy + 2 * kTraceLabelPad}; }

}  // namespace

TAxis* TraceAxis(const TGraph& graph, std::int32_t id) {
  for (const TAxisMap* side : {&graph.BottomAxes(), &graph.TopAxes()}) {
    const auto found = side->find(id);
    if (found != side->end() && !found->second->IsHidden()) return found->second.get();
  }
  if (TAxis* bottom = FirstShown(graph.BottomAxes())) return bottom;
  return FirstShown(graph.TopAxes());
}

bool TraceCursorAt(const TGraph& graph, std::int32_t x, TTraceCursor& cursor) {
  TAxis* axis = TraceAxis(graph, cursor.axisId);
  if (!axis) return false;
  const std::int32_t column =
      std::clamp(x, std::min(axis->X0(), axis->X1()), std::max(axis->X0(), axis->X1()));
  cursor.axisId = axis->Id();
  cursor.time = axis->PixelToValue(column);
  return true;
}

const TPlot* NearestTracedPlot(const TGraph& graph, const TTraceCursor& cursor, std::int32_t y) {
  const TAxis* axis = TraceAxis(graph, cursor.axisId);
  if (!axis) return nullptr;
  const TPlot* nearest = nullptr;
  std::int64_t best = 0;
  for (const auto& [name, plot] : graph.Plots()) {
    const std::optional<double> time = PlotTime(*plot, *axis, cursor);
    const std::optional<double> value = time ? TraceValue(*plot, *time) : std::nullopt;
    if (!value) continue;
    const std::int64_t distance = std::llabs(std::int64_t{plot->YAxis()->ValueToY(*value)} - y);
    if (!nearest || distance < best) {
      nearest = plot.get();
      best = distance;
    }
  }
  return nearest;
}

bool StepTraceCursor(const TGraph& graph, const TPlot& plot, std::int32_t direction,
                     TTraceCursor& cursor) {
  const TAxis* axis = TraceAxis(graph, cursor.axisId);
  if (!axis) return false;
  const std::optional<double> time = PlotTime(plot, *axis, cursor);
  if (!time) return false;
  const std::optional<double> next = StepTime(plot, *time, direction);
  if (!next || !Covers(*plot.XAxis(), plot.XAxis()->ValueToX(*next))) return false;
  cursor.axisId = plot.XAxis()->Id();
  cursor.time = *next;
  return true;
}

void LayoutTraceLabels(std::int32_t x, const TRect& area, std::vector<TTraceLabel>& labels) {
  if (labels.empty()) return;
  std::int32_t widest = 0;
  for (const TTraceLabel& label : labels) widest = std::max(widest, Boxed(label.size).cx);
  const bool right = x + kTraceLabelGap + widest <= area.right;
  std::vector<std::size_t> order(labels.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return labels[a].anchor < labels[b].anchor;
  });
  // Down from the top: each as near its anchor as the one above allows; then up from the bottom
  // for those pushed past the area.
  std::int32_t floor = area.top;
  for (std::size_t i : order) {
    TTraceLabel& label = labels[i];
    const TSize box = Boxed(label.size);
    const std::int32_t left = right ? x + kTraceLabelGap : x - kTraceLabelGap - box.cx;
    const std::int32_t top = std::max(label.anchor - box.cy / 2, floor);
    label.box = {left, top, left + box.cx, top + box.cy};
    floor = label.box.bottom;
  }
  std::int32_t ceiling = area.bottom;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    TRect& box = labels[*it].box;
    if (box.bottom <= ceiling) break;
    const std::int32_t height = box.bottom - box.top;
    box.bottom = ceiling;
    box.top = ceiling - height;
    ceiling = box.top;
  }
}

TRect TimeLabelBox(std::int32_t x, TSize size, const TRect& band, bool below) {
  const TSize box = Boxed(size);
  std::int32_t left = x - box.cx / 2;
  left = std::max(std::min(left, band.right - box.cx), band.left);
  const std::int32_t top = below ? band.top : band.bottom - box.cy;
  return {left, top, left + box.cx, top + box.cy};
}

std::vector<TRect> TTracePicture::Covered() const {
  std::vector<TRect> covered;
  if (!shown) return covered;
  covered.push_back(line);
  for (const TTraceLabel& label : labels) covered.push_back(label.box);
  covered.push_back(time.box);
  return covered;
}

void BuildTracePicture(const TGraph& graph, const TTraceCursor& cursor, TCanvas& dc,
                       TTracePicture& picture) {
  picture.shown = false;
  picture.labels.clear();
  const TAxis* axis = TraceAxis(graph, cursor.axisId);
  if (!axis || !axis->Settings()) return;
  const std::int32_t x = axis->ValueToX(cursor.time);
  if (!Covers(*axis, x)) return;
  const bool printing = dc.IsPrinter();
  const TRect& area = graph.PlotAreaRect();
  picture.shown = true;
  picture.line = {x, area.top, x + 1, area.bottom};
  picture.lineColor = axis->AxisPen(printing).color;
  picture.background = printing ? graph.Settings().PrintBackground : graph.Settings().Background;
  picture.font = axis->LabelFont(printing);
  TCanvasStateGuard state(dc);
  dc.SetFont(picture.font);
  for (const auto& [name, plot] : graph.Plots()) {
    const std::optional<double> time = PlotTime(*plot, *axis, cursor);
    const std::optional<double> value = time ? TraceValue(*plot, *time) : std::nullopt;
    if (!value) continue;
    TTraceLabel label;
    label.text = AxisText(*plot->YAxis(), *value);
    label.color = WaveColor(*plot);
    label.anchor = std::clamp(plot->YAxis()->ValueToY(*value), area.top, area.bottom);
    label.size = dc.TextExtent(label.text.Str(), label.text.Length());
    picture.labels.push_back(std::move(label));
  }
  LayoutTraceLabels(x, area, picture.labels);
  picture.time.text = AxisText(*axis, cursor.time);
  picture.time.color = picture.font.color;
  picture.time.size = dc.TextExtent(picture.time.text.Str(), picture.time.text.Length());
  picture.time.box =
      TimeLabelBox(x, picture.time.size, axis->Band(), axis->GetLocation() == kBottom);
}

void DrawTracePicture(TCanvas& dc, const TTracePicture& picture) {
  if (!picture.shown) return;
  TCanvasStateGuard state(dc);
  dc.SetTransparentBackground(true);
  dc.SetTextAlign(THAlign::Left, TVAlign::Top);
  dc.FillRect(picture.line, picture.lineColor);
  auto draw = [&](const TTraceLabel& label) {
    dc.FillRect(label.box, picture.background);
    dc.SetPen({TPenStyle::Solid, true, 1, label.color});
    dc.Rectangle(label.box, false);
    TFontSpec font = picture.font;
    font.color = label.color;
    dc.SetFont(font);
    dc.PutText(label.box.left + kTraceLabelPad, label.box.top + kTraceLabelPad, label.text.Str(),
               label.text.Length());
  };
  for (const TTraceLabel& label : picture.labels) draw(label);
  draw(picture.time);
}

}  // namespace graph
