#include "ui/window_placement.h"

namespace ui {

namespace {

bool IsNormal(HWND window) { return !IsIconic(window) && !IsZoomed(window); }

}  // namespace

void RestoredRect::Note(HWND window) {
  RECT rect{};
  if (!IsNormal(window) || !GetWindowRect(window, &rect)) return;
  rect_ = rect;
  noted_ = true;
}

RECT RestoredRect::Of(HWND window) const {
  RECT rect{};
  if (IsNormal(window) && GetWindowRect(window, &rect)) return rect;
  if (noted_) return rect_;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (GetWindowPlacement(window, &placement)) return placement.rcNormalPosition;
  GetWindowRect(window, &rect);
  return rect;
}

}  // namespace ui
