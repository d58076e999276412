#include "graph/trace_lookup.h"

#include <algorithm>
#include <cmath>

namespace graph {

namespace {

bool BeyondCut(const TPlot& plot, double time) {
  return !std::isnan(plot.CutAfter()) && time > plot.CutAfter();
}

}  // namespace

std::optional<std::size_t> PointAtOrBefore(const std::vector<double>& times, double time) {
  if (std::isnan(time)) return std::nullopt;
  const auto after = std::upper_bound(times.begin(), times.end(), time);
  if (after == times.begin()) return std::nullopt;
  return static_cast<std::size_t>(after - times.begin()) - 1;
}

std::optional<double> TraceValue(const TPlot& plot, double time) {
  if (BeyondCut(plot, time)) return std::nullopt;
  const std::vector<double>& y = plot.Y();
  const std::optional<std::size_t> at = PointAtOrBefore(plot.X(), time);
  if (!at || *at >= y.size() || !std::isfinite(y[*at])) return std::nullopt;
  return y[*at];
}

std::optional<double> StepTime(const TPlot& plot, double time, std::int32_t direction) {
  const std::vector<double>& x = plot.X();
  const std::vector<double>& y = plot.Y();
  const std::size_t n = std::min(x.size(), y.size());
  if (direction > 0) {
    const auto first =
        std::upper_bound(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(n), time);
    for (auto i = static_cast<std::size_t>(first - x.begin()); i < n; ++i) {
      if (BeyondCut(plot, x[i])) return std::nullopt;
      if (std::isfinite(y[i]) && std::isfinite(x[i])) return x[i];
    }
    return std::nullopt;
  }
  const auto first = std::lower_bound(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(n), time);
  for (auto i = static_cast<std::size_t>(first - x.begin()); i > 0; --i) {
    if (std::isfinite(y[i - 1]) && std::isfinite(x[i - 1]) && !BeyondCut(plot, x[i - 1])) {
      return x[i - 1];
    }
  }
  return std::nullopt;
}

}  // namespace graph
