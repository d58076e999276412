// Reduction of a pixel run before drawing: where several consecutive points fall in one pixel
// column, only the first, the lowest, the highest and the last are kept, in their original order.
// Inside a column every segment is vertical, so the kept points cover the same pixels; the
// segments between columns are kept as they are. In the run's last column, whose last pixel no
// later segment draws, the path turns back once more when the original left that pixel and came
// back to it.
#pragma once

#include <cstdint>
#include <vector>

#include "graph/canvas.h"

namespace graph {

// Replaces `out` (whose room is reused) by the reduced run of points[0..count).
void ReduceColumns(const TPoint* points, std::uint32_t count, std::vector<TPoint>& out);

// Remembers which pixels of one column already carry a marker, so a marker is drawn once per
// pixel: markers are drawn after all lines of a run in one colour, so a repeated one changes
// nothing. Pixels outside the rows given to Reset are never reported as seen.
class TMarkerFilter {
 public:
  void Reset(std::int32_t top, std::int32_t bottom);
  // True when (x, y) was already seen in the current column; a new x starts a new column.
  bool Seen(TPoint p);

 private:
  std::int32_t top_ = 0;
  std::int32_t rows_ = 0;
  std::int32_t column_ = 0;
  bool haveColumn_ = false;
  std::vector<std::uint64_t> bits_;
};

}  // namespace graph
