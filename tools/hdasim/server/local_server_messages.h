// Private messages of the local server's hidden window, which runs the server's message loop.
#pragma once

#include <windows.h>

namespace hdasim {

// The last object is gone: the grace period of l ms starts (the loop ends at once when the
// server is already ending).
inline constexpr UINT kIdleMessage = WM_APP + 1;
// A client wrote the shutdown control: the server tells its clients, lets them go and ends.
inline constexpr UINT kShutdownMessage = WM_APP + 2;

}  // namespace hdasim
