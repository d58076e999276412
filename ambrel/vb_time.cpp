#include "ambrel/vb_time.h"

#include <oleauto.h>

namespace ambrel {

FILETIME DateToFileTime(DATE date) {
  SYSTEMTIME system{};
  FILETIME time{};
  if (!VariantTimeToSystemTime(date, &system) || !SystemTimeToFileTime(&system, &time)) {
    return FILETIME{};
  }
  return time;
}

DATE FileTimeToDate(const FILETIME& time) {
  SYSTEMTIME system{};
  DATE date = 0;
  if (!FileTimeToSystemTime(&time, &system) || !SystemTimeToVariantTime(&system, &date)) return 0;
  return date;
}

}  // namespace ambrel
