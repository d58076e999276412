// Pictures the GUI tests read back: what the screen shows of a window's client area, and the
// bitmap on the clipboard.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace gui {

// Pixels as 0xRRGGBB values row by row; empty when they could not be read.
struct ScreenPicture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF;
  }
};

// The display's pixels of the window's client area (not the program's bitmap).
ScreenPicture ReadScreen(HWND window);
// The same once two reads a moment apart agree (at most a few seconds): under Wine a program's
// drawing reaches the display when its message loop next flushes the window's surface.
ScreenPicture ReadSettledScreen(HWND window);
// The clipboard's CF_BITMAP (the clipboard must be open).
ScreenPicture ReadBitmap(HBITMAP bitmap);

}  // namespace gui
