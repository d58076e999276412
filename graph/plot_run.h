// Drawing one run of pixel points in a plot's look: the seven line types and the twelve marker
// shapes. Shared by the plots and by the legend's samples.
#pragma once

#include <climits>
#include <cstdint>
#include <vector>

#include "graph/canvas.h"
#include "graph/column_reduce.h"
#include "graph/plot_settings.h"
#include "graph/mark_union.h"

namespace graph {

// Where a run is drawn: the plot's frame, the pixel row of the value 0, the x of the plot's
// first point and the number of X values of the whole plot; and where the steps of the run's
// last value end: at the x of the point without a value that ended the run, or (kToFrameRight)
// at the frame's right edge.
struct TRunFrame {
  static constexpr std::int32_t kToFrameRight = INT32_MIN;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t zero = 0;
  std::int32_t startX = 0;
  std::uint32_t plotCount = 0;
  std::int32_t stepEnd = kToFrameRight;
};

// The lines of a run with the line pen and the fill brush. `points` may be the column-reduced
// form of a run of `runCount` points: bar widths are computed from runCount.
void DrawRunLines(TCanvas& dc, const TPlotSettings& look, const TRunFrame& frame,
                  const TPoint* points, std::uint32_t count, std::uint32_t runCount);

// The corners of the outline of a square or triangle marker (hollow or filled), closed: returns
// their number (at most kMaxOutline), 0 for the other shapes.
inline constexpr std::uint32_t kMaxOutline = 5;
std::uint32_t MarkerOutline(std::int32_t shape, std::int32_t size, TPoint centre, TPoint* out);

// Kept by a plot between drawings so that batched markers allocate only when a run is longer
// than any before, and a marker's mark is found once per shape and size.
struct TMarkerBatch {
  std::vector<TPoint> points;
  std::vector<std::uint32_t> counts;
  TMarkUnion marks;
  TMarkMask mask;
  std::int32_t maskShape = cNoMarker;
  std::int32_t maskSize = 0;
};

// The pixels one marker of the shape and size sets around its centre, as drawn in the marker's
// pen and brush: computed for hollow squares, asked of the canvas for the other shapes and kept
// in the batch. Null when the canvas cannot tell them or the marker is too large for a mask.
const TMarkMask* MarkerMask(TCanvas& dc, std::int32_t shape, std::int32_t size,
                            TMarkerBatch& batch);

// One marker in the currently selected pen and brush; shapes outside 1..11 draw nothing.
void DrawMarker(TCanvas& dc, std::int32_t shape, std::int32_t size, TPoint p);

// The markers of a run with the marker pen and brush. With a filter, a pixel already marked in
// its column is skipped. With a batch, hollow squares and triangles go to the canvas in one call;
// with a filter that has a sight too, the markers go as the runs of the union of their marks
// (TMarkUnion) wherever their mask is known (MarkerMask).
void DrawRunMarkers(TCanvas& dc, const TPlotSettings& look, const TPoint* points,
                    std::uint32_t count, TMarkerFilter* filter, TMarkerBatch* batch = nullptr);

}  // namespace graph
