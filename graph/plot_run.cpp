#include "graph/plot_run.h"

#include <algorithm>
#include <cstdlib>

namespace graph {

namespace {

void Segment(TCanvas& dc, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

void DrawBars(TCanvas& dc, const TRunFrame& f, const TPoint* p, std::uint32_t n,
              std::uint32_t runCount) {
  std::int32_t w =
      std::max<std::int32_t>(1, (f.right - f.left) / static_cast<std::int32_t>(runCount));
  for (std::uint32_t i = 0; i + 1 < n; ++i) {
    std::int32_t right = std::max(p[i].x + 1, std::min(p[i].x + w, p[i + 1].x));
    dc.Rectangle({p[i].x, p[i].y, right, f.zero}, true);
  }
  const TPoint& last = p[n - 1];
  std::int32_t end = f.right - 1;
  // A run of one point has no spacing of its own; it keeps the end at the axis.
  if (f.plotCount >= 2 && runCount >= 2 && f.startX < last.x) {
    end = last.x + (last.x - f.startX) / static_cast<std::int32_t>(runCount - 1);
  }
  end = std::max(last.x + 1, std::min(end, last.x + w));
  dc.Rectangle({last.x, last.y, end, f.zero}, true);
}

// The x where the steps of a run's last value end: a value holds until the next point, and a point
// without a value holds nothing; after the plot's last point it holds to the frame's edge.
std::int32_t StepEnd(const TRunFrame& f, const TPoint& last) {
  return f.stepEnd == TRunFrame::kToFrameRight ? f.right - 1 : std::max(f.stepEnd, last.x);
}

void DrawCityScape(TCanvas& dc, const TRunFrame& f, const TPoint* p, std::uint32_t n) {
  dc.MoveTo(p[0].x, f.zero);
  for (std::uint32_t i = 0; i < n; ++i) {
    dc.LineTo(p[i].x, p[i].y);
    if (i + 1 < n) dc.LineTo(p[i + 1].x, p[i].y);
  }
  const std::int32_t end = StepEnd(f, p[n - 1]);
  dc.LineTo(end, p[n - 1].y);
  dc.LineTo(end, f.zero);
}

}  // namespace

void DrawRunLines(TCanvas& dc, const TPlotSettings& look, const TRunFrame& f, const TPoint* p,
                  std::uint32_t n, std::uint32_t runCount) {
  if (n == 0) return;
  TCanvasStateGuard state(dc);
  TPenSpec linePen{TPenStyle::Solid, false, std::abs(look.LineWidth), look.LineColor};
  dc.SetPen(linePen);
  dc.SetBrush(look.FillColor);
  dc.SetTransparentBackground(true);
  switch (look.LineType) {
    case kNoLine:
      break;
    case kHorizontalLines:
      dc.MoveTo(p[0].x, p[0].y);
      for (std::uint32_t i = 1; i < n; ++i) {
        dc.LineTo(p[i].x, p[i - 1].y);
        dc.LineTo(p[i].x, p[i].y);
      }
      dc.LineTo(StepEnd(f, p[n - 1]), p[n - 1].y);
      break;
    case kBars:
      DrawBars(dc, f, p, n, std::max(runCount, n));
      break;
    case kLinesToZero:
      for (std::uint32_t i = 0; i < n; ++i) Segment(dc, p[i].x, f.zero, p[i].x, p[i].y);
      break;
    case kCityScape:
      DrawCityScape(dc, f, p, n);
      break;
    case kCityShadow:
      dc.SetPen({TPenStyle::Solid, false, 1, look.FillColor});
      for (std::uint32_t i = 0; i + 1 < n; ++i) {
        dc.Rectangle({p[i].x, f.zero, p[i + 1].x, p[i].y}, true);
      }
      dc.Rectangle({p[n - 1].x, f.zero, StepEnd(f, p[n - 1]), p[n - 1].y}, true);
      dc.SetPen(linePen);
      DrawCityScape(dc, f, p, n);
      break;
    default:  // lines between points, and any unknown type
      dc.Polyline(p, n);
      break;
  }
}

std::uint32_t MarkerOutline(std::int32_t shape, std::int32_t a, TPoint c, TPoint* out) {
  const std::int32_t x = c.x, y = c.y;
  switch (shape) {
    case cSquareMarker:
      out[0] = {x - a, y - a};
      out[1] = {x - a, y + a};
      out[2] = {x + a, y + a};
      out[3] = {x + a, y - a};
      out[4] = {x - a, y - a};
      return 5;
    case cUpTriangleMarker:
    case cUpTriangleFilledMarker:
      out[0] = {x - a, y + a};
      out[1] = {x, y - a};
      out[2] = {x + a, y + a};
      out[3] = {x - a, y + a};
      return 4;
    case cDownTriangleMarker:
    case cDownTriangleFilledMarker:
      out[0] = {x - a, y - a};
      out[1] = {x, y + a};
      out[2] = {x + a, y - a};
      out[3] = {x - a, y - a};
      return 4;
    default:
      return 0;
  }
}

void DrawMarker(TCanvas& dc, std::int32_t shape, std::int32_t a, TPoint c) {
  const std::int32_t b = a + 1, x = c.x, y = c.y;
  switch (shape) {
    case cStarMarker:
      Segment(dc, x - a, y - a, x + b, y + b);
      Segment(dc, x - a, y + a, x + b, y - b);
      Segment(dc, x - a, y, x + b, y);
      Segment(dc, x, y - a, x, y + b);
      break;
    case cPlusMarker:
      Segment(dc, x - a, y, x + b, y);
      Segment(dc, x, y - a, x, y + b);
      break;
    case cCrossMarker:
      Segment(dc, x - a, y - a, x + b, y + b);
      Segment(dc, x - a, y + a, x + b, y - b);
      break;
    case cSquareMarker:
    case cUpTriangleMarker:
    case cDownTriangleMarker: {
      TPoint outline[kMaxOutline];
      dc.Polyline(outline, MarkerOutline(shape, a, c, outline));
      break;
    }
    case cSquareFilledMarker: {
      const TPoint corners[4] = {{x - a, y - a}, {x - a, y + a}, {x + a, y + a}, {x + a, y - a}};
      dc.Polygon(corners, 4, true);
      break;
    }
    case cCircleMarker:
      dc.Ellipse({x - a, y - a, x + b, y + b}, false);
      break;
    case cCircleFilledMarker:
      dc.Ellipse({x - a, y - a, x + a, y + a}, true);
      break;
    case cUpTriangleFilledMarker:
    case cDownTriangleFilledMarker: {
      TPoint corners[kMaxOutline];
      MarkerOutline(shape, a, c, corners);
      dc.Polygon(corners, 3, true);
      break;
    }
    default:  // no marker, and any unknown shape
      break;
  }
}

namespace {

// The marker pen: one pixel wide whatever the device.
TPenSpec MarkerPen(TColor color) { return {TPenStyle::Solid, true, 1, color}; }

}  // namespace

const TMarkMask* MarkerMask(TCanvas& dc, std::int32_t shape, std::int32_t size,
                            TMarkerBatch& batch) {
  // Room for what a marker sets around its centre: DrawMarker reaches size + 1 at most.
  const std::int32_t reach = size + 2;
  if (size < 1 || shape < cStarMarker || shape > cDownTriangleFilledMarker ||
      2 * reach + 1 > TMarkMask::kMaxHeight) {
    return nullptr;
  }
  // A hollow square is the same outline on any device; the other shapes are as the canvas's
  // device draws them.
  if (shape != cSquareMarker && !dc.CapturesPixels()) return nullptr;
  if (batch.maskShape == shape && batch.maskSize == size) return &batch.mask;
  batch.maskShape = cNoMarker;
  TMarkMask mask;
  if (shape == cSquareMarker) {
    mask = SquareOutlineMask(size);
  } else {
    mask.left = mask.top = -reach;
    const bool captured = dc.CapturePixels(
        {-reach, -reach, reach + 1, reach + 1},
        [&](TCanvas& surface) {
          const TColor ink = Rgb(255, 255, 255);
          surface.SetPen(MarkerPen(ink));
          surface.SetBrush(ink);
          DrawMarker(surface, shape, size, {0, 0});
        },
        mask.columns);
    if (!captured) return nullptr;
  }
  batch.mask = std::move(mask);
  batch.maskShape = shape;
  batch.maskSize = size;
  return &batch.mask;
}

void DrawRunMarkers(TCanvas& dc, const TPlotSettings& look, const TPoint* p, std::uint32_t n,
                    TMarkerFilter* filter, TMarkerBatch* batch) {
  if (n == 0 || look.MarkerShape == cNoMarker) return;
  TCanvasStateGuard state(dc);
  dc.SetPen(MarkerPen(look.MarkerColor));
  dc.SetBrush(look.MarkerColor);
  const bool outlined = look.MarkerShape == cSquareMarker ||
                        look.MarkerShape == cUpTriangleMarker ||
                        look.MarkerShape == cDownTriangleMarker;
  const TMarkMask* mask = batch && filter && filter->Sight()
                              ? MarkerMask(dc, look.MarkerShape, look.MarkerSize, *batch)
                              : nullptr;
  if (mask) {
    // Markers of one colour after all lines of the run: only their union matters, and where
    // they crowd it is a few runs of pixels per column instead of a drawing per point.
    batch->points.clear();
    batch->counts.clear();
    // The union's area is the sight: a centre outside it cannot be seen, and one added twice
    // changes nothing.
    batch->marks.Reset(*filter->Sight(), *mask);
    batch->marks.Add(p, n);
    batch->marks.Emit(batch->points, batch->counts);
    dc.PolyPolyline(batch->points.data(), batch->counts.data(),
                    static_cast<std::uint32_t>(batch->counts.size()));
    return;
  }
  if (batch && outlined) {
    // All outlines in one pen and one call: the same pixels as one call per marker.
    batch->points.clear();
    batch->counts.clear();
    TPoint outline[kMaxOutline];
    for (std::uint32_t i = 0; i < n; ++i) {
      if (filter && filter->Skip(p[i])) continue;
      const std::uint32_t count = MarkerOutline(look.MarkerShape, look.MarkerSize, p[i], outline);
      batch->points.insert(batch->points.end(), outline, outline + count);
      batch->counts.push_back(count);
    }
    dc.PolyPolyline(batch->points.data(), batch->counts.data(),
                    static_cast<std::uint32_t>(batch->counts.size()));
    return;
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    if (filter && filter->Skip(p[i])) continue;
    DrawMarker(dc, look.MarkerShape, look.MarkerSize, p[i]);
  }
}

}  // namespace graph
