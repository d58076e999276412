// The exports for automation callers: DATEs by reference instead of FILETIMEs, 32-bit integers
// for qualities, a resample interval in whole seconds. Each converts and calls its plain twin.
#include "ambrel/ambrel.h"

#include <windows.h>
#include <oleauto.h>

#include <new>
#include <vector>

#include "ambrel/barrier.h"
#include "ambrel/vb_time.h"

using ambrel::DateToFileTime;
using ambrel::FileTimeToDate;

namespace {

// Room for `count` FILETIMEs, or empty when it cannot be had.
std::vector<FILETIME> TemporaryTimes(DWORD count) {
  std::vector<FILETIME> times;
  try {
    times.resize(count);
  } catch (const std::bad_alloc&) {
    times.clear();
  }
  return times;
}

void ReturnDates(DWORD result, const std::vector<FILETIME>& times, DATE* dates) {
  const DWORD count = result & AMBREL_COUNT_MASK;
  if (!dates) return;
  for (DWORD i = 0; i < count && i < times.size(); ++i) dates[i] = FileTimeToDate(times[i]);
}

}  // namespace

DWORD __stdcall ReadHDAItemAttributesVB(AMBREL_SESSION session, DWORD item_handle,
                                        DWORD attribute_id, DATE* start, DATE* end,
                                        DWORD max_values, DATE* time_stamps, VARIANT* values) {
  return win::Barrier<DWORD>(0, [&]() -> DWORD {
    if (!start || !end) return 0;
    std::vector<FILETIME> times = TemporaryTimes(max_values);
    if (max_values != 0 && times.empty()) return 0;
    const FILETIME from = DateToFileTime(*start);
    const FILETIME to = DateToFileTime(*end);
    const DWORD result = ReadHDAItemAttributes(
        session, item_handle, attribute_id, from.dwLowDateTime, from.dwHighDateTime,
        to.dwLowDateTime, to.dwHighDateTime, max_values, times.data(), values);
    ReturnDates(result, times, time_stamps);
    return result;
  });
}

DWORD __stdcall ReadHDAItemValuesVB(AMBREL_SESSION session, DWORD item_handle, BOOL bounds,
                                    DATE* start, DATE* end, DWORD max_values, DATE* time_stamps,
                                    VARIANT* values, LONG* qualities) {
  return win::Barrier<DWORD>(0, [&]() -> DWORD {
    if (!start || !end) return 0;
    std::vector<FILETIME> times = TemporaryTimes(max_values);
    if (max_values != 0 && times.empty()) return 0;
    const FILETIME from = DateToFileTime(*start);
    const FILETIME to = DateToFileTime(*end);
    const DWORD result = ReadHDAItemValues(
        session, item_handle, bounds, from.dwLowDateTime, from.dwHighDateTime, to.dwLowDateTime,
        to.dwHighDateTime, max_values, times.data(), values, reinterpret_cast<DWORD*>(qualities));
    ReturnDates(result, times, time_stamps);
    return result;
  });
}

DWORD __stdcall ReadHDAProcessedItemValuesVB(AMBREL_SESSION session, DWORD item_handle,
                                             DWORD aggregate_id, DATE* start, DATE* end,
                                             LONG* resample_seconds, DWORD max_values,
                                             DATE* time_stamps, VARIANT* values, LONG* qualities) {
  return win::Barrier<DWORD>(0, [&]() -> DWORD {
    if (!start || !end || !resample_seconds) return 0;
    std::vector<FILETIME> times = TemporaryTimes(max_values);
    if (max_values != 0 && times.empty()) return 0;
    const FILETIME from = DateToFileTime(*start);
    const FILETIME to = DateToFileTime(*end);
    const ULONGLONG interval =
        static_cast<ULONGLONG>(static_cast<LONGLONG>(*resample_seconds) * 10000000LL);
    const DWORD result = ReadHDAProcessedItemValues(
        session, item_handle, aggregate_id, from.dwLowDateTime, from.dwHighDateTime,
        to.dwLowDateTime, to.dwHighDateTime, static_cast<DWORD>(interval),
        static_cast<DWORD>(interval >> 32), max_values, times.data(), values,
        reinterpret_cast<DWORD*>(qualities));
    ReturnDates(result, times, time_stamps);
    return result;
  });
}

HRESULT __stdcall WriteHDAItemValuesVB(AMBREL_SESSION session, DWORD item_handle, DWORD edit_type,
                                       DWORD count, const DATE* time_stamps, const VARIANT* values,
                                       const LONG* qualities, HRESULT* results) {
  return win::Barrier<HRESULT>(E_FAIL, [&]() -> HRESULT {
    std::vector<FILETIME> times = TemporaryTimes(count);
    if (count != 0 && times.empty()) return E_OUTOFMEMORY;
    if (count != 0 && !time_stamps) return E_INVALIDARG;
    for (DWORD i = 0; i < count; ++i) times[i] = DateToFileTime(time_stamps[i]);
    return WriteHDAItemValues(session, item_handle, edit_type, count, times.data(), values,
                              reinterpret_cast<const DWORD*>(qualities), results);
  });
}
