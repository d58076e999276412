// The picture of a window as the screen shows it, kept as a device-independent bitmap so it can
// be stretched onto a printer's page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace views {

class WindowPicture {
 public:
  // Photographs the window: brought to the foreground and repainted, its rectangle clipped to the
  // screen. False (and no picture) when the window has no area on the screen or a step fails.
  bool Take(HWND window);
  void Free();
  bool Empty() const { return pixels_.empty(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bits_; }
  // Stretches the whole picture onto the page at its top left corner, as wide as the page or as
  // high as the page, whichever keeps it on the page.
  void Draw(HDC dc, int page_width, int page_height) const;

 private:
  int width_ = 0;
  int height_ = 0;
  int bits_ = 0;
  std::vector<std::uint8_t> info_;  // BITMAPINFOHEADER and the colour table
  std::vector<std::uint8_t> pixels_;
};

// Bits per pixel of a device, rounded up to a depth a DIB can have: 1, 4, 8, 24 or 32.
int DibBitsPerPixel(int planes_times_bits);

}  // namespace views
