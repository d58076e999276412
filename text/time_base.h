// The process-wide time base behind every conversion between time stamps (milliseconds since
// 1970-01-01 00:00:00 UTC, as doubles) and local calendar time: the calendar tables for 1970 to
// 2100, the fixed local standard-time offset read once at start-up, and the built-in
// daylight-saving rule (last Sunday of March to last Sunday of October, 01:00 UTC).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

class TTimeBase {
 public:
  static constexpr int kFirstYear = 1970;
  // The tables run one year past the last calendar year: a positive local offset carries the
  // very last time stamp into 1 January 2100.
  static constexpr int kLastYear = 2100;
  static constexpr double kMaxLocalOffsetMs = 72000000.0;  // 20 hours either way
  static constexpr std::int64_t kSecondsPerDay = 86400;

  // Calendar tables and the daylight-saving table, with both offsets 0. Constant, so the time
  // base is usable from any static initialiser.
  constexpr TTimeBase() {
    BuildCalendar();
    BuildDaylightSaving();
  }

  // Added to the C runtime's clock reading.
  double EpochOffsetMs() const { return epochOffsetMs_; }
  // Added to UTC for local standard time; whole minutes within +-kMaxLocalOffsetMs.
  double LocalOffsetMs() const { return localOffsetMs_; }
  // Clamps the offset to +-kMaxLocalOffsetMs (NaN means 0), then rebuilds the daylight-saving
  // table.
  constexpr void SetLocalOffsetMs(double offsetMs) {
    localOffsetMs_ =
        offsetMs == offsetMs ? std::clamp(offsetMs, -kMaxLocalOffsetMs, kMaxLocalOffsetMs) : 0.0;
    BuildDaylightSaving();
  }

  // Years outside kFirstYear..kLastYear and months outside 1..12 read the nearest entry.
  constexpr std::int64_t YearStartSeconds(int year) const { return yearStart_[YearIndex(year)]; }
  constexpr bool IsLeapYear(int year) const { return leap_[YearIndex(year)]; }
  // Seconds from 1 January to the 1st of the month.
  constexpr std::int64_t MonthStartSeconds(int year, int month) const {
    return monthStart_[IsLeapYear(year)][MonthIndex(month)];
  }
  constexpr int DaysInMonth(int year, int month) const {
    const auto& starts = monthStart_[IsLeapYear(year)];
    int m = MonthIndex(month);
    return static_cast<int>((starts[m + 1] - starts[m]) / kSecondsPerDay);
  }
  // Month (1..12) holding the given second of the year.
  constexpr int MonthOfSecond(int year, std::int64_t secondOfYear) const {
    const auto& starts = monthStart_[IsLeapYear(year)];
    int m = 11;
    while (m > 0 && starts[m] > secondOfYear) --m;
    return m + 1;
  }
  // Days since 1970-01-01 of a calendar date (day 1 is the month's first).
  constexpr std::int64_t DayNumber(int year, int month, int day) const {
    return (YearStartSeconds(year) + MonthStartSeconds(year, month)) / kSecondsPerDay + day - 1;
  }
  // Daylight saving runs from start (inclusive) to end (exclusive), both UTC time stamps.
  constexpr double DaylightStartMs(int year) const { return daylightStart_[YearIndex(year)]; }
  constexpr double DaylightEndMs(int year) const { return daylightEnd_[YearIndex(year)]; }

 private:
  static constexpr int kYears = kLastYear - kFirstYear + 1;

  static constexpr int YearIndex(int year) {
    return std::clamp(year, kFirstYear, kLastYear) - kFirstYear;
  }
  static constexpr int MonthIndex(int month) { return std::clamp(month, 1, 12) - 1; }

  constexpr void BuildCalendar() {
    // Every fourth year is a leap year from 1972 to 2096, so the starts repeat in 4-year cycles.
    constexpr std::int64_t kCycleSeconds = 126230400;
    constexpr std::int64_t kInCycle[4] = {0, 31536000, 63072000, 94694400};
    for (int i = 0; i < kYears; ++i) {
      int year = kFirstYear + i;
      yearStart_[i] = (i / 4) * kCycleSeconds + kInCycle[i % 4];
      leap_[i] = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    }
    constexpr int kDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                  {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
    for (int leap = 0; leap < 2; ++leap) {
      monthStart_[leap][0] = 0;
      for (int m = 0; m < 12; ++m) {
        monthStart_[leap][m + 1] = monthStart_[leap][m] + kDays[leap][m] * kSecondsPerDay;
      }
    }
  }

  // The rule is fixed in UTC, so the table is the same for every local offset.
  constexpr void BuildDaylightSaving() {
    for (int i = 0; i < kYears; ++i) {
      int year = kFirstYear + i;
      daylightStart_[i] = LastSundayOneAmUtcMs(year, 3);
      daylightEnd_[i] = LastSundayOneAmUtcMs(year, 10);
    }
  }

  constexpr double LastSundayOneAmUtcMs(int year, int month) const {
    std::int64_t lastDay = DayNumber(year, month, 31);
    std::int64_t weekday = (lastDay + 4) % 7;  // 1970-01-01 was a Thursday; 0 is Sunday
    std::int64_t sunday = lastDay - weekday;
    return static_cast<double>((sunday * kSecondsPerDay + 3600) * 1000);
  }

  double epochOffsetMs_ = 0.0;
  double localOffsetMs_ = 0.0;
  std::array<std::int64_t, kYears> yearStart_{};
  std::array<bool, kYears> leap_{};
  std::array<std::array<std::int64_t, 13>, 2> monthStart_{};
  std::array<double, kYears> daylightStart_{};
  std::array<double, kYears> daylightEnd_{};
};

namespace time_base_detail {
extern TTimeBase g_timeBase;
}

// The time base of the process; its local offset is read once during static initialisation.
inline const TTimeBase& TimeBase() { return time_base_detail::g_timeBase; }

// Current UTC time stamp: the C runtime's clock plus the epoch offset.
double Now();

// The local standard-time offset for the C runtime's minutes west of UTC, clamped to +-20 hours.
double LocalOffsetFromMinutesWest(long minutesWest);

// Test seam: sets the local offset (clamped) and rebuilds the daylight-saving table; returns the
// previous offset.
double SetLocalOffsetForTesting(double offsetMs);
