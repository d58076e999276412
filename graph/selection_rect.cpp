#include "graph/selection_rect.h"

#include <algorithm>
#include <cstdlib>

namespace graph {

namespace {

bool NearPoint(std::int32_t x, std::int32_t y, std::int32_t px, std::int32_t py) {
  const std::int64_t dx = x - px, dy = y - py;
  return dx * dx + dy * dy < kNearPixels * kNearPixels;
}

bool Near(std::int32_t a, std::int32_t b) { return std::abs(a - b) < kNearPixels; }

}  // namespace

TDragMode SelectionHitCode(const TRect& r, std::int32_t x, std::int32_t y) {
  if (NearPoint(x, y, r.left, r.top)) return kDragTopLeft;
  if (NearPoint(x, y, r.right, r.top)) return kDragTopRight;
  if (NearPoint(x, y, r.right, r.bottom)) return kDragBottomRight;
  if (NearPoint(x, y, r.left, r.bottom)) return kDragBottomLeft;
  const bool betweenTopAndBottom = r.top < y && y < r.bottom;
  const bool betweenLeftAndRight = r.left < x && x < r.right;
  if (Near(x, r.left) && betweenTopAndBottom) return kDragLeft;
  if (Near(y, r.top) && betweenLeftAndRight) return kDragTop;
  if (Near(x, r.right) && betweenTopAndBottom) return kDragRight;
  if (Near(y, r.bottom) && betweenLeftAndRight) return kDragBottom;
  if (r.left <= x && x <= r.right && r.top <= y && y <= r.bottom) return kDragMove;
  return kDragNone;
}

TSelectionCursor CursorForHitCode(TDragMode code) {
  switch (code) {
    case kDragTopLeft:
    case kDragBottomRight:
      return TSelectionCursor::SizeNwse;
    case kDragTopRight:
    case kDragBottomLeft:
      return TSelectionCursor::SizeNesw;
    case kDragLeft:
    case kDragRight:
      return TSelectionCursor::SizeWe;
    case kDragTop:
    case kDragBottom:
      return TSelectionCursor::SizeNs;
    case kDragMove:
      return TSelectionCursor::Hand;
    default:
      return TSelectionCursor::Arrow;
  }
}

TRect DraggedRect(TDragMode mode, const TRect& saved, TPoint anchor, TPoint pointer) {
  const std::int32_t x = pointer.x, y = pointer.y;
  TRect r = saved;
  auto moveLeft = [&] { r.left = std::min(x, saved.right - kMinResizedSide); };
  auto moveTop = [&] { r.top = std::min(y, saved.bottom - kMinResizedSide); };
  auto moveRight = [&] { r.right = std::max(x, saved.left + kMinResizedSide); };
  auto moveBottom = [&] { r.bottom = std::max(y, saved.top + kMinResizedSide); };
  switch (mode) {
    case kDragNew:
      return {std::min(anchor.x, x), std::min(anchor.y, y), std::max(anchor.x, x),
              std::max(anchor.y, y)};
    case kDragTopLeft:
      moveLeft();
      moveTop();
      break;
    case kDragTopRight:
      moveRight();
      moveTop();
      break;
    case kDragBottomRight:
      moveRight();
      moveBottom();
      break;
    case kDragBottomLeft:
      moveLeft();
      moveBottom();
      break;
    case kDragLeft:
      moveLeft();
      break;
    case kDragTop:
      moveTop();
      break;
    case kDragRight:
      moveRight();
      break;
    case kDragBottom:
      moveBottom();
      break;
    case kDragMove:
    case kDragPan: {
      const std::int32_t dx = x - anchor.x, dy = y - anchor.y;
      return {saved.left + dx, saved.top + dy, saved.right + dx, saved.bottom + dy};
    }
    default:
      break;
  }
  return r;
}

bool IsTooSmallForSelection(const TRect& r) {
  const std::int32_t width = r.right - r.left, height = r.bottom - r.top;
  return (width <= 7 && height <= 7) || width < 3 || height < 3;
}

}  // namespace graph
