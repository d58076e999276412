// An off-screen 32-bit top-down bitmap selected into its own memory DC: the target of the graph's
// double buffering and clipboard copy, and of the pixel tests.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/gdi_select.h"
#include "win/handle.h"

namespace ui {

class MemoryBitmap {
 public:
  // Width and height at least 1. Check Valid() after construction.
  MemoryBitmap(int width, int height);
  MemoryBitmap(const MemoryBitmap&) = delete;
  MemoryBitmap& operator=(const MemoryBitmap&) = delete;

  bool Valid() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HBITMAP Bitmap() const { return static_cast<HBITMAP>(bitmap_.Get()); }
  // Pixels as 0x00RRGGBB, row by row from the top, Width() to a row. Flush GDI before reading or
  // writing them.
  const std::uint32_t* Pixels() const { return bits_; }
  std::uint32_t* Pixels() { return bits_; }
  std::uint32_t Pixel(int x, int y) const { return bits_[y * width_ + x] & 0xFFFFFF; }

 private:
  int width_;
  int height_;
  std::uint32_t* bits_ = nullptr;
  win::UniqueDc dc_;
  win::UniqueGdiObject bitmap_;
  SelectGuard select_;  // declared last: the bitmap is deselected before it is deleted
};

}  // namespace ui
