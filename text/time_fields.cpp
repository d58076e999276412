#include "text/time_fields.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "text/time_base.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kLastTimeStampMs = 4102444799999.0;  // 2099-12-31 23:59:59.999 UTC
constexpr std::int64_t kMsPerDay = 86400000;
constexpr std::int64_t kMsPerHour = 3600000;

void MakeInvalid(TTimeFields& record) {
  record.day = 2;
  record.month = 1;
  record.year = 1970;
  record.hour = 0;
  record.minute = 0;
  record.second = 0;
  record.millisecond = 0;
  record.invalid = true;
}

// 00:00 local of the given day in the record's month and year.
double LocalMidnight(const TTimeFields& record, int month, int day) {
  TTimeFields midnight;
  midnight.year = record.year;
  midnight.month = month;
  midnight.day = day;
  midnight.invalid = record.invalid;
  return FieldsToTime(midnight);
}

}  // namespace

void TimeToFields(double timeStamp, TTimeFields& record) {
  if (!std::isfinite(timeStamp)) {
    MakeInvalid(record);
    return;
  }
  const TTimeBase& base = TimeBase();
  double offset = base.LocalOffsetMs();
  double t = std::clamp(timeStamp, -offset, kLastTimeStampMs);
  // The milliseconds come from the local time, which is never negative; the remainder of t itself
  // would be negative just below 0 under a positive offset.
  std::int64_t local = std::max<std::int64_t>(
      0, static_cast<std::int64_t>(std::floor(t)) + static_cast<std::int64_t>(offset));
  std::int64_t s = local / 1000;
  int year = TTimeBase::kFirstYear + static_cast<int>(s / 31536000);
  if (s < base.YearStartSeconds(year)) --year;
  if (t >= base.DaylightStartMs(year) && t < base.DaylightEndMs(year)) s += 3600;

  std::int64_t inYear = s - base.YearStartSeconds(year);
  int month = base.MonthOfSecond(year, inYear);
  std::int64_t inMonth = inYear - base.MonthStartSeconds(year, month);
  std::int64_t inDay = inMonth % TTimeBase::kSecondsPerDay;
  record.year = year;
  record.month = month;
  record.day = static_cast<std::int32_t>(inMonth / TTimeBase::kSecondsPerDay + 1);
  record.hour = static_cast<std::int32_t>(inDay / 3600);
  record.minute = static_cast<std::int32_t>(inDay / 60 % 60);
  record.second = static_cast<std::int32_t>(inDay % 60);
  record.millisecond = static_cast<std::int32_t>(local % 1000);
  record.invalid = false;
}

double FieldsToTime(const TTimeFields& record) {
  if (record.invalid) return kInfinity;
  const TTimeBase& base = TimeBase();
  // 64-bit throughout: callers may have written any value into the fields.
  std::int64_t localMs =
      (base.YearStartSeconds(record.year) + base.MonthStartSeconds(record.year, record.month)) *
          1000 +
      (static_cast<std::int64_t>(record.day) - 1) * kMsPerDay +
      static_cast<std::int64_t>(record.hour) * kMsPerHour +
      static_cast<std::int64_t>(record.minute) * 60000 +
      static_cast<std::int64_t>(record.second) * 1000 + record.millisecond;
  double t = static_cast<double>(localMs) - base.LocalOffsetMs();
  if (t >= base.DaylightStartMs(record.year) + kMsPerHour && t < base.DaylightEndMs(record.year)) {
    t -= kMsPerHour;
  }
  return t;
}

void SetFields(int year, int day, int month, int hour, int minute, int second, int millisecond,
               TTimeFields& record) {
  std::int64_t y = std::llabs(year);  // 64-bit: the magnitude of INT_MIN does not fit an int
  if (y < 70) {
    y += 2000;
  } else if (y < 100) {
    y += 1900;
  }
  record.year = static_cast<std::int32_t>(std::clamp<std::int64_t>(y, 1970, 2099));
  record.month = std::clamp(month, 1, 12);
  record.day = std::clamp(day, 1, TimeBase().DaysInMonth(record.year, record.month));
  record.hour = std::clamp(hour, 0, 23);
  record.minute = std::clamp(minute, 0, 59);
  record.second = std::clamp(second, 0, 59);
  record.millisecond = std::clamp(millisecond, 0, 999);
  record.invalid = false;
}

void NowFields(TTimeFields& record) { TimeToFields(Now(), record); }

double StartOfYear(const TTimeFields& record) { return std::max(0.0, LocalMidnight(record, 1, 1)); }

double StartOfMonth(const TTimeFields& record) { return LocalMidnight(record, record.month, 1); }

double StartOfFiveDays(const TTimeFields& record) {
  int day = std::clamp(record.day / 5 * 5, 1, 25);
  return LocalMidnight(record, record.month, day);
}

double StartOfDay(const TTimeFields& record) {
  return LocalMidnight(record, record.month, record.day);
}

double StartOfWeek(const TTimeFields& record) {
  if (record.invalid) return kInfinity;
  std::int64_t dayNumber = TimeBase().DayNumber(record.year, record.month, record.day);
  int weekday = static_cast<int>(((dayNumber + 4) % 7 + 7) % 7);  // 0 Sunday .. 6 Saturday
  int daysSinceMonday = weekday == 0 ? 6 : weekday - 1;
  // From noon, so that a daylight-saving hour cannot push the result into a neighbouring day.
  TTimeFields noon;
  noon.year = record.year;
  noon.month = record.month;
  noon.day = record.day;
  noon.hour = 12;
  TTimeFields monday;
  TimeToFields(FieldsToTime(noon) - static_cast<double>(daysSinceMonday * kMsPerDay), monday);
  return StartOfDay(monday);
}
