// The custom period: the period dialog, shown with its title on the document's times.
#pragma once

#include <windows.h>

namespace app {

// Writes the chosen start and stop and returns true; false when cancelled.
bool RunCustomPeriod(HWND owner, const char16_t* title, double& start, double& stop);

}  // namespace app
