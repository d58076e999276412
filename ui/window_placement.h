// Where a window goes back to when it is restored, in screen coordinates, for storing and
// placing it again at the next start.
#pragma once

#include <windows.h>

namespace ui {

// Keeps the rectangle a top-level window last had while it was neither minimised nor maximised.
// The system's own record of it (GetWindowPlacement) is in workspace coordinates on Windows, from
// the top left of the work area, which are not screen coordinates when a taskbar or another docked
// bar sits at the top or the left, while Wine gives screen coordinates there: a conversion is
// right on one and shifts the window on the other. The rectangle noted here is the window's own.
class RestoredRect {
 public:
  // Notes the window's rectangle when it is in its normal state; call on every
  // WM_WINDOWPOSCHANGED.
  void Note(HWND window);
  // The window's own rectangle while it is normal; otherwise the one last noted (the system's
  // record, taken as it is, when none was).
  RECT Of(HWND window) const;

 private:
  RECT rect_{};
  bool noted_ = false;
};

}  // namespace ui
