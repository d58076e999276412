#include "text/time_base.h"

#include "platform/clock.h"
#include "platform/timezone.h"

namespace time_base_detail {
// Constant-initialised: the tables exist before any dynamic initialiser runs.
constinit TTimeBase g_timeBase;
}  // namespace time_base_detail

namespace {

// The machine's standard-time offset is read once and stays fixed while the program runs; the
// operating system's own daylight-saving flag is deliberately ignored in favour of the built-in
// rule.
struct LocalOffsetAtStartUp {
  LocalOffsetAtStartUp() {
    time_base_detail::g_timeBase.SetLocalOffsetMs(
        LocalOffsetFromMinutesWest(platform::MinutesWestOfUtc()));
  }
} g_localOffsetAtStartUp;

}  // namespace

double Now() { return platform::CrtNowMs() + TimeBase().EpochOffsetMs(); }

double LocalOffsetFromMinutesWest(long minutesWest) {
  // In double: minutes x 60000 overflows a 32-bit long for absurd inputs.
  double offset = 0.0 - static_cast<double>(minutesWest) * 60000.0;
  return std::clamp(offset, -TTimeBase::kMaxLocalOffsetMs, TTimeBase::kMaxLocalOffsetMs);
}

double SetLocalOffsetForTesting(double offsetMs) {
  double previous = TimeBase().LocalOffsetMs();
  time_base_detail::g_timeBase.SetLocalOffsetMs(offsetMs);
  return previous;
}
