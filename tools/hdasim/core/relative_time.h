// Relative time texts such as "NOW-1H15M" or "DAY -1D+7H30M": a keyword naming the start of the
// current second, minute, hour, day, week, month or year (or NOW itself), followed by signed
// offsets in S, M, H, D, W, MO or Y. Letters may be in either case, blanks are ignored, and an
// offset without a sign takes the sign of the one before it.
#pragma once

#include <string_view>

#include "tools/hdasim/core/ticks.h"

namespace hdasim {

struct ResolvedTime {
  enum class Kind { kTime, kNull, kInvalid };
  Kind kind = Kind::kInvalid;
  Ticks ticks = 0;
};

// Resolves `text` against the UTC time `now`. A text that is empty or blank is the null time.
// Calendar keywords count in UTC; a week starts on Monday 00:00.
ResolvedTime ResolveRelativeTime(std::wstring_view text, Ticks now);

// Adds whole months; a day that does not exist in the target month becomes that month's last
// day, at the same time of day. Returns false when the result leaves the valid range.
bool AddMonths(Ticks time, std::int64_t months, Ticks* result);

}  // namespace hdasim
