// Sizes in pixels at 96 DPI, scaled to the DPI of a window (the program is DPI aware).
#pragma once

#include <windows.h>

namespace ui {

// The window's DPI (the screen's when the window is null or the system cannot tell).
int WindowDpi(HWND hwnd);
// value * DPI / 96, rounded.
int ScaleForWindow(HWND hwnd, int value);
// An icon resource of the program at the small-icon size for the window's DPI (shared: never
// destroyed by the caller).
HICON LoadSmallIcon(HWND hwnd, int resource_id);

}  // namespace ui
