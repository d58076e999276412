#include "ui/memory_bitmap.h"

#include <algorithm>

namespace ui {

MemoryBitmap::MemoryBitmap(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  dc_.Reset(CreateCompatibleDC(nullptr));
  if (!dc_) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) return;
  select_ = SelectGuard(dc_.Get(), bitmap_.Get());
  bits_ = static_cast<std::uint32_t*>(bits);
}

}  // namespace ui
