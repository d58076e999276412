// Relative time texts: keywords, offsets, signs carried over, month arithmetic at month ends.
#include "tools/hdasim/core/relative_time.h"

#include <gtest/gtest.h>

namespace hdasim {
namespace {

// Wednesday 2024-03-13 14:25:36.789 UTC.
const Ticks kNow = MakeTicks(2024, 3, 13, 14, 25, 36, 789);

struct Case {
  const wchar_t* text;
  Ticks expected;
};

TEST(RelativeTime, ResolvesKeywordsAndOffsets) {
  const Case cases[] = {
      {L"NOW", kNow},
      {L"now", kNow},
      {L"NOW-1H15M", kNow - 75 * kTicksPerMinute},
      {L"NOW -1H +15M", kNow - 45 * kTicksPerMinute},
      {L"NOW+90S", kNow + 90 * kTicksPerSecond},
      {L"SECOND", MakeTicks(2024, 3, 13, 14, 25, 36)},
      {L"MINUTE-1M", MakeTicks(2024, 3, 13, 14, 24)},
      {L"HOUR", MakeTicks(2024, 3, 13, 14)},
      {L"DAY", MakeTicks(2024, 3, 13)},
      {L"DAY -1D+7H30M", MakeTicks(2024, 3, 12, 7, 30)},
      {L"day-1d+7h30m", MakeTicks(2024, 3, 12, 7, 30)},
      {L"WEEK", MakeTicks(2024, 3, 11)},  // the Monday before
      {L"WEEK-2W", MakeTicks(2024, 2, 26)},
      {L"MONTH", MakeTicks(2024, 3, 1)},
      {L"MO-1D+5h", MakeTicks(2024, 2, 29, 5)},
      {L"YEAR", MakeTicks(2024, 1, 1)},
      {L"YEAR+3MO", MakeTicks(2024, 4, 1)},
      {L"YEAR+3M", MakeTicks(2024, 1, 1, 0, 3)},  // minutes, not months
      {L"YEAR-1Y", MakeTicks(2023, 1, 1)},
      {L"NOW-1D2H", kNow - 26 * kTicksPerHour},  // the sign carries over
      {L"NOW-1D+2H", kNow - 22 * kTicksPerHour},
      {L"  NOW  ", kNow},
  };
  for (const Case& c : cases) {
    const ResolvedTime r = ResolveRelativeTime(c.text, kNow);
    EXPECT_EQ(r.kind, ResolvedTime::Kind::kTime) << c.text;
    EXPECT_EQ(r.ticks, c.expected) << c.text;
  }
}

TEST(RelativeTime, MonthsBackUpToTheLastDay) {
  struct MonthCase {
    Ticks from;
    int months;
    Ticks expected;
  } cases[] = {
      {MakeTicks(2001, 1, 10, 8), 1, MakeTicks(2001, 2, 10, 8)},
      {MakeTicks(1999, 1, 29, 6, 30), 1, MakeTicks(1999, 2, 28, 6, 30)},
      {MakeTicks(2000, 2, 29), 12, MakeTicks(2001, 2, 28)},
      {MakeTicks(2000, 1, 31), 1, MakeTicks(2000, 2, 29)},
      {MakeTicks(2002, 3, 31), 2, MakeTicks(2002, 5, 31)},
      {MakeTicks(2002, 3, 31), -1, MakeTicks(2002, 2, 28)},
      {MakeTicks(2002, 12, 15), 1, MakeTicks(2003, 1, 15)},
      {MakeTicks(2003, 1, 15), -1, MakeTicks(2002, 12, 15)},
  };
  for (const MonthCase& c : cases) {
    Ticks result = 0;
    ASSERT_TRUE(AddMonths(c.from, c.months, &result));
    EXPECT_EQ(result, c.expected) << c.months;
  }
  const ResolvedTime year = ResolveRelativeTime(L"NOW+1Y", MakeTicks(2000, 2, 29, 12));
  EXPECT_EQ(year.ticks, MakeTicks(2001, 2, 28, 12));
}

TEST(RelativeTime, EmptyTextIsTheNullTime) {
  for (const wchar_t* text : {L"", L"   ", L"\t"})
    EXPECT_EQ(ResolveRelativeTime(text, kNow).kind, ResolvedTime::Kind::kNull);
}

TEST(RelativeTime, RejectsWhatDoesNotParse) {
  for (const wchar_t* text :
       {L"TODAY", L"NOW-", L"NOW-H", L"NOW-1", L"NOW-1X", L"NOW1H2", L"-1H", L"NOWW", L"NOW-1H15",
        L"NOW-99999999999999D", L"YEAR-1000000Y", L"DAY+1.5H", L"NOW--1H"}) {
    EXPECT_EQ(ResolveRelativeTime(text, kNow).kind, ResolvedTime::Kind::kInvalid) << text;
  }
}

TEST(RelativeTime, CalendarRoundTrip) {
  for (std::int64_t days :
       {0LL, 1LL, 58LL, 59LL, 60LL, 146096LL, 146097LL, 145731LL, 10'000'000LL}) {
    EXPECT_EQ(DaysFromCivil(CivilFromDays(days)), days);
  }
  EXPECT_EQ(DaysFromCivil({1601, 1, 1}), 0);
  EXPECT_EQ(MakeTicks(1970, 1, 1), 116444736000000000LL);
}

}  // namespace
}  // namespace hdasim
