// The pixel columns of a time axis as spans of whole milliseconds. A wave read as per-column
// extremes is exact only when each column is one span of time stamps that a server can be asked
// for, and all spans are equally long (one resample interval for the whole read): the axis can
// be made to map that way (TAxis::SetWholeMsColumns), and this finds and checks the spans.
#pragma once

#include <cstdint>
#include <optional>

#include "graph/axis.h"

namespace graph {

struct TColumnGrid {
  double firstStamp = 0;    // the first time stamp (whole milliseconds) of the first column
  std::int64_t stepMs = 0;  // the whole milliseconds of every column
  std::int32_t firstPixel = 0;
  std::int32_t count = 0;

  // Column i holds the time stamps t with StampAt(i) <= t < StampAt(i + 1).
  double StampAt(std::int32_t i) const { return firstStamp + static_cast<double>(i) * stepMs; }
  double EndStamp() const { return StampAt(count); }
  bool operator==(const TColumnGrid&) const = default;
};

// The first whole-millisecond stamp that the map puts at `pixel` or further right.
double FirstStampAtOrRightOf(const TAxis::TPixelMap& map, std::int32_t pixel);

// The grid of the pixel columns firstPixel .. lastPixel (included) of a horizontal map, when
// every one of them holds the same whole number (at least one) of millisecond stamps; none
// otherwise. Each boundary is checked against the map itself, so the grid never disagrees with
// the drawing.
std::optional<TColumnGrid> WholeMsColumns(const TAxis::TPixelMap& map, std::int32_t firstPixel,
                                          std::int32_t lastPixel);

// Columns beyond a time axis's ends that a plot's clip still shows (with a wide pen's reach).
inline constexpr std::int32_t kColumnMargin = 16;

// The grid a long wave on this horizontal time axis is read for: the axis's columns as it was
// last drawn, kColumnMargin more on each side.
std::optional<TColumnGrid> AxisColumns(const TAxis& axis);

// The range a time axis of `length` pixels shows instead of [min, max] so that each pixel
// column holds the same whole number of milliseconds, with no column boundary on a whole
// millisecond (a boundary there would leave the stamp on it to rounding): min moves down to a
// whole or half millisecond and max up by at most one column. Ranges of less than one
// millisecond a pixel are kept as they are (false).
bool SnapToWholeMsColumns(double& min, double& max, std::int32_t length);

}  // namespace graph
