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
#include "platform/rect.h"

namespace graph {

// Replaces `out` (whose room is reused) by the reduced run of points[0..count).
void ReduceColumns(const TPoint* points, std::uint32_t count, std::vector<TPoint>& out);

// Replaces `out` by the run without the points that lie, together with the point kept before
// them and the point after, beyond one side of `sight` (left of its left, above its top, right of
// its right or below its bottom): a stretch of such points keeps only its two ends, and the
// segment between them lies beyond that side as the segments it replaces do. Where nothing
// beyond `sight` can be seen (a zoomed plot's clip, widened by the pen), the polyline leaves the
// same pixels.
void DropHiddenStretches(const TPoint* points, std::uint32_t count, const TRect& sight,
                         std::vector<TPoint>& out);

// Remembers which pixels of one column already carry a marker, so a marker is drawn once per
// pixel: markers are drawn after all lines of a run in one colour, so a repeated one changes
// nothing. Pixels outside the rows given to Reset are never reported as seen.
class TMarkerFilter {
 public:
  void Reset(std::int32_t top, std::int32_t bottom);
  // True when (x, y) was already seen in the current column; a new x starts a new column.
  bool Seen(TPoint p);
  // Markers centred outside this rectangle (its edges included in it) cannot be seen: the clip
  // of the plot grown by a marker's reach. Until it is set every marker is in sight.
  void SetSight(const TRect& sight) {
    sight_ = sight;
    haveSight_ = true;
  }
  const TRect* Sight() const { return haveSight_ ? &sight_ : nullptr; }
  // True when the marker at p need not be drawn: out of sight, or its pixel seen.
  bool Skip(TPoint p) {
    if (haveSight_ &&
        (p.x < sight_.left || p.x > sight_.right || p.y < sight_.top || p.y > sight_.bottom)) {
      return true;
    }
    return Seen(p);
  }

 private:
  TRect sight_;
  bool haveSight_ = false;
  std::int32_t top_ = 0;
  std::int32_t rows_ = 0;
  std::int32_t column_ = 0;
  bool haveColumn_ = false;
  std::vector<std::uint64_t> bits_;
};

}  // namespace graph
