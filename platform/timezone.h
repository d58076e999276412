// The C runtime's standard-time offset of the local time zone.
#pragma once

#include <optional>

namespace platform {

// Minutes west of UTC of local standard time (negative east of Greenwich).
long MinutesWestOfUtc();

// Test seam: forces the value (std::nullopt restores the real one).
void SetMinutesWestForTesting(std::optional<long> minutesWest);

}  // namespace platform
