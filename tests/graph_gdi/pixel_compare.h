// Pixel comparison of two memory bitmaps for the GDI tests.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/memory_bitmap.h"

// How many pixels of two bitmaps of one size differ, and how many of `expected` are not black.
struct TComparison {
  int differing = 0;
  int inked = 0;
};

inline TComparison Compare(const ui::MemoryBitmap& tested, const ui::MemoryBitmap& expected) {
  GdiFlush();
  TComparison result;
  const int count = expected.Width() * expected.Height();
  for (int i = 0; i < count; ++i) {
    const std::uint32_t want = expected.Pixels()[i] & 0xFFFFFF;
    result.differing += (tested.Pixels()[i] & 0xFFFFFF) != want;
    result.inked += want != 0;
  }
  return result;
}
