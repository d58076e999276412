// Where a window goes back to when it is restored, in screen coordinates, for storing and
// placing it again at the next start.
#pragma once

#include <windows.h>

namespace ui {

// The window's own rectangle while it is neither minimised nor maximised; otherwise the
// rectangle it will be restored to. The system keeps that one in workspace coordinates (from
// the top left of the work area), which are not screen coordinates when a taskbar or another
// docked bar sits at the top or the left of the screen.
RECT RestoredScreenRect(HWND window);

}  // namespace ui
