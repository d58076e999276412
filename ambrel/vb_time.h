// DATE <-> FILETIME through the platform's system-time calls, with no time-zone shift.
#pragma once

#include <windows.h>
#include <wtypes.h>

namespace ambrel {

// A DATE the platform cannot convert gives a zero FILETIME; a FILETIME it cannot convert gives 0.
FILETIME DateToFileTime(DATE date);
DATE FileTimeToDate(const FILETIME& time);

}  // namespace ambrel
