// OPCHDA_TIME and FILETIME as the simulator's ticks.
#pragma once

#include <optional>

#include "opc/opc.h"
#include "tools/hdasim/core/ticks.h"

namespace hdasim {

inline Ticks TicksOf(const FILETIME& ft) {
  return static_cast<Ticks>((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}
inline bool IsValidFileTime(const FILETIME& ft) {
  return ft.dwHighDateTime < 0x80000000u && TicksOf(ft) <= kMaxTicks;
}
inline FILETIME FileTimeOf(Ticks t) {
  const auto u = static_cast<ULONGLONG>(t);
  return FILETIME{static_cast<DWORD>(u & 0xFFFFFFFFu), static_cast<DWORD>(u >> 32)};
}

// One OPCHDA_TIME argument resolved against the server clock. `ticks` is empty for the null
// time (a string time with an empty or missing text).
struct ResolvedArgument {
  bool valid = false;
  std::optional<Ticks> ticks;
};
ResolvedArgument ResolveTimeArgument(const OPCHDA_TIME& time, Ticks now);

// Writes the resolved time back into the caller's ftTime; the null time leaves it alone.
void WriteBack(OPCHDA_TIME* time, const ResolvedArgument& resolved);

}  // namespace hdasim
