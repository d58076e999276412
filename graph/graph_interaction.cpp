#include "graph/graph_interaction.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/integer_text.h"

namespace graph {

namespace {

constexpr std::int32_t kCoverTolerance = 5;

bool Covers(const TRect& band, bool horizontal, const TRect& rect) {
  if (horizontal) {
    return band.left - kCoverTolerance <= rect.left && band.right + kCoverTolerance >= rect.right;
  }
  return band.top - kCoverTolerance <= rect.top && band.bottom + kCoverTolerance >= rect.bottom;
}

bool Inside(const TRect& r, std::int32_t x, std::int32_t y) {
  return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

}  // namespace

TAxis* BestAxis(const TAxisMap& side, bool horizontal, const TRect& rect) {
  if (side.size() == 1) return side.begin()->second.get();
  TAxis* best = nullptr;
  std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
  // Centres doubled, so that they stay whole numbers.
  const std::int64_t cx = std::int64_t{rect.left} + rect.right;
  const std::int64_t cy = std::int64_t{rect.top} + rect.bottom;
  for (const auto& [id, axis] : side) {
    if (axis->IsHidden() || !Covers(axis->Band(), horizontal, rect)) continue;
    const TRect& band = axis->Band();
    const std::int64_t dx = std::int64_t{band.left} + band.right - cx;
    const std::int64_t dy = std::int64_t{band.top} + band.bottom - cy;
    const std::int64_t distance = dx * dx + dy * dy;
    if (distance < bestDistance) {
      best = axis.get();
      bestDistance = distance;
    }
  }
  return best;
}

TSideAxes BestAxes(const TGraph& graph, const TRect& rect) {
  return {BestAxis(graph.LeftAxes(), false, rect), BestAxis(graph.TopAxes(), true, rect),
          BestAxis(graph.RightAxes(), false, rect), BestAxis(graph.BottomAxes(), true, rect)};
}

bool ZoomCommandOffered(TZoomCommand command, const TSideAxes& axes) {
  const bool horizontal = axes.top || axes.bottom;
  const bool vertical = axes.left || axes.right;
  switch (command) {
    case kZoomExpand:
    case kZoomShrink:
      return horizontal && vertical;
    case kZoomExpandHorizontal:
    case kZoomShrinkHorizontal:
      return horizontal;
    case kZoomExpandVertical:
    case kZoomShrinkVertical:
      return vertical;
  }
  return false;
}

bool ApplyZoomCommand(std::int32_t command, const TSideAxes& axes, const TRect& rect) {
  if (rect.right == rect.left || rect.bottom == rect.top) return false;
  bool expand = true, horizontal = true, vertical = true;
  switch (command) {
    case kZoomExpand:
      break;
    case kZoomExpandHorizontal:
      vertical = false;
      break;
    case kZoomExpandVertical:
      horizontal = false;
      break;
    case kZoomShrink:
      expand = false;
      break;
    case kZoomShrinkHorizontal:
      expand = false;
      vertical = false;
      break;
    case kZoomShrinkVertical:
      expand = false;
      horizontal = false;
      break;
    default:
      return false;
  }
  auto act = [&](TAxis* axis, bool wanted) {
    if (!axis || !wanted) return;
    if (expand) {
      axis->ZoomToRect(rect);
    } else {
      axis->ShrinkToRect(rect);
    }
  };
  act(axes.left, vertical);
  act(axes.top, horizontal);
  act(axes.right, vertical);
  act(axes.bottom, horizontal);
  return true;
}

TRect PanStartRect(const TRect& plotArea, const TSideAxes& axes) {
  TRect r = plotArea;
  if (const TAxis* vertical = axes.left ? axes.left : axes.right) {
    r.top = vertical->Band().top;
    r.bottom = vertical->Band().bottom;
  }
  if (const TAxis* horizontal = axes.bottom ? axes.bottom : axes.top) {
    r.left = horizontal->Band().left;
    r.right = horizontal->Band().right;
  }
  return r;
}

void ApplyPan(const TSideAxes& axes, const TRect& saved, const TRect& moved) {
  const std::int32_t dy = moved.top - saved.top;
  const std::int32_t dx = moved.left - saved.left;
  if (axes.left) axes.left->Pan(dy);
  if (axes.right) axes.right->Pan(dy);
  if (axes.top) axes.top->Pan(dx);
  if (axes.bottom) axes.bottom->Pan(dx);
}

void AxisReadout(const TGraph& graph, std::int32_t x, std::int32_t y, TString& text) {
  text.Clear();
  auto side = [&](const TAxisMap& axes, std::int32_t pixel) {
    for (const auto& [id, axis] : axes) {
      if (!axis->IsHidden()) axis->CursorTextAt(text, pixel);
    }
  };
  side(graph.LeftAxes(), y);
  side(graph.TopAxes(), x);
  side(graph.RightAxes(), y);
  side(graph.BottomAxes(), x);
}

TNearestPoint NearestPoint(const TGraph& graph, std::int32_t x, std::int32_t y) {
  TNearestPoint found;
  std::int64_t bestDistance = std::int64_t{kNearPixels} * kNearPixels;
  for (const auto& [name, plot] : graph.Plots()) {
    const TAxis* xAxis = plot->XAxis();
    const TAxis* yAxis = plot->YAxis();
    if (plot->Hide || !xAxis || !yAxis) continue;
    const std::vector<double>& xs = plot->X();
    const std::vector<double>& ys = plot->Y();
    if (xs.size() != ys.size()) continue;
    // Values more than a pixel beyond the near distance cannot be near: they are skipped before
    // they are converted (the same test drops gaps).
    double low = -std::numeric_limits<double>::max(), high = std::numeric_limits<double>::max();
    if (xAxis->Scale() > 0 && std::isfinite(xAxis->Scale())) {
      low = xAxis->XToValue(x - kNearPixels - 1);
      high = xAxis->XToValue(x + kNearPixels + 1);
    }
    for (std::size_t i = 0; i < xs.size(); ++i) {
      if (!(xs[i] >= low && xs[i] <= high) || !std::isfinite(ys[i])) continue;
      const TPoint pixel{xAxis->ValueToX(xs[i]), yAxis->ValueToY(ys[i])};
      const std::int64_t dx = pixel.x - x, dy = pixel.y - y;
      const std::int64_t distance = dx * dx + dy * dy;
      if (distance < bestDistance) {
        bestDistance = distance;
        found = {plot.get(), static_cast<std::uint32_t>(i), pixel};
      }
    }
  }
  return found;
}

void PointReadout(const TPlot& plot, std::uint32_t index, TString& text) {
  text.Clear();
  text.Append(plot.Name);
  text.Append(u" [");
  AppendInteger(text, index);
  text.Append(u"] ");
  TAxis* xAxis = plot.XAxis();
  TAxis* yAxis = plot.YAxis();
  if (!xAxis || !yAxis || index >= plot.X().size() || index >= plot.Y().size()) return;
  if (yAxis->GetLocation() == kLeft) {
    yAxis->CursorText(text, plot.Y()[index]);
    xAxis->CursorText(text, plot.X()[index]);
  } else {
    xAxis->CursorText(text, plot.X()[index]);
    yAxis->CursorText(text, plot.Y()[index]);
  }
}

TSettingsTarget DoubleClickTarget(const TGraph& graph, std::int32_t x, std::int32_t y) {
  if (Inside(graph.PlotAreaRect(), x, y)) return {true, -1};
  for (const TAxisMap* side :
       {&graph.LeftAxes(), &graph.TopAxes(), &graph.RightAxes(), &graph.BottomAxes()}) {
    for (const auto& [id, axis] : *side) {
      if (!axis->IsHidden() && axis->HitTest(x, y)) return {true, id};
    }
  }
  return {};
}

bool MarkedPoint(const TGraph& graph, const TString& waveName, std::int64_t index, TPoint& centre) {
  const TPlot* plot = graph.FindPlot(waveName);
  if (!plot || index < 0) return false;
  const auto i = static_cast<std::uint64_t>(index);
  if (i >= plot->X().size() || i >= plot->Y().size()) return false;
  const TAxis* xAxis = plot->XAxis();
  const TAxis* yAxis = plot->YAxis();
  if (!xAxis || !yAxis) return false;
  // A gap has no place on the screen.
  if (!std::isfinite(plot->X()[i]) || !std::isfinite(plot->Y()[i])) return false;
  const TRect& area = graph.PlotAreaRect();
  const std::int32_t x = std::clamp(xAxis->ValueToX(plot->X()[i]), area.left, area.right);
  const std::int32_t y = std::clamp(yAxis->ValueToY(plot->Y()[i]), area.top, area.bottom);
  if (x == 0) return false;
  centre = {x, y};
  return true;
}

TRect PointMarkerRect(TPoint centre) {
  return {centre.x - 3, centre.y - 3, centre.x + 4, centre.y + 4};
}

}  // namespace graph
