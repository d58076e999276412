// The C runtime's wall clock.
#pragma once

namespace platform {

// Milliseconds since 1970-01-01 00:00:00 UTC: whole seconds x 1000 + milliseconds.
double CrtNowMs();

using NowFunction = double (*)();
// Test seam: replaces the clock (nullptr restores the real one); returns the previous one.
NowFunction SetClockForTesting(NowFunction now);

}  // namespace platform
