// The pixels of a memory bitmap, written directly where GDI's own way only costs time: many short
// vertical lines of one thin solid pen (a graph's markers, as the runs of their union) are a few
// stores each, where GDI spends over a hundred nanoseconds on each line before it sets a pixel.
// Only while the bitmap's DC maps one logical unit to one pixel, copies its pen's colour and clips
// to one rectangle, so that the pixels set are exactly GDI's.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace ui {

class MemoryBitmap;

class DibSurface {
 public:
  // The surface of `bitmap` as its DC draws now, or nothing where its pixels cannot be written as
  // GDI would: another bitmap selected, a mapping other than one to one (mode, world transform,
  // mirroring), a raster operation other than copying the pen, or a clip region that is not a
  // single rectangle.
  static std::optional<DibSurface> Of(MemoryBitmap& bitmap);

  // Sets the pixels the DC's thin solid pen of `color` sets for each line from points[2 i] to
  // points[2 i + 1], all of them vertical: every pixel from the first point towards the second,
  // the second left out. `color` is a plain RGB value (no palette index).
  void VerticalLines(const POINT* points, std::size_t lines, COLORREF color) const;

 private:
  DibSurface() = default;

  std::uint32_t* pixels_ = nullptr;  // top-down, `width_` to a row
  std::ptrdiff_t width_ = 0;
  POINT offset_{};  // device pixel = logical unit + offset
  RECT clip_{};     // in logical units: where pixels may be set
};

}  // namespace ui
