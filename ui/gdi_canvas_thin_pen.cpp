// Lines of a geometric pen one pixel wide, drawn with the thin cosmetic pen.
//
// GDI outlines a geometric pen as a region built segment by segment and then filled, which costs
// several times what the thin pen's direct stepping costs. For a width of one pixel the GDI we run
// on sets exactly these pixels (found by drawing both ways over every direction and length up to
// 1000 pixels, far ends at the coordinate limit, clip rectangles, repeated points):
// - a solid line: the thin pen's pixels, and its end pixel too unless the line is horizontal or
//   vertical (the round cap adds it); in a polyline every point but the last already starts a
//   line, so only the last can add a pixel;
// - a dashed horizontal or vertical line: dashes of three pixels and gaps of one from its start,
//   the end pixel left out, gaps never filled.
// Whether this holds is checked once per process by drawing probes both ways; where it does not
// (another GDI, a printer, a scaled or mirrored DC, a raster operation other than copying) GDI
// draws the pen itself.
#include "ui/gdi_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "ui/memory_bitmap.h"

namespace ui {

namespace {

constexpr std::int32_t kDash = 3;  // pixels of a dash of the one-pixel geometric dashed pen
constexpr std::int32_t kDashPeriod = 4;

bool Diagonal(POINT from, POINT to) { return from.x != to.x && from.y != to.y; }

// Lines of every octant, steep and flat, short and long, the four axis directions, a repeated
// point, a line back to its start: first as single lines, then as polylines.
void DrawSolidProbes(graph::TCanvas& canvas) {
  static constexpr graph::TPoint kRays[] = {
      {13, 5}, {5, 13}, {-4, 11}, {-11, 4}, {-13, -5}, {-5, -13}, {4, -11}, {11, -4},
      {13, 0}, {0, 13}, {-13, 0}, {0, -13}, {7, 7},    {-7, 7},   {1, 12},  {12, -1}};
  for (std::int32_t i = 0; i < 16; ++i) {
    const std::int32_t x = 16 + 32 * (i % 4), y = 16 + 32 * (i / 4);
    canvas.MoveTo(x, y);
    canvas.LineTo(x + kRays[i].x, y + kRays[i].y);
  }
  static constexpr graph::TPoint kZigzag[] = {{3, 140},  {9, 131},  {9, 131},  {9, 150},
                                              {30, 150}, {31, 129}, {31, 129}, {47, 133},
                                              {60, 133}, {60, 133}};
  canvas.Polyline(kZigzag, 10);
  static constexpr graph::TPoint kSteps[] = {{70, 145}, {70, 128},  {71, 155}, {71, 140},
                                             {72, 141}, {100, 141}, {100, 141}};
  canvas.Polyline(kSteps, 7);
  static constexpr graph::TPoint kClosed[] = {{110, 130}, {125, 138}, {112, 152}, {110, 130}};
  canvas.Polyline(kClosed, 4);
}

// Horizontal and vertical dashed lines of every length up to 31 pixels, both ways.
void DrawDashedProbes(graph::TCanvas& canvas) {
  for (std::int32_t k = 0; k < 32; ++k) {
    const std::int32_t row = 2 + 2 * k, length = k;
    if (k % 2 == 0) {
      canvas.MoveTo(2, row);
      canvas.LineTo(2 + length, row);
      canvas.MoveTo(row + 80, 70);
      canvas.LineTo(row + 80, 70 + length);
    } else {
      canvas.MoveTo(40 + length, row);
      canvas.LineTo(40, row);
      canvas.MoveTo(row + 80, 150);
      canvas.LineTo(row + 80, 150 - length);
    }
  }
  canvas.MoveTo(5, 100);  // a slanted one: GDI's own in both
  canvas.LineTo(60, 130);
}

bool ProbesAgree(graph::TPenStyle style) {
  constexpr int kSide = 160;
  MemoryBitmap geometric(kSide, kSide), cosmetic(kSide, kSide);
  if (!geometric.Valid() || !cosmetic.Valid()) return false;
  for (MemoryBitmap* surface : {&geometric, &cosmetic}) {
    GdiCanvas canvas(
        surface->Dc(), false,
        surface == &geometric ? GdiCanvas::ThinPens::Geometric : GdiCanvas::ThinPens::Cosmetic);
    canvas.FillRect({0, 0, kSide, kSide}, 0);
    canvas.SetTransparentBackground(true);
    canvas.SetPen({style, false, 1, graph::Rgb(255, 255, 255)});
    if (style == graph::TPenStyle::Solid) {
      DrawSolidProbes(canvas);
    } else {
      DrawDashedProbes(canvas);
    }
  }
  GdiFlush();
  return std::memcmp(geometric.Pixels(), cosmetic.Pixels(),
                     sizeof(std::uint32_t) * kSide * kSide) == 0;
}

}  // namespace

bool GdiCanvas::ThinPenAgreesWithGdi(graph::TPenStyle style) {
  static const bool solid = ProbesAgree(graph::TPenStyle::Solid);
  static const bool dashed = ProbesAgree(graph::TPenStyle::Dashed);
  return style == graph::TPenStyle::Solid ? solid : dashed;
}

bool GdiCanvas::DrawsThin(const graph::TPenSpec& pen) const {
  if (pen.cosmetic || pen.width > 1 || thin_pens_ == ThinPens::Geometric) return false;
  if (!CapturesPixels() || GetROP2(dc_) != R2_COPYPEN) return false;
  // Dashes are only known as they are drawn over a transparent background.
  if (pen.style == graph::TPenStyle::Dashed && GetBkMode(dc_) != TRANSPARENT) return false;
  return thin_pens_ == ThinPens::Cosmetic || ThinPenAgreesWithGdi(pen.style);
}

void GdiCanvas::ThinEndPixel(POINT at) {
  // A thin line one pixel long sets its first pixel only.
  const POINT pixel[2] = {at, {at.x + 1, at.y}};
  ::Polyline(dc_, pixel, 2);
}

bool GdiCanvas::ThinLineTo(graph::TPenSpec pen, POINT to) {
  POINT from{};
  GetCurrentPositionEx(dc_, &from);
  if (pen.style == graph::TPenStyle::Dashed && Diagonal(from, to)) return false;
  SelectGuard thin(dc_, PenFor({graph::TPenStyle::Solid, true, 1, pen.color}));
  if (pen.style == graph::TPenStyle::Solid) {
    ::LineTo(dc_, to.x, to.y);
    if (Diagonal(from, to)) ThinEndPixel(to);
    return true;
  }
  // In 64 bits: the ends may lie at opposite ends of the coordinate range.
  const std::int64_t length =
      std::llabs(std::int64_t{to.x} - from.x) + std::llabs(std::int64_t{to.y} - from.y);
  const std::int32_t step_x = (to.x > from.x) - (to.x < from.x);
  const std::int32_t step_y = (to.y > from.y) - (to.y < from.y);
  // Only the dashes that can reach the clip box: a line may run far beyond the surface.
  RECT box{};
  if (GetClipBox(dc_, &box) == ERROR) return false;
  std::int64_t seen_from = 0, seen_to = 0;  // distances from the start that lie in the box
  if (step_x != 0 && from.y >= box.top && from.y < box.bottom) {
    seen_from = step_x > 0 ? std::int64_t{box.left} - from.x : std::int64_t{from.x} - box.right + 1;
    seen_to = step_x > 0 ? std::int64_t{box.right} - from.x : std::int64_t{from.x} - box.left + 1;
  } else if (step_y != 0 && from.x >= box.left && from.x < box.right) {
    seen_from = step_y > 0 ? std::int64_t{box.top} - from.y : std::int64_t{from.y} - box.bottom + 1;
    seen_to = step_y > 0 ? std::int64_t{box.bottom} - from.y : std::int64_t{from.y} - box.top + 1;
  }
  seen_from = std::max<std::int64_t>(seen_from, 0);
  seen_to = std::min<std::int64_t>(seen_to, length);
  dash_points_.clear();
  dash_counts_.clear();
  for (std::int64_t at = seen_from - seen_from % kDashPeriod; at < seen_to; at += kDashPeriod) {
    // Both ends lie on the line, so within the range of its ends.
    const std::int64_t end = std::min<std::int64_t>(at + kDash, length);
    for (const std::int64_t distance : {at, end}) {
      dash_points_.push_back({static_cast<LONG>(from.x + step_x * distance),
                              static_cast<LONG>(from.y + step_y * distance)});
    }
    dash_counts_.push_back(2);
  }
  if (!dash_counts_.empty()) {
    ::PolyPolyline(dc_, dash_points_.data(), dash_counts_.data(),
                   static_cast<DWORD>(dash_counts_.size()));
  }
  MoveToEx(dc_, to.x, to.y, nullptr);
  return true;
}

bool GdiCanvas::ThinPolyline(graph::TPenSpec pen, const POINT* p, std::uint32_t count) {
  if (pen.style != graph::TPenStyle::Solid) return false;
  SelectGuard thin(dc_, PenFor({graph::TPenStyle::Solid, true, 1, pen.color}));
  ::Polyline(dc_, p, static_cast<int>(count));
  // Every point but the last starts a line that sets it, unless the line has no length; the
  // last point's pixel comes from the last line that has one.
  const POINT last = p[count - 1];
  for (std::uint32_t i = count - 1; i-- > 0;) {
    if (p[i].x == last.x && p[i].y == last.y) continue;
    if (Diagonal(p[i], last)) ThinEndPixel(last);
    break;
  }
  return true;
}

}  // namespace ui
