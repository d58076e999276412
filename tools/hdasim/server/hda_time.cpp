#include "tools/hdasim/server/hda_time.h"

#include "tools/hdasim/core/relative_time.h"

namespace hdasim {

ResolvedArgument ResolveTimeArgument(const OPCHDA_TIME& time, Ticks now) {
  ResolvedArgument result;
  if (!time.bString) {
    if (!IsValidFileTime(time.ftTime)) return result;
    result.valid = true;
    result.ticks = TicksOf(time.ftTime);
    return result;
  }
  const ResolvedTime resolved = ResolveRelativeTime(time.szTime ? time.szTime : L"", now);
  switch (resolved.kind) {
    case ResolvedTime::Kind::kInvalid:
      return result;
    case ResolvedTime::Kind::kNull:
      result.valid = true;
      return result;
    case ResolvedTime::Kind::kTime:
      result.valid = true;
      result.ticks = resolved.ticks;
      return result;
  }
  return result;
}

void WriteBack(OPCHDA_TIME* time, const ResolvedArgument& resolved) {
  if (resolved.ticks) time->ftTime = FileTimeOf(*resolved.ticks);
}

}  // namespace hdasim
