// Time as the simulator counts it: 100 ns ticks since 1601-01-01 00:00 UTC, the FILETIME scale,
// held signed so that differences and "no time" comparisons stay simple.
#pragma once

#include <cstdint>

namespace hdasim {

using Ticks = std::int64_t;

constexpr Ticks kTicksPerMillisecond = 10'000;
constexpr Ticks kTicksPerSecond = 1000 * kTicksPerMillisecond;
constexpr Ticks kTicksPerMinute = 60 * kTicksPerSecond;
constexpr Ticks kTicksPerHour = 60 * kTicksPerMinute;
constexpr Ticks kTicksPerDay = 24 * kTicksPerHour;
constexpr Ticks kTicksPerWeek = 7 * kTicksPerDay;
// Largest time the simulator accepts: year 30827, the end of the FILETIME range Windows converts.
constexpr Ticks kMaxTicks = 0x7FFF35F4F06C7FFFLL;

struct CivilDate {
  int year = 1601;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
};

// Days since 1601-01-01 of a proleptic Gregorian date, and back.
std::int64_t DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(std::int64_t days);
int DaysInMonth(int year, int month);

// Ticks of a UTC calendar time; handy for tables of expected values.
Ticks MakeTicks(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                int millisecond = 0);

// Division rounding towards minus infinity, and the matching non-negative remainder.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
constexpr std::int64_t FloorMod(std::int64_t a, std::int64_t b) { return a - FloorDiv(a, b) * b; }
constexpr std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

}  // namespace hdasim
