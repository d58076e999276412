#include "ui/dpi.h"

#include "ui/gdi_select.h"

namespace ui {

int WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (hwnd && get_dpi_for_window) {
    if (const UINT dpi = get_dpi_for_window(hwnd)) return static_cast<int>(dpi);
  }
  WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

int ScaleForWindow(HWND hwnd, int value) { return MulDiv(value, WindowDpi(hwnd), 96); }

HICON LoadSmallIcon(HWND hwnd, int resource_id) {
  const int size = ScaleForWindow(hwnd, 16);
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource_id),
                                       IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace ui
