#include "ui/dib_surface.h"

#include <algorithm>

#include "ui/memory_bitmap.h"

namespace ui {

std::optional<DibSurface> DibSurface::Of(MemoryBitmap& bitmap) {
  HDC dc = bitmap.Dc();
  if (!bitmap.Valid() || GetCurrentObject(dc, OBJ_BITMAP) != bitmap.Bitmap() ||
      GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE || GetLayout(dc) != 0 ||
      GetROP2(dc) != R2_COPYPEN) {
    return std::nullopt;
  }
  RECT box{};
  const int kind = GetClipBox(dc, &box);
  if (kind != SIMPLEREGION && kind != NULLREGION) return std::nullopt;
  POINT viewport{}, window{};
  GetViewportOrgEx(dc, &viewport);
  GetWindowOrgEx(dc, &window);

  DibSurface surface;
  surface.pixels_ = bitmap.Pixels();
  surface.width_ = bitmap.Width();
  surface.offset_ = {viewport.x - window.x, viewport.y - window.y};
  if (kind == NULLREGION) {
    surface.clip_ = {0, 0, 0, 0};
  } else {
    // The clip box lies within the bitmap already; held to it all the same.
    surface.clip_ = {std::max(box.left, -surface.offset_.x), std::max(box.top, -surface.offset_.y),
                     std::min(box.right, bitmap.Width() - surface.offset_.x),
                     std::min(box.bottom, bitmap.Height() - surface.offset_.y)};
  }
  return surface;
}

void DibSurface::VerticalLines(const POINT* points, std::size_t lines, COLORREF color) const {
  // 0x00RRGGBB in a 32-bit pixel.
  const std::uint32_t pixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  GdiFlush();  // what GDI still holds back is drawn first
  for (std::size_t i = 0; i < lines; ++i) {
    const POINT from = points[2 * i], to = points[2 * i + 1];
    if (from.x < clip_.left || from.x >= clip_.right || from.y == to.y) continue;
    // Downwards from `from` to just above `to`, or upwards to just below it.
    LONG top = to.y > from.y ? from.y : to.y + 1;
    LONG end = to.y > from.y ? to.y : from.y + 1;
    top = std::max(top, clip_.top);
    end = std::min(end, clip_.bottom);
    if (top >= end) continue;
    std::uint32_t* at = pixels_ + (top + offset_.y) * width_ + (from.x + offset_.x);
    for (LONG y = top; y < end; ++y, at += width_) *at = pixel;
  }
}

}  // namespace ui
