#include "views/window_picture.h"

#include <algorithm>
#include <cstring>

#include "ui/gdi_select.h"
#include "views/core/print_layout.h"
#include "win/handle.h"

namespace views {

namespace {

constexpr int kMaxPaletteEntries = 256;

// The system palette of the window's DC, or white and black when it has 2 entries or fewer.
win::UniquePalette MakePalette(HDC window_dc) {
  std::vector<std::uint8_t> bytes(sizeof(LOGPALETTE) + kMaxPaletteEntries * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(bytes.data());
  palette->palVersion = 0x300;
  UINT count = window_dc
                   ? GetSystemPaletteEntries(window_dc, 0, kMaxPaletteEntries, palette->palPalEntry)
                   : 0;
  if (count <= 2) {
    count = 2;
    palette->palPalEntry[0] = {255, 255, 255, 0};
    palette->palPalEntry[1] = {0, 0, 0, 0};
  }
  palette->palNumEntries = static_cast<WORD>(std::min<UINT>(count, kMaxPaletteEntries));
  return win::UniquePalette(CreatePalette(palette));
}

}  // namespace

int DibBitsPerPixel(int planes_times_bits) {
  if (planes_times_bits <= 1) return 1;
  if (planes_times_bits <= 4) return 4;
  if (planes_times_bits <= 8) return 8;
  if (planes_times_bits <= 24) return 24;
  return 32;
}

void WindowPicture::Free() {
  width_ = height_ = bits_ = 0;
  info_.clear();
  pixels_.clear();
}

bool WindowPicture::Take(HWND window) {
  Free();
  RECT rect{};
  if (!window || !IsWindow(window) || !GetWindowRect(window, &rect) || IsRectEmpty(&rect))
    return false;
  SetForegroundWindow(window);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);

  ui::WindowDc screen(nullptr);
  if (!screen.Get()) return false;
  const int screen_width = GetDeviceCaps(screen.Get(), HORZRES);
  const int screen_height = GetDeviceCaps(screen.Get(), VERTRES);
  rect.left = std::max<LONG>(rect.left, 0);
  rect.top = std::max<LONG>(rect.top, 0);
  rect.right = std::min<LONG>(rect.right, screen_width);
  rect.bottom = std::min<LONG>(rect.bottom, screen_height);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;

  win::UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  win::UniqueDc memory(CreateCompatibleDC(screen.Get()));
  if (!bitmap || !memory) return false;
  {
    ui::SelectGuard select(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY)) {
      return false;
    }
  }
  const int bits =
      DibBitsPerPixel(GetDeviceCaps(screen.Get(), PLANES) * GetDeviceCaps(screen.Get(), BITSPIXEL));

  std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + kMaxPaletteEntries * sizeof(RGBQUAD));
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(bits);
  header->biCompression = BI_RGB;

  ui::WindowDc window_dc(window);
  win::UniquePalette palette = MakePalette(window_dc.Get());
  if (!palette) return false;
  HPALETTE previous = SelectPalette(memory.Get(), palette.Get(), FALSE);
  RealizePalette(memory.Get());
  // The header tells the image size; without one, rows of width x bits rounded up to 32 bits.
  GetDIBits(memory.Get(), static_cast<HBITMAP>(bitmap.Get()), 0, height, nullptr,
            reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  std::size_t size = header->biSizeImage;
  if (size == 0) size = static_cast<std::size_t>((width * bits + 31) / 32) * 4 * height;
  std::vector<std::uint8_t> pixels(size);
  const int rows =
      GetDIBits(memory.Get(), static_cast<HBITMAP>(bitmap.Get()), 0, height, pixels.data(),
                reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  SelectPalette(memory.Get(), previous, FALSE);
  if (rows != height) return false;

  width_ = width;
  height_ = height;
  bits_ = bits;
  info_ = std::move(info);
  pixels_ = std::move(pixels);
  return true;
}

void WindowPicture::Draw(HDC dc, int page_width, int page_height) const {
  if (Empty()) return;
  const PrintSize size = FitPictureToPage(page_width, page_height, width_, height_);
  if (size.width <= 0 || size.height <= 0) return;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 0, 0, size.width, size.height, 0, 0, width_, height_, pixels_.data(),
                reinterpret_cast<const BITMAPINFO*>(info_.data()), DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace views
