// What each wave shows at one moment, for the trace cursor: the value of its last point at or
// before the moment, and the steps from point to point. Without a window or a canvas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "graph/plot.h"

namespace graph {

// The last of the time stamps (in rising order) at or before `time`; none before the first, for
// an empty list and for a time that is not a number.
std::optional<std::size_t> PointAtOrBefore(const std::vector<double>& times, double time);

// The value a plot shows at `time`, as the graph draws it: that of its last point at or before
// the time, whether the plot draws steps or lines between its points. None before its first
// point, where that point has no value (a gap: a bad quality or a value of another kind, which
// the graph leaves undrawn), and beyond the time its wave was read up to (a cut wave: the graph
// marks the rest "Not read"). A long wave drawn from per-column extremes answers with the last
// of the points it draws, as its line shows it.
std::optional<double> TraceValue(const TPlot& plot, double time);

// The time of the plot's next point with a value after `time` (direction > 0), or of its last
// point with a value before it (direction < 0); none when there is no such point, and beyond a
// cut wave's end.
std::optional<double> StepTime(const TPlot& plot, double time, std::int32_t direction);

}  // namespace graph
