#include "dialogs/core/period_entry.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "platform/clock.h"
#include "text/time_base.h"
#include "text/time_fields.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Local offset +1 h (Central European time with its summer rule) and a fixed clock.
class PeriodEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startUpOffset_ = SetLocalOffsetForTesting(3600000.0);
    platform::SetClockForTesting([] { return kNow; });
  }
  void TearDown() override {
    SetLocalOffsetForTesting(startUpOffset_);
    platform::SetClockForTesting(nullptr);
  }
  static double Local(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                      int ms = 0) {
    TTimeFields fields;
    SetFields(year, day, month, hour, minute, second, ms, fields);
    return FieldsToTime(fields);
  }
  static std::u16string Text(double t) { return PeriodFieldText(t).Str(); }

  static constexpr double kNow = 1718460443789.0;  // 15/06/2024 16:07:23.789 local (summer)
  double startUpOffset_ = 0.0;
};

TEST_F(PeriodEntryTest, FieldsShowLocalTimeToTheMillisecond) {
  EXPECT_EQ(Text(kNow), u"15/06/2024 16:07:23.789");
  EXPECT_EQ(Text(Local(2024, 12, 25)), u"25/12/2024 00:00:00.000");
  EXPECT_EQ(Text(kInfinity), u"INF");
}

TEST_F(PeriodEntryTest, TypedTimesBecomeAnOrderedPeriod) {
  struct Case {
    const char16_t* start;
    const char16_t* stop;
    double expectedStart;
    double expectedStop;
  } const cases[] = {
      {u"01/06/2024 10:00", u"02/06/2024", Local(2024, 6, 1, 10), Local(2024, 6, 2)},
      // A stop before the start: swapped.
      {u"02/06/2024", u"01/06/2024 10:00", Local(2024, 6, 1, 10), Local(2024, 6, 2)},
      // No stop: now.
      {u"01/06/2024", u"", Local(2024, 6, 1), kNow},
      // Day and month only: this year, midnight.
      {u"25/12", u"", kNow, Local(2024, 12, 25)},
      {u"", u"01/01/1971", Local(1970, 1, 2), Local(1971, 1, 1)},
      {u"INF", u"01/06/2024", Local(2024, 6, 1), kInfinity},
      {u"15/06/2024 16:07:23.500", u"15/06/2024 16:07:23.789", Local(2024, 6, 15, 16, 7, 23, 500),
       kNow},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const PeriodBounds p = ReadPeriodFields(TString(c.start), TString(c.stop), kNow);
    EXPECT_EQ(p.start, c.expectedStart) << "case " << i;
    EXPECT_EQ(p.stop, c.expectedStop) << "case " << i;
  }
}

TEST_F(PeriodEntryTest, CalendarDatesAreClampedToLocalMidnights) {
  struct Case {
    int year, month, day;
    double expected;
  } const cases[] = {
      {2024, 2, 29, Local(2024, 2, 29)},
      {2023, 2, 29, Local(2023, 2, 28)},  // limited to the month
      {2024, 4, 31, Local(2024, 4, 30)},
      {2024, 0, 0, Local(2024, 1, 1)},  // month 0 is January, day at least 1
      {2024, 13, 5, Local(2024, 12, 5)},
      {24, 3, 1, Local(2024, 3, 1)},  // below 70: 2000 added
      {69, 3, 1, Local(2069, 3, 1)},
      {70, 3, 1, Local(1970, 3, 1)},  // 70..99: 1900 added
      {99, 3, 1, Local(1999, 3, 1)},
      {1601, 3, 1, Local(1970, 3, 1)},  // clamped to 1970..2099
      {2150, 3, 1, Local(2099, 3, 1)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CalendarDateToTime(c.year, c.month, c.day), c.expected)
        << c.year << "-" << c.month << "-" << c.day;
  }
  EXPECT_EQ(Text(CalendarDateToTime(2024, 6, 15)), u"15/06/2024 00:00:00.000");
}

}  // namespace
