#include "tests/gui/screen_picture.h"

#include <utility>

namespace gui {

namespace {

BITMAPINFO TopDownFormat(int width, int height) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  return format;
}

}  // namespace

ScreenPicture ReadScreen(HWND window) {
  ScreenPicture picture;
  RECT client{};
  POINT origin{0, 0};
  if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin)) return picture;
  BITMAPINFO format = TopDownFormat(client.right, client.bottom);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY)) {
      GdiFlush();
      picture.width = client.right;
      picture.height = client.bottom;
      const auto* first = static_cast<const std::uint32_t*>(bits);
      picture.pixels.assign(first, first + static_cast<std::size_t>(client.right) * client.bottom);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

ScreenPicture ReadSettledScreen(HWND window) {
  constexpr int kTries = 15;
  constexpr DWORD kPauseMs = 200;
  ScreenPicture last = ReadScreen(window);
  for (int i = 0; i < kTries; ++i) {
    Sleep(kPauseMs);
    ScreenPicture now = ReadScreen(window);
    if (now.pixels == last.pixels) return now;
    last = std::move(now);
  }
  return last;
}

ScreenPicture ReadBitmap(HBITMAP bitmap) {
  ScreenPicture picture;
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return picture;
  BITMAPINFO format = TopDownFormat(info.bmWidth, info.bmHeight);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
  HDC screen = GetDC(nullptr);
  const int rows =
      GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != info.bmHeight) return picture;
  picture.width = info.bmWidth;
  picture.height = info.bmHeight;
  picture.pixels = std::move(pixels);
  return picture;
}

}  // namespace gui
