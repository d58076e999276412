// Writes a memory bitmap as a PNG file through the Windows Imaging Component.
#pragma once

#include <string>

#include "ui/memory_bitmap.h"

namespace ui {

// Returns an empty text on success, else one line saying what failed. COM must be initialised
// on the calling thread.
std::string WritePng(const MemoryBitmap& bitmap, const wchar_t* path);

}  // namespace ui
