// The union of many hollow square markers of one colour, as few one-pixel vertical segments as
// that union needs: every pixel column of it as its runs of pixels. Where markers crowd (a dense
// wave has points in every pixel column, each square overlapping its neighbours'), this draws a
// few segments per column instead of an outline per point, and sets the same pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "graph/canvas.h"
#include "platform/rect.h"

namespace graph {

class TSquareUnion {
 public:
  // Starts an empty union whose centres may lie in `area` (edges included).
  void Reset(const TRect& area);
  // Adds the square centred at p; false (nothing added) when p lies outside the area.
  bool Add(TPoint p);
  // Appends the union of the squares of half size `a` (at least 1) to the lists, as two-point
  // polylines from the first pixel of a run to one past its last, column by column.
  void Emit(std::int32_t a, std::vector<TPoint>& points, std::vector<std::uint32_t>& counts);

 private:
  using Word = std::uint64_t;
  // ORs the centre column `x` (an area column), moved down by `shift` rows, into `column_`.
  void OrShifted(std::int32_t x, std::int32_t shift);

  TRect area_;
  std::int32_t words_ = 0;                // words per area column
  std::int32_t columnWords_ = 0;          // words of one pixel column of the union
  std::int32_t reach_ = 0;                // the union's column starts `reach_` rows above the area
  std::int32_t firstX_ = 0, lastX_ = -1;  // area columns holding centres
  std::vector<Word> centres_;             // one bit per possible centre, column after column
  std::vector<Word> column_;              // one pixel column of the union being built
};

}  // namespace graph
