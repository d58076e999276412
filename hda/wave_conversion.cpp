#include "hda/wave_conversion.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/wide.h"
#include "text/time_fields.h"
#include "text/time_format.h"

namespace hda {

std::uint64_t FileTimeOfStamp(double timeStamp) {
  // The largest FILETIME that still converts back: the signed 64-bit range of the API.
  constexpr double kMaxMs = 922337203685477.0;
  const double ms = std::trunc(timeStamp + kFileTimeEpochOffsetMs);
  if (std::isnan(ms) || ms <= 0.0) return 0;
  if (ms >= kMaxMs) return static_cast<std::uint64_t>(kMaxMs) * kFileTimeUnitsPerMs;
  return static_cast<std::uint64_t>(ms) * kFileTimeUnitsPerMs;
}

double StampOfFileTime(const FILETIME& time) {
  // The exact value of high * 429496.7296 + low / 10000 - offset, floored: in doubles the sum
  // can land a hair below a whole millisecond and floor one millisecond early.
  const std::uint64_t units =
      (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  const auto ms = static_cast<std::int64_t>(units / kFileTimeUnitsPerMs);
  return static_cast<double>(ms - static_cast<std::int64_t>(kFileTimeEpochOffsetMs));
}

double NumberOfVariant(const VARIANT& value) {
  switch (value.vt) {
    case VT_I2:
      return value.iVal;
    case VT_BOOL:
      return static_cast<std::int16_t>(value.boolVal);
    case VT_I4:
      return value.lVal;
    case VT_INT:
      return value.intVal;
    case VT_R4:
      return value.fltVal;
    case VT_R8:
      return value.dblVal;
    case VT_I1:
      return static_cast<std::int8_t>(value.cVal);
    case VT_UI1:
      return value.bVal;
    case VT_UI2:
      return value.uiVal;
    case VT_UI4:
      return value.ulVal;
    case VT_UINT:
      return value.uintVal;
    default:
      return std::numeric_limits<double>::quiet_NaN();
  }
}

TString TextOfVariant(const VARIANT& value) {
  TString text;
  // A null BSTR is an empty string.
  if (value.vt == VT_BSTR && value.bstrVal != nullptr) {
    text.Assign(platform::U16(value.bstrVal));
  }
  return text;
}

TString WaveLabel(const TWave& wave) {
  TString label(wave.MachineName);
  if (!wave.ServerName.IsEmpty()) label.Append(u':');
  label.Append(wave.ServerName);
  label.Append(u':');
  label.Append(wave.ItemName);
  return label;
}

TString StampText(double timeStamp) {
  TTimeFields fields;
  TimeToFields(timeStamp, fields);
  return TString(FormatDateTime(fields, true));
}

}  // namespace hda
