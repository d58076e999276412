#include "ui/window_placement.h"

namespace ui {

RECT RestoredScreenRect(HWND window) {
  RECT rect{};
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if ((!IsIconic(window) && !IsZoomed(window)) || !GetWindowPlacement(window, &placement)) {
    GetWindowRect(window, &rect);
    return rect;
  }
  rect = placement.rcNormalPosition;
  // Tool windows are the exception: their placement is in screen coordinates already.
  if ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) return rect;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
  }
  return rect;
}

}  // namespace ui
