// The selection rectangle of a graph window: where a point hits it, how a drag reshapes it, which
// cursor each hit shows, and when a finished drag is too small to be kept.
#pragma once

#include <cstdint>

#include "graph/canvas.h"
#include "platform/rect.h"

namespace graph {

// What a drag does; the values 2 to 10 are also the hit codes of a point against the rectangle.
enum TDragMode : std::int32_t {
  kDragNone = 0,
  kDragNew = 1,
  kDragTopLeft = 2,
  kDragTopRight = 3,
  kDragBottomRight = 4,
  kDragBottomLeft = 5,
  kDragLeft = 6,
  kDragTop = 7,
  kDragRight = 8,
  kDragBottom = 9,
  kDragMove = 10,
  kDragPan = 11,
};

// A point is near a corner or an edge when its distance is below this many pixels.
inline constexpr std::int32_t kNearPixels = 4;
// Resizing never makes a side shorter than this.
inline constexpr std::int32_t kMinResizedSide = 8;

enum class TSelectionCursor : std::uint8_t { Arrow, SizeNwse, SizeNesw, SizeWe, SizeNs, Hand };

// The hit code of (x, y): the corners first (top left, top right, bottom right, bottom left),
// then the edges (left, top, right, bottom), then the inside (edges included); kDragNone
// elsewhere.
TDragMode SelectionHitCode(const TRect& rect, std::int32_t x, std::int32_t y);

TSelectionCursor CursorForHitCode(TDragMode code);

// The rectangle while a drag in `mode` that began at `anchor` with the rectangle `saved` is at
// `pointer`: a new rectangle spans anchor and pointer, a corner or edge follows the pointer but
// keeps the side at least kMinResizedSide long, moving and panning shift the saved rectangle.
TRect DraggedRect(TDragMode mode, const TRect& saved, TPoint anchor, TPoint pointer);

// A finished drag that is not kept as the selection: both sides at most 7 pixels, or one side
// below 3 pixels (a click without a drag is one).
bool IsTooSmallForSelection(const TRect& rect);

}  // namespace graph
