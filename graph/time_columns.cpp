#include "graph/time_columns.h"

#include <cmath>

namespace graph {

double FirstStampAtOrRightOf(const TAxis::TPixelMap& map, std::int32_t pixel) {
  // An estimate from the inverse mapping, then a search between stamps that lie on either side;
  // the map runs one way over the stamps, so the search is exact whatever its rounding.
  const double perPixel = 1.0 / map.scale;
  const double guess = std::floor(map.min + (pixel - map.origin - 0.5) * perPixel);
  double reach = std::ceil(perPixel) + 2;
  double lo = guess - reach, hi = guess + reach;
  while (map(lo) >= pixel) lo -= (reach *= 2);
  while (map(hi) < pixel) hi += (reach *= 2);
  // Invariant: map(lo) < pixel <= map(hi).
  while (hi - lo > 1) {
    const double mid = std::floor((lo + hi) / 2);
    (map(mid) < pixel ? lo : hi) = mid;
  }
  return hi;
}

std::optional<TColumnGrid> WholeMsColumns(const TAxis::TPixelMap& map, std::int32_t firstPixel,
                                          std::int32_t lastPixel) {
  if (map.upwards || !(map.scale > 0) || !std::isfinite(map.scale) || lastPixel < firstPixel) {
    return std::nullopt;
  }
  TColumnGrid grid;
  grid.firstPixel = firstPixel;
  grid.count = lastPixel - firstPixel + 1;
  grid.firstStamp = FirstStampAtOrRightOf(map, firstPixel);
  const double second = FirstStampAtOrRightOf(map, firstPixel + 1);
  grid.stepMs = static_cast<std::int64_t>(second - grid.firstStamp);
  if (grid.stepMs < 1) return std::nullopt;
  for (std::int32_t i = 1; i <= grid.count; ++i) {
    const double boundary = grid.StampAt(i);
    if (map(boundary) != firstPixel + i || map(boundary - 1) != firstPixel + i - 1) {
      return std::nullopt;
    }
  }
  return grid;
}

bool SnapToWholeMsColumns(double& min, double& max, std::int32_t length) {
  if (length <= 0 || !(max > min) || !std::isfinite(max - min)) return false;
  if ((max - min) / length < 1) return false;
  const double low = std::floor(min);
  const double step = std::ceil((max - low + 0.5) / length);
  // With pixel centres on whole values of (t - min) * scale, boundaries lie half a column from
  // them: on half milliseconds for an odd step from a whole min, and for an even step from a
  // min on a half millisecond.
  min = std::fmod(step, 2.0) == 0 ? low - 0.5 : low;
  max = min + step * length;
  return true;
}

std::optional<TColumnGrid> AxisColumns(const TAxis& axis) {
  return WholeMsColumns(axis.XMap(), axis.X0() - kColumnMargin, axis.X1() + kColumnMargin);
}

}  // namespace graph
