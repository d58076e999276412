#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <random>
#include <tuple>

#include "time_test_support.h"

namespace {

using time_test::Fields;
using time_test::kHourMs;
using time_test::LocalText;
using time_test::TimeTest;
namespace reference = time_test::reference;

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST_F(TimeTest, TimeToFieldsOfEdgeTimeStamps) {
  struct Case {
    int offsetMinutes;
    double timeStamp;
    const char* local;
  } cases[] = {
      {0, 0.0, "01/01/1970 00:00:00.000"},
      {0, -1.0, "01/01/1970 00:00:00.000"},  // clamped to the start of the calendar
      {60, -1.0, "01/01/1970 00:59:59.999"},
      {60, -0.25, "01/01/1970 00:59:59.999"},
      {60, -3600000.0, "01/01/1970 00:00:00.000"},
      {60, -3600001.0, "01/01/1970 00:00:00.000"},
      {60, -1e15, "01/01/1970 00:00:00.000"},
      {-180, 0.0, "01/01/1970 00:00:00.000"},
      {-180, 10800001.0, "01/01/1970 00:00:00.001"},
      {0, 951782400000.0, "29/02/2000 00:00:00.000"},
      {0, 951868800000.0 - 0.5, "29/02/2000 23:59:59.999"},  // fractions are dropped
      {60, 1704063600000.0 - 1.0, "31/12/2023 23:59:59.999"},
      {60, 1704063600000.0, "01/01/2024 00:00:00.000"},
      {0, 4102444799999.0, "31/12/2099 23:59:59.999"},
      {0, 4102444800000.0, "31/12/2099 23:59:59.999"},
      {0, 1e300, "31/12/2099 23:59:59.999"},
      {-180, 4102444800000.0, "31/12/2099 20:59:59.999"},
      {60, 4102444800000.0, "01/01/2100 00:59:59.999"},  // the last instant, shown locally
  };
  for (const Case& c : cases) {
    SetOffsetMinutes(c.offsetMinutes);
    EXPECT_EQ(LocalText(c.timeStamp), c.local) << c.offsetMinutes << " " << c.timeStamp;
  }
}

TEST_F(TimeTest, NonFiniteTimeStampsGiveTheInvalidRecord) {
  for (double t : {kInf, -kInf, std::nan("")}) {
    TTimeFields record = Fields(2024, 5, 6, 7, 8, 9, 10);
    TimeToFields(t, record);
    EXPECT_TRUE(record.invalid);
    EXPECT_EQ(std::make_tuple(record.year, record.month, record.day, record.hour, record.minute,
                              record.second, record.millisecond),
              std::make_tuple(1970, 1, 2, 0, 0, 0, 0));
    EXPECT_EQ(FieldsToTime(record), kInf);
  }
}

// Local time just before and at the start and the end of daylight saving, which change at
// 01:00 UTC on the last Sundays of March and October.
TEST_F(TimeTest, DaylightSavingBoundaries) {
  struct Case {
    int offsetMinutes;
    double start, end;
    const char *beforeStart, *atStart, *beforeEnd, *atEnd;
  } cases[] = {
      {60, 165373200000, 183517200000, "30/03/1975 01:59:59.999", "30/03/1975 03:00:00.000",
       "26/10/1975 02:59:59.999", "26/10/1975 02:00:00.000"},
      {60, 1711846800000, 1729990800000, "31/03/2024 01:59:59.999", "31/03/2024 03:00:00.000",
       "27/10/2024 02:59:59.999", "27/10/2024 02:00:00.000"},
      {60, 1743296400000, 1761440400000, "30/03/2025 01:59:59.999", "30/03/2025 03:00:00.000",
       "26/10/2025 02:59:59.999", "26/10/2025 02:00:00.000"},
      {60, 3952026000000, 3970774800000, "27/03/2095 01:59:59.999", "27/03/2095 03:00:00.000",
       "30/10/2095 02:59:59.999", "30/10/2095 02:00:00.000"},
      {0, 165373200000, 183517200000, "30/03/1975 00:59:59.999", "30/03/1975 02:00:00.000",
       "26/10/1975 01:59:59.999", "26/10/1975 01:00:00.000"},
      {0, 1711846800000, 1729990800000, "31/03/2024 00:59:59.999", "31/03/2024 02:00:00.000",
       "27/10/2024 01:59:59.999", "27/10/2024 01:00:00.000"},
      {0, 1743296400000, 1761440400000, "30/03/2025 00:59:59.999", "30/03/2025 02:00:00.000",
       "26/10/2025 01:59:59.999", "26/10/2025 01:00:00.000"},
      {0, 3952026000000, 3970774800000, "27/03/2095 00:59:59.999", "27/03/2095 02:00:00.000",
       "30/10/2095 01:59:59.999", "30/10/2095 01:00:00.000"},
      {-180, 165373200000, 183517200000, "29/03/1975 21:59:59.999", "29/03/1975 23:00:00.000",
       "25/10/1975 22:59:59.999", "25/10/1975 22:00:00.000"},
      {-180, 1711846800000, 1729990800000, "30/03/2024 21:59:59.999", "30/03/2024 23:00:00.000",
       "26/10/2024 22:59:59.999", "26/10/2024 22:00:00.000"},
      {-180, 1743296400000, 1761440400000, "29/03/2025 21:59:59.999", "29/03/2025 23:00:00.000",
       "25/10/2025 22:59:59.999", "25/10/2025 22:00:00.000"},
      {-180, 3952026000000, 3970774800000, "26/03/2095 21:59:59.999", "26/03/2095 23:00:00.000",
       "29/10/2095 22:59:59.999", "29/10/2095 22:00:00.000"},
  };
  for (const Case& c : cases) {
    SetOffsetMinutes(c.offsetMinutes);
    SCOPED_TRACE(testing::Message() << "offset " << c.offsetMinutes << " start " << c.start);
    EXPECT_EQ(LocalText(c.start - 1), c.beforeStart);
    EXPECT_EQ(LocalText(c.start), c.atStart);
    EXPECT_EQ(LocalText(c.end - 1), c.beforeEnd);
    EXPECT_EQ(LocalText(c.end), c.atEnd);
  }
}

// The hour skipped in spring is read as standard time (so it lands one hour later on the
// clock); the hour repeated in autumn is read as its second, standard-time pass.
TEST_F(TimeTest, FieldsToTimeOfSkippedAndRepeatedHours) {
  struct Case {
    int offsetMinutes;
    TTimeFields local;
    double utc;
  } cases[] = {
      {60, Fields(2024, 3, 31, 1, 59, 59, 999), 1711846799999},
      {60, Fields(2024, 3, 31, 2, 30), 1711848600000},  // skipped: 01:30 UTC, shown as 03:30
      {60, Fields(2024, 3, 31, 3, 0), 1711846800000},
      {60, Fields(2024, 10, 27, 1, 59, 59, 999), 1729987199999},
      {60, Fields(2024, 10, 27, 2, 30), 1729992600000},  // repeated: the later pass
      {60, Fields(2024, 10, 27, 3, 0), 1729994400000},
      {0, Fields(2024, 3, 31, 1, 30), 1711848600000},  // skipped
      {0, Fields(2024, 3, 31, 2, 0), 1711846800000},
      {0, Fields(2024, 10, 27, 0, 30), 1729985400000},
      {0, Fields(2024, 10, 27, 1, 30), 1729992600000},     // repeated
      {-180, Fields(2024, 3, 30, 22, 30), 1711848600000},  // skipped
      {-180, Fields(2024, 3, 30, 23, 0), 1711846800000},
      {-180, Fields(2024, 10, 26, 21, 30), 1729985400000},
      {-180, Fields(2024, 10, 26, 22, 30), 1729992600000},  // repeated
  };
  for (const Case& c : cases) {
    SetOffsetMinutes(c.offsetMinutes);
    EXPECT_EQ(FieldsToTime(c.local), c.utc)
        << c.offsetMinutes << " " << c.local.day << "/" << c.local.month << " " << c.local.hour;
  }
}

bool InRepeatedHour(double t) {
  if (t < 0) return false;  // gmtime of Windows takes no negative time
  std::time_t seconds = static_cast<std::time_t>(std::floor(t / 1000));
  double end = reference::LastSundayOneAm(std::gmtime(&seconds)->tm_year + 1900, 10);
  return t >= end - kHourMs && t < end;
}

TEST_F(TimeTest, FieldsToTimeInvertsTimeToFieldsOutsideTheRepeatedHour) {
  std::mt19937_64 random(20240331);
  for (int minutes : {60, 0, -180, 330, -600, 1200, -1200}) {
    SetOffsetMinutes(minutes);
    double offset = minutes * 60000.0;
    std::uniform_int_distribution<std::int64_t> stamps(static_cast<std::int64_t>(-offset),
                                                       4102444799999);
    for (int i = 0; i < 4000; ++i) {
      double t = static_cast<double>(stamps(random));
      TTimeFields record;
      TimeToFields(t, record);
      double expected = InRepeatedHour(t) ? t + kHourMs : t;
      ASSERT_EQ(FieldsToTime(record), expected) << minutes << " " << LocalText(t);
    }
  }
}

// The C library's gmtime, shifted by the hour of daylight saving, must agree at offset 0.
TEST_F(TimeTest, TimeToFieldsAgreesWithGmtime) {
  auto check = [](double t) {
    std::time_t seconds = static_cast<std::time_t>(std::floor(t / 1000));
    int year = std::gmtime(&seconds)->tm_year + 1900;
    if (t >= reference::LastSundayOneAm(year, 3) && t < reference::LastSundayOneAm(year, 10)) {
      seconds += 3600;
    }
    const std::tm& utc = *std::gmtime(&seconds);
    TTimeFields r;
    TimeToFields(t, r);
    ASSERT_EQ(std::make_tuple(r.year, r.month, r.day, r.hour, r.minute, r.second),
              std::make_tuple(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
                              utc.tm_min, utc.tm_sec))
        << static_cast<long long>(t);
  };
  std::mt19937_64 random(1970);
  std::uniform_int_distribution<std::int64_t> stamps(0, 4102444799999);
  for (int i = 0; i < 20000; ++i) check(static_cast<double>(stamps(random)));
  for (int year = 1970; year < 2100; ++year) {
    for (int month : {3, 10}) {
      double change = reference::LastSundayOneAm(year, month);
      for (double t : {change - 1, change, change + kHourMs}) check(t);
    }
    double newYear = static_cast<double>(reference::DaysSinceEpoch(year, 1, 1) * 86400000);
    for (double t : {newYear - 1, newYear}) {
      if (t >= 0) check(t);
    }
  }
}

TEST_F(TimeTest, SetFieldsClampsIntoTheCalendar) {
  struct Case {
    int year, day, month, hour, minute, second, millisecond;
    const char* expected;
  } cases[] = {
      {2023, 31, 2, 12, 0, 0, 0, "28/02/2023 12:00:00.000"},
      {2024, 31, 2, 12, 0, 0, 0, "29/02/2024 12:00:00.000"},
      {2024, 31, 4, 0, 0, 0, 0, "30/04/2024 00:00:00.000"},
      {69, 1, 1, 0, 0, 0, 0, "01/01/2069 00:00:00.000"},
      {0, 1, 1, 0, 0, 0, 0, "01/01/2000 00:00:00.000"},
      {70, 1, 1, 0, 0, 0, 0, "01/01/1970 00:00:00.000"},
      {99, 1, 1, 0, 0, 0, 0, "01/01/1999 00:00:00.000"},
      {1969, 1, 1, 0, 0, 0, 0, "01/01/1970 00:00:00.000"},
      {2100, 31, 12, 0, 0, 0, 0, "31/12/2099 00:00:00.000"},
      {-2024, 1, 1, 0, 0, 0, 0, "01/01/2024 00:00:00.000"},
      {-69, 1, 1, 0, 0, 0, 0, "01/01/2069 00:00:00.000"},
      {INT_MIN, 1, 1, 0, 0, 0, 0, "01/01/2099 00:00:00.000"},
      {2024, 0, 0, -1, -1, -1, -1, "01/01/2024 00:00:00.000"},
      {2024, 99, 13, 24, 60, 60, 1000, "31/12/2024 23:59:59.999"},
      {2024, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MAX, "31/01/2024 23:59:00.999"},
  };
  for (const Case& c : cases) {
    TTimeFields record;
    record.invalid = true;
    SetFields(c.year, c.day, c.month, c.hour, c.minute, c.second, c.millisecond, record);
    EXPECT_FALSE(record.invalid);
    EXPECT_EQ(time_test::Ascii(FormatDateTime(record, true)), c.expected) << c.year;
  }
}

TEST_F(TimeTest, StartOfYearMonthAndDay) {
  using Start = double (*)(const TTimeFields&);
  struct Case {
    int offsetMinutes;
    Start start;
    TTimeFields record;
    double expected;
  } cases[] = {
      {60, StartOfYear, Fields(1970, 6, 15, 13), 0.0},  // never below 0
      {-180, StartOfYear, Fields(1970, 6, 15, 13), 10800000.0},
      {60, StartOfYear, Fields(2024, 7, 15, 13), 1704063600000.0},
      {60, StartOfMonth, Fields(1970, 1, 15, 13), -3600000.0},
      {60, StartOfMonth, Fields(2024, 7, 15, 13, 20), 1719784800000.0},  // in summer time
      {60, StartOfDay, Fields(2024, 7, 15, 13, 20, 5, 7), 1720994400000.0},
  };
  for (const Case& c : cases) {
    SetOffsetMinutes(c.offsetMinutes);
    EXPECT_EQ(c.start(c.record), c.expected) << c.offsetMinutes << " " << c.record.year;
    TTimeFields invalid = c.record;
    invalid.invalid = true;
    EXPECT_EQ(c.start(invalid), kInf);
  }
  TTimeFields invalid;
  invalid.invalid = true;
  EXPECT_EQ(StartOfFiveDays(invalid), kInf);
  EXPECT_EQ(StartOfWeek(invalid), kInf);
}

TEST_F(TimeTest, StartOfFiveDaysForEveryDayOfTheMonth) {
  const int kExpected[31] = {1,  1,  1,  1,  5,  5,  5,  5,  5,  10, 10, 10, 10, 10, 15, 15,
                             15, 15, 15, 20, 20, 20, 20, 20, 25, 25, 25, 25, 25, 25, 25};
  SetOffsetMinutes(60);
  for (int day = 1; day <= 31; ++day) {
    double start = StartOfFiveDays(Fields(2024, 7, day, 13, 45, 10, 250));
    char expected[32];
    std::snprintf(expected, sizeof expected, "%02d/07/2024 00:00:00.000", kExpected[day - 1]);
    EXPECT_EQ(LocalText(start), expected) << day;
  }
}

TEST_F(TimeTest, StartOfWeekIsTheMondayOnOrBefore) {
  struct Case {
    TTimeFields record;
    const char* monday;
  } cases[] = {
      {Fields(2024, 2, 26, 9), "26/02/2024 00:00:00.000"},  // Monday
      {Fields(2024, 2, 29, 23, 59), "26/02/2024 00:00:00.000"},
      {Fields(2024, 3, 1), "26/02/2024 00:00:00.000"},
      {Fields(2024, 3, 3, 12), "26/02/2024 00:00:00.000"},    // Sunday: six days back
      {Fields(2024, 12, 28), "23/12/2024 00:00:00.000"},      // Saturday
      {Fields(2024, 12, 29, 23), "23/12/2024 00:00:00.000"},  // Sunday
      {Fields(2024, 12, 30), "30/12/2024 00:00:00.000"},
      {Fields(2024, 12, 31, 18), "30/12/2024 00:00:00.000"},
      {Fields(2025, 1, 1, 1), "30/12/2024 00:00:00.000"},
      {Fields(2025, 1, 2), "30/12/2024 00:00:00.000"},
      {Fields(2025, 1, 3), "30/12/2024 00:00:00.000"},
      {Fields(2025, 1, 4), "30/12/2024 00:00:00.000"},
      {Fields(2025, 1, 5, 23, 59, 59, 999), "30/12/2024 00:00:00.000"},
      {Fields(2025, 1, 6), "06/01/2025 00:00:00.000"},
      {Fields(2024, 3, 31, 12), "25/03/2024 00:00:00.000"},  // the day the clocks change
      {Fields(2024, 4, 3), "01/04/2024 00:00:00.000"},
      {Fields(2024, 10, 30), "28/10/2024 00:00:00.000"},
  };
  for (int minutes : {60, 0, -180}) {
    SetOffsetMinutes(minutes);
    for (const Case& c : cases) {
      EXPECT_EQ(LocalText(StartOfWeek(c.record)), c.monday)
          << minutes << " " << c.record.day << "/" << c.record.month;
    }
  }
}

}  // namespace
