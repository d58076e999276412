// Drawing one run of pixel points in a plot's look: the seven line types and the twelve marker
// shapes. Shared by the plots and by the legend's samples.
#pragma once

#include <cstdint>

#include "graph/canvas.h"
#include "graph/column_reduce.h"
#include "graph/plot_settings.h"

namespace graph {

// Where a run is drawn: the plot's frame, the pixel row of the value 0, the x of the plot's
// first point and the number of X values of the whole plot.
struct TRunFrame {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t zero = 0;
  std::int32_t startX = 0;
  std::uint32_t plotCount = 0;
};

// The lines of a run with the line pen and the fill brush. `points` may be the column-reduced
// form of a run of `runCount` points: bar widths are computed from runCount.
void DrawRunLines(TCanvas& dc, const TPlotSettings& look, const TRunFrame& frame,
                  const TPoint* points, std::uint32_t count, std::uint32_t runCount);

// One marker in the currently selected pen and brush; shapes outside 1..11 draw nothing.
void DrawMarker(TCanvas& dc, std::int32_t shape, std::int32_t size, TPoint p);

// The markers of a run with the marker pen and brush. With a filter, a pixel already marked in
// its column is skipped.
void DrawRunMarkers(TCanvas& dc, const TPlotSettings& look, const TPoint* points,
                    std::uint32_t count, TMarkerFilter* filter);

}  // namespace graph
