// The screen area a main window may use.
#pragma once

#include <optional>

namespace platform {

struct ScreenRect {
  long left = 0;
  long top = 0;
  long right = 0;
  long bottom = 0;
};

// The work area of the primary monitor (the screen less the task bar).
ScreenRect WorkArea();

// Test seam: forces the value (std::nullopt restores the real one).
void SetWorkAreaForTesting(std::optional<ScreenRect> area);

}  // namespace platform
