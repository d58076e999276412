// The conversions of a wave read: time stamps to and from FILETIMEs, VARIANT values to numbers
// and texts, and the label the log names a wave by.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>

#include "document/wave.h"
#include "text/tstring.h"

namespace hda {

inline constexpr std::uint32_t kMaxValuesPerRead = 32000;
inline constexpr double kFileTimeEpochOffsetMs = 11644473600000.0;  // 1601-01-01 to 1970-01-01
inline constexpr std::int64_t kFileTimeUnitsPerMs = 10000;
inline constexpr double kMsPerFileTimeHighWord = 429496.7296;  // 2^32 / 10000

// FILETIME of a time stamp: the whole milliseconds since 1601 (truncated) times 10000. Stamps
// before 1601 (or NaN) give 0 and stamps beyond the signed 64-bit range (or +infinity) the
// largest one, instead of an undefined conversion.
std::uint64_t FileTimeOfStamp(double timeStamp);
// A FILETIME as one 64-bit count of 100-ns ticks.
inline std::uint64_t TicksOf(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}
// Time stamp of a FILETIME: the floor of its milliseconds since 1970.
double StampOfFileTime(const FILETIME& time);
// The number a value stands for by its own type; quiet NaN for the types without one.
double NumberOfVariant(const VARIANT& value);
// The string of a VT_BSTR up to its first zero; empty for every other value.
TString TextOfVariant(const VARIANT& value);
// The machine name, ":" when the server is named, the server name, ":" and the item name.
TString WaveLabel(const TWave& wave);
// A time stamp in the log's day-first form with milliseconds, or "INF".
TString StampText(double timeStamp);

}  // namespace hda
