#include "tools/hdasim/core/ticks.h"

namespace hdasim {
namespace {

// 1601-01-01 is this many days before 1970-01-01.
constexpr std::int64_t kDaysFrom1601To1970 = 134774;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

// The era-based conversion counts from 0000-03-01 so that leap days fall at the end of a year.
std::int64_t DaysFromCivil(const CivilDate& date) {
  const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (date.month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + kDaysFrom1601To1970;
}

CivilDate CivilFromDays(std::int64_t days) {
  const std::int64_t z = days - kDaysFrom1601To1970 + 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  CivilDate date;
  date.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  date.year = static_cast<int>(yoe + era * 400 + (date.month <= 2 ? 1 : 0));
  return date;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

Ticks MakeTicks(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  return DaysFromCivil({year, month, day}) * kTicksPerDay + hour * kTicksPerHour +
         minute * kTicksPerMinute + second * kTicksPerSecond + millisecond * kTicksPerMillisecond;
}

}  // namespace hdasim
