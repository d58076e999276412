// Where a scroll bar's request takes a scroll position, the same for every scrolled window.
#pragma once

#include <windows.h>

#include <optional>

namespace ui {

// The steps of a scrolled window along one bar, in its own units.
struct ScrollSteps {
  LONG line = 1;
  LONG page = 1;
  LONG last = 0;  // the position SB_BOTTOM goes to
};

// The position after a WM_HSCROLL / WM_VSCROLL request (its LOWORD) on `bar` of `window`, starting
// from `position`; none for a request that moves nothing (SB_ENDSCROLL). The thumb's positions are
// read from the bar. The caller keeps the result within its range.
std::optional<LONG> ScrolledPosition(HWND window, int bar, UINT request, LONG position,
                                     const ScrollSteps& steps);

}  // namespace ui
