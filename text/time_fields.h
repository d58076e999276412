// Broken-down local time and the calendar helpers built on it. Local time is the time base's
// fixed standard-time offset plus its daylight-saving rule.
#pragma once

#include <cstdint>

struct TTimeFields {
  static constexpr int kTextSize = 64;

  std::int32_t day = 2;          // 1..31
  std::int32_t month = 1;        // 1..12
  std::int32_t year = 1970;      // 1970..2099
  std::int32_t hour = 0;         // 0..23
  std::int32_t minute = 0;       // 0..59
  std::int32_t second = 0;       // 0..59
  std::int32_t millisecond = 0;  // 0..999
  // When set, the fields above hold 2 January 1970 00:00:00.000.
  bool invalid = false;
  // The record's last formatted text; the format functions return a pointer into it.
  char16_t text[kTextSize] = {};
};

// Local calendar time of a time stamp. Infinite and NaN give an invalid record; the time stamp is
// clamped to 1970-01-01 00:00 local .. 2099-12-31 23:59:59.999 UTC. Fractional milliseconds are
// dropped.
void TimeToFields(double timeStamp, TTimeFields& record);

// Time stamp of the record's local time; +infinity for an invalid record. A local time in the
// hour skipped at the start of daylight saving is taken as standard time; one in the hour repeated
// at its end is taken as the later, standard-time instant.
double FieldsToTime(const TTimeFields& record);

// Stores the fields, clamped into the calendar, and clears invalid. The year is taken without
// sign; 0..69 mean 2000..2069 and 70..99 mean 1970..1999.
void SetFields(int year, int day, int month, int hour, int minute, int second, int millisecond,
               TTimeFields& record);

void NowFields(TTimeFields& record);

// Local midnights derived from the record; all give +infinity for an invalid record.
double StartOfYear(const TTimeFields& record);  // never below 0
double StartOfMonth(const TTimeFields& record);
double StartOfFiveDays(const TTimeFields& record);  // days 1, 5, 10, 15, 20, 25
double StartOfDay(const TTimeFields& record);
double StartOfWeek(const TTimeFields& record);  // the Monday on or before the record's day
