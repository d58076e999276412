#include <climits>
#include <cmath>

#include "platform/timezone.h"
#include "time_test_support.h"

namespace {

using time_test::TimeTest;

TEST(TimeBase, LocalOffsetFromMinutesWestIsNegatedAndClampedToTwentyHours) {
  struct Case {
    long minutesWest;
    double offsetMs;
  } cases[] = {
      {0, 0.0},
      {-60, 3600000.0},
      {180, -10800000.0},
      {-330, 19800000.0},
      {1200, -72000000.0},
      {-1200, 72000000.0},
      {1201, -72000000.0},
      {-1500, 72000000.0},
      {LONG_MAX, -72000000.0},
      {LONG_MIN, 72000000.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LocalOffsetFromMinutesWest(c.minutesWest), c.offsetMs) << c.minutesWest;
  }
}

TEST_F(TimeTest, StartUpReadsTheOffsetOfThePlatform) {
  EXPECT_EQ(StartUpOffset(), LocalOffsetFromMinutesWest(platform::MinutesWestOfUtc()));
}

TEST_F(TimeTest, TestOffsetIsClampedAndReturnsThePrevious) {
  struct Case {
    double requested;
    double stored;
  } cases[] = {{3600000.0, 3600000.0}, {1e9, 72000000.0}, {-1e9, -72000000.0}, {NAN, 0.0}};
  for (const Case& c : cases) {
    double before = TimeBase().LocalOffsetMs();
    EXPECT_EQ(SetLocalOffsetForTesting(c.requested), before);
    EXPECT_EQ(TimeBase().LocalOffsetMs(), c.stored) << c.requested;
  }
}

TEST_F(TimeTest, NowIsTheClockOfTheRuntime) {
  platform::SetClockForTesting([] { return 1711846800123.0; });
  EXPECT_EQ(Now(), 1711846800123.0);
}

}  // namespace
