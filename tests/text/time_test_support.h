// Shared by the time tests: a fixture that controls the local offset and the clock, and an
// independent calendar to check the program's own tables against.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "text/time_base.h"
#include "text/time_fields.h"
#include "text/time_format.h"

namespace time_test {

constexpr double kHourMs = 3600000.0;

// Every test starts at local offset 0 on the real clock; both are restored afterwards.
class TimeTest : public ::testing::Test {
 protected:
  void SetUp() override { startUpOffset_ = SetLocalOffsetForTesting(0.0); }
  void TearDown() override {
    SetLocalOffsetForTesting(startUpOffset_);
    platform::SetClockForTesting(nullptr);
  }
  static void SetOffsetMinutes(int minutesEast) { SetLocalOffsetForTesting(minutesEast * 60000.0); }
  double StartUpOffset() const { return startUpOffset_; }

 private:
  double startUpOffset_ = 0.0;
};

inline std::string Ascii(const char16_t* text) {
  std::string result;
  for (; *text != 0; ++text) result += static_cast<char>(*text);
  return result;
}

// "dd/mm/yyyy hh:mm:ss.mmm" of a time stamp in local time.
inline std::string LocalText(double timeStamp) {
  TTimeFields record;
  TimeToFields(timeStamp, record);
  return Ascii(FormatDateTime(record, true));
}

inline TTimeFields Fields(int year, int month, int day, int hour = 0, int minute = 0,
                          int second = 0, int millisecond = 0) {
  TTimeFields record;
  record.year = year;
  record.month = month;
  record.day = day;
  record.hour = hour;
  record.minute = minute;
  record.second = second;
  record.millisecond = millisecond;
  return record;
}

// The reference calendar: plain Gregorian day counting, no tables.
namespace reference {

inline bool IsLeap(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

inline std::int64_t DaysSinceEpoch(int year, int month, int day) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::int64_t days = 0;
  for (int y = 1970; y < year; ++y) days += IsLeap(y) ? 366 : 365;
  for (int m = 1; m < month; ++m) days += kDays[m - 1] + (m == 2 && IsLeap(year) ? 1 : 0);
  return days + day - 1;
}

// 01:00 UTC on the last Sunday of the month (March or October).
inline double LastSundayOneAm(int year, int month) {
  std::int64_t last = DaysSinceEpoch(year, month, 31);
  std::int64_t sunday = last - (last + 4) % 7;  // 1970-01-01 was a Thursday
  return static_cast<double>(sunday * 86400000 + 3600000);
}

}  // namespace reference
}  // namespace time_test
