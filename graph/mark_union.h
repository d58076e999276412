// The union of many marks of one shape and colour (markers drawn after the lines of their run),
// as few one-pixel vertical segments as that union needs: every pixel column of it as its runs of
// pixels. A mark is the set of pixels one marker sets, so the union sets exactly the pixels of
// drawing every marker on its own; where markers crowd (a dense wave has points in every pixel
// column, each marker overlapping its neighbours') it is a few segments per column instead of a
// drawing per point.
#pragma once

#include <cstdint>
#include <vector>

#include "graph/canvas.h"
#include "platform/rect.h"

namespace graph {

// The pixels of one mark around its centre: bit r of columns[i] is the pixel (left + i, top + r)
// relative to the centre.
struct TMarkMask {
  static constexpr std::int32_t kMaxHeight = 64;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::vector<std::uint64_t> columns;
  bool Empty() const { return columns.empty(); }
};

// The outline of a hollow square of half size a (at least 1), as a closed polyline sets it.
TMarkMask SquareOutlineMask(std::int32_t a);

class TMarkUnion {
 public:
  // Starts an empty union of `mask` (at most kMaxHeight rows) whose centres may lie in `area`
  // (edges included).
  void Reset(const TRect& area, const TMarkMask& mask);
  // Adds the mark centred at p; false (nothing added) when p lies outside the area. A centre
  // added twice costs nothing more.
  bool Add(TPoint p) { return Add(&p, 1) == 1; }
  // Adds the marks centred at the points; returns how many lay in the area.
  std::uint32_t Add(const TPoint* points, std::uint32_t count);
  // Appends the union to the lists, as two-point polylines from the first pixel of a run to one
  // past its last, column by column, and empties the union.
  void Emit(std::vector<TPoint>& points, std::vector<std::uint32_t>& counts);

 private:
  using Word = std::uint64_t;

  TRect area_;
  TMarkMask mask_;
  std::int32_t centreWords_ = 0;  // words of one column of centres
  std::int32_t words_ = 0;        // words of one pixel column of the union
  std::int32_t firstX_ = 0;       // the columns holding centres, from the area's left
  std::int32_t lastX_ = -1;
  std::int32_t firstWord_ = 0;  // the words holding centres in any column
  std::int32_t lastWord_ = -1;
  // The centres, one bit each, and the union, column after column (the union's row 0 is the
  // area's top plus the mask's top). Both are all 0 again after Emit, so that the next union of
  // the same size clears nothing.
  std::vector<Word> centres_;
  std::vector<Word> bits_;
  bool dirty_ = false;
};

}  // namespace graph
