#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "time_test_support.h"

namespace {

using time_test::Ascii;
using time_test::Fields;
using time_test::kHourMs;
using time_test::LocalText;
using time_test::TimeTest;

// What printf makes of the values, cut to the record's text buffer.
template <typename... Values>
std::string Printf(const char* format, Values... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, static_cast<long>(values)...);
  return std::string(buffer).substr(0, TTimeFields::kTextSize - 1);
}

TEST(TimeFormat, RecordFormatsWriteWhatPrintfWould) {
  TTimeFields records[] = {
      Fields(2024, 12, 25, 13, 45, 10, 250),
      Fields(1970, 1, 1),
      Fields(2099, 9, 5, 7, 8, 9, 7),
      Fields(12345, 100, 123, 100, 999, 60, 1000),  // wider than the width: all digits
      Fields(-5, -1, -7, -10, -100, -3, -42),       // the sign counts towards the width
      Fields(INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MIN),  // cut to the buffer
  };
  struct Format {
    const char16_t* (*format)(TTimeFields&);
    std::string (*expected)(const TTimeFields&);
  } formats[] = {
      {FormatDate,
       [](const TTimeFields& r) { return Printf("%02li/%02li/%04li", r.day, r.month, r.year); }},
      {FormatDayMonth, [](const TTimeFields& r) { return Printf("%02li/%02li", r.day, r.month); }},
      {FormatDayMonthTime,
       [](const TTimeFields& r) {
         return Printf("%02li/%02li %02li:%02li", r.day, r.month, r.hour, r.minute);
       }},
      {[](TTimeFields& r) { return FormatDateTime(r, true); },
       [](const TTimeFields& r) {
         return Printf("%02li/%02li/%04li %02li:%02li:%02li.%03li", r.day, r.month, r.year, r.hour,
                       r.minute, r.second, r.millisecond);
       }},
      {[](TTimeFields& r) { return FormatDateTime(r, false); },
       [](const TTimeFields& r) {
         return Printf("%02li/%02li/%04li %02li:%02li:%02li", r.day, r.month, r.year, r.hour,
                       r.minute, r.second);
       }},
  };
  for (TTimeFields& record : records) {
    for (const Format& f : formats) {
      const char16_t* text = f.format(record);
      EXPECT_EQ(text, record.text);
      EXPECT_EQ(Ascii(text), f.expected(record)) << "year " << record.year;
    }
  }
}

TEST(TimeFormat, InvalidRecordFormatsAsInf) {
  TTimeFields record;
  TimeToFields(std::numeric_limits<double>::infinity(), record);
  EXPECT_EQ(Ascii(FormatDate(record)), "INF");
  EXPECT_EQ(Ascii(FormatDayMonth(record)), "INF");
  EXPECT_EQ(Ascii(FormatDayMonthTime(record)), "INF");
  EXPECT_EQ(Ascii(FormatDateTime(record, true)), "INF");
  EXPECT_EQ(Ascii(FormatDateTime(record, false)), "INF");
}

TEST_F(TimeTest, ParseDateTimeTable) {
  struct Case {
    int offsetMinutes;
    double clock;  // for the current year
    const char16_t* text;
    const char* expected;  // "INF" for an invalid record
  } cases[] = {
      {0, 0, u"25/12/2024 13:45:10.250", "25/12/2024 13:45:10.250"},
      {0, 0, u"25.12.24 13h45", "25/12/2024 13:45:00.000"},
      {0, 1939291200000, u"25-12", "25/12/2031 00:00:00.000"},
      {60, 1735687800000, u"25-12", "25/12/2025 00:00:00.000"},  // local new year already
      {0, 0, u"5/1/70", "05/01/1970 00:00:00.000"},
      {0, 0, u"INF", "INF"},
      {0, 0, u"inf 12:00", "INF"},
      {0, 0, u"", "02/01/1970 00:00:00.000"},
      {0, 0, u"   ", "02/01/1970 00:00:00.000"},
      {0, 0, u"25", "02/01/1970 00:00:00.000"},  // a day alone is not a date
      {0, 0, u"  25/12/2024    13:45", "25/12/2024 13:45:00.000"},
      {0, 0, u"-25/12/2024", "25/12/2024 00:00:00.000"},  // leading separators only separate
      {0, 0, u"31/2/2023 24:60:60.1000", "28/02/2023 23:59:59.999"},
      {0, 0, u"1/1/1969", "01/01/1970 00:00:00.000"},
      {0, 0, u"1/1/69 1:2:3:4", "01/01/2069 01:02:03.004"},
      {0, 0, u"25/12/2024 xx:45", "25/12/2024 00:45:00.000"},   // not a number: 0
      {0, 0, u"123456789/12/2024", "30/09/2012 00:00:00.000"},  // tokens stop at 8 characters
  };
  for (const Case& c : cases) {
    static double clock;
    clock = c.clock;
    platform::SetClockForTesting([] { return clock; });
    SetOffsetMinutes(c.offsetMinutes);
    TTimeFields record = Fields(2000, 6, 6, 6, 6, 6, 6);
    ParseDateTime(record, c.text);
    EXPECT_EQ(Ascii(FormatDateTime(record, true)), c.expected) << Ascii(c.text);
  }
}

TEST_F(TimeTest, ParseDateTimeReadsWhatFormatDateTimeWrote) {
  std::mt19937_64 random(2025);
  for (int minutes : {60, 0, -180}) {
    SetOffsetMinutes(minutes);
    std::uniform_int_distribution<std::int64_t> stamps(0, 4102444799999 - 2 * 3600000);
    for (int i = 0; i < 2000; ++i) {
      double t = static_cast<double>(stamps(random));
      TTimeFields written;
      TimeToFields(t, written);
      TTimeFields read;
      ParseDateTime(read, FormatDateTime(written, true));
      double back = FieldsToTime(read);
      // A time stamp in the repeated autumn hour reads back as its later, standard-time pass.
      ASSERT_TRUE(back == t || back == t + kHourMs) << minutes << " " << LocalText(t);
      ASSERT_EQ(LocalText(back), LocalText(t));
    }
  }
}

}  // namespace
