#include "graph/column_reduce.h"

#include <algorithm>

namespace graph {

void ReduceColumns(const TPoint* points, std::uint32_t count, std::vector<TPoint>& out) {
  out.clear();
  out.reserve(count);
  std::uint32_t i = 0;
  while (i < count) {
    const std::int32_t x = points[i].x;
    std::int32_t lowY = points[i].y, highY = lowY;
    std::uint32_t lowAt = i, highAt = i;
    std::uint32_t j = i + 1;
    // Without branches on the values: in a noisy column a new extreme comes too often for a
    // branch to be foreseen.
    for (; j < count && points[j].x == x; ++j) {
      const std::int32_t y = points[j].y;
      const bool lower = y<lowY, higher = y> highY;
      lowAt = lower ? j : lowAt;
      lowY = lower ? y : lowY;
      highAt = higher ? j : highAt;
      highY = higher ? y : highY;
    }
    const std::uint32_t last = j - 1;
    if (j - i <= 4) {
      out.insert(out.end(), points + i, points + j);
      i = j;
      continue;
    }
    const std::uint32_t first = std::min(lowAt, highAt), second = std::max(lowAt, highAt);
    out.push_back(points[i]);
    if (first != i && first != last) out.push_back(points[first]);
    if (second != i && second != last && second != first) out.push_back(points[second]);
    // The end pixel of a path is left out unless an earlier segment started there. When the
    // last point repeats the extreme reached second and the original path left that pixel
    // before coming back, turning back to the other extreme draws it as the original did.
    if (j == count && second < last && points[last].y == points[second].y &&
        points[first].y != points[second].y) {
      bool endDrawn = false;
      for (std::uint32_t k = second; k < last && !endDrawn; ++k) {
        endDrawn = points[k].y == points[last].y && points[k + 1].y != points[k].y;
      }
      if (endDrawn) out.push_back(points[first]);
    }
    out.push_back(points[last]);
    i = j;
  }
}

void DropHiddenStretches(const TPoint* points, std::uint32_t count, const TRect& sight,
                         std::vector<TPoint>& out) {
  out.clear();
  // One bit per side the point lies beyond.
  auto beyond = [&](std::uint32_t i) {
    const TPoint p = points[i];
    return (p.x < sight.left ? 1u : 0u) | (p.y < sight.top ? 2u : 0u) |
           (p.x > sight.right ? 4u : 0u) | (p.y > sight.bottom ? 8u : 0u);
  };
  // The sides shared by the last kept point and the points dropped after it: the segment that
  // replaces them stays beyond one side only while all of them lie beyond it.
  unsigned shared = 0;
  unsigned here = count > 0 ? beyond(0) : 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const unsigned after = i + 1 < count ? beyond(i + 1) : 0;
    if (i > 0 && i + 1 < count && (shared & here & after) != 0) {
      shared &= here;
    } else {
      out.push_back(points[i]);
      shared = here;
    }
    here = after;
  }
}

void TMarkerFilter::Reset(std::int32_t top, std::int32_t bottom) {
  top_ = top;
  rows_ = std::max(0, bottom - top);
  bits_.assign((static_cast<std::size_t>(rows_) + 63) / 64, 0);
  haveColumn_ = false;
}

bool TMarkerFilter::Seen(TPoint p) {
  if (!haveColumn_ || p.x != column_) {
    std::fill(bits_.begin(), bits_.end(), 0);
    column_ = p.x;
    haveColumn_ = true;
  }
  std::int32_t row = p.y - top_;
  if (row < 0 || row >= rows_) return false;
  std::uint64_t& word = bits_[static_cast<std::size_t>(row) / 64];
  std::uint64_t bit = std::uint64_t{1} << (row % 64);
  bool seen = (word & bit) != 0;
  word |= bit;
  return seen;
}

}  // namespace graph
