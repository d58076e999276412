#include "document/period.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "app_context/main_frame_text.h"
#include "doc_test_support.h"

namespace {

using namespace doc_test;

enum class Op { Current, Previous, Next, Complete };

const char* OpName(Op op) {
  switch (op) {
    case Op::Current:
      return "Current";
    case Op::Previous:
      return "Previous";
    case Op::Next:
      return "Next";
    case Op::Complete:
      return "Complete";
  }
  return "?";
}

struct Step {
  const char* name;
  std::int32_t code;
  double start;
  double stop;
  Op op;
  double now;
  double expectedStart;
  double expectedStop;
  bool expectedLive;
};

void Apply(Op op, TPeriod& period, double now) {
  switch (op) {
    case Op::Current:
      Current(period, now);
      break;
    case Op::Previous:
      Previous(period);
      break;
    case Op::Next:
      Next(period, now);
      break;
    case Op::Complete:
      Complete(period, now);
      break;
  }
}

void Check(const Step& c) {
  TPeriod period;
  period.Period = c.code;
  period.StartTime = c.start;
  period.StopTime = c.stop;
  period.Live = !c.expectedLive;  // every step must set Live itself or keep it as stated
  if (c.op == Op::Next && !c.expectedLive) period.Live = false;
  Apply(c.op, period, c.now);
  EXPECT_EQ(LocalText(period.StartTime), LocalText(c.expectedStart))
      << c.name << " " << OpName(c.op);
  EXPECT_EQ(LocalText(period.StopTime), LocalText(c.expectedStop)) << c.name << " " << OpName(c.op);
  EXPECT_EQ(period.StartTime, c.expectedStart) << c.name;
  EXPECT_EQ(period.StopTime, c.expectedStop) << c.name;
  EXPECT_EQ(period.Live, c.expectedLive) << c.name << " " << OpName(c.op);
  EXPECT_EQ(period.Period, c.code) << c.name;
}

class PeriodTest : public DocTest {};

TEST_F(PeriodTest, EveryKindMovesAsItsClassSays) {
  const double now = Local(2024, 6, 15, 14, 7, 23, 789);  // a Saturday
  const double n = Local(2024, 6, 15, 14, 7, 23);
  const double later = Local(2030, 1, 1);
  const Step cases[] = {
      // The present: sliding windows end at n, stepped slots start on their span, calendar kinds
      // at the unit's local midnight; the custom period stays where it is.
      {"last 10 s", kPeriodLast10Seconds, 0, 0, Op::Current, now, n - 10000, n, true},
      {"last hour", kPeriodLastHour, 0, 0, Op::Current, now, n - kHourMs, n, true},
      {"last 7 days", kPeriodLast7Days, 0, 0, Op::Current, now, n - 7 * kDayMs, n, true},
      {"5 min steps", kPeriodFiveMinuteSteps, 0, 0, Op::Current, now, Local(2024, 6, 15, 14, 5), n,
       true},
      {"hour steps", kPeriodHourSteps, 0, 0, Op::Current, now, Local(2024, 6, 15, 14), n, true},
      {"day", kPeriodDay, 0, 0, Op::Current, now, Local(2024, 6, 15), n, true},
      {"week", kPeriodWeek, 0, 0, Op::Current, now, Local(2024, 6, 10), n, true},
      {"month", kPeriodMonth, 0, 0, Op::Current, now, Local(2024, 6, 1), n, true},
      {"year", kPeriodYear, 0, 0, Op::Current, now, Local(2024, 1, 1), n, true},
      {"custom", kPeriodCustom, 5000, 9000, Op::Current, now, 5000, 9000, true},
      {"unknown code", 7, 0, 0, Op::Current, now, Local(2024, 6, 15, 14, 7), n, true},

      // One step back.
      {"5 min steps", kPeriodFiveMinuteSteps, Local(2024, 6, 15, 10, 5), Local(2024, 6, 15, 10, 10),
       Op::Previous, now, Local(2024, 6, 15, 10), Local(2024, 6, 15, 10, 5), false},
      {"last hour", kPeriodLastHour, n - kHourMs, n, Op::Previous, now, n - 2 * kHourMs,
       n - kHourMs, false},
      {"day", kPeriodDay, Local(2024, 6, 15), n, Op::Previous, now, Local(2024, 6, 14),
       Local(2024, 6, 15), false},
      {"week", kPeriodWeek, Local(2024, 6, 10), n, Op::Previous, now, Local(2024, 6, 3),
       Local(2024, 6, 10), false},
      {"month", kPeriodMonth, Local(2024, 3, 1), Local(2024, 4, 1), Op::Previous, now,
       Local(2024, 2, 1), Local(2024, 3, 1), false},
      {"month over the year", kPeriodMonth, Local(2024, 1, 1), Local(2024, 2, 1), Op::Previous, now,
       Local(2023, 12, 1), Local(2024, 1, 1), false},
      {"year", kPeriodYear, Local(2024, 1, 1), n, Op::Previous, now, Local(2023, 1, 1),
       Local(2024, 1, 1), false},
      {"custom", kPeriodCustom, Local(2024, 6, 15, 10), Local(2024, 6, 15, 12, 30), Op::Previous,
       now, Local(2024, 6, 15, 7, 30), Local(2024, 6, 15, 10), false},
      {"unknown code", 7, Local(2024, 6, 15, 10, 5), Local(2024, 6, 15, 10, 6), Op::Previous, now,
       Local(2024, 6, 15, 10, 4), Local(2024, 6, 15, 10, 5), false},

      // One step forward, in the past: not Live.
      {"5 min steps", kPeriodFiveMinuteSteps, Local(2024, 6, 15, 10), Local(2024, 6, 15, 10, 5),
       Op::Next, now, Local(2024, 6, 15, 10, 5), Local(2024, 6, 15, 10, 10), false},
      {"month", kPeriodMonth, Local(2024, 2, 1), Local(2024, 3, 1), Op::Next, later,
       Local(2024, 3, 1), Local(2024, 4, 1), false},
      {"month over the year", kPeriodMonth, Local(2023, 12, 1), Local(2024, 1, 1), Op::Next, later,
       Local(2024, 1, 1), Local(2024, 2, 1), false},
      {"week", kPeriodWeek, Local(2024, 6, 3), Local(2024, 6, 10), Op::Next, later,
       Local(2024, 6, 10), Local(2024, 6, 17), false},
      {"year", kPeriodYear, Local(2007, 1, 1), Local(2008, 1, 1), Op::Next, later,
       Local(2008, 1, 1), Local(2009, 1, 1), false},
      {"custom", kPeriodCustom, Local(2024, 6, 15, 7, 30), Local(2024, 6, 15, 10), Op::Next, now,
       Local(2024, 6, 15, 10), Local(2024, 6, 15, 12, 30), false},
      // Reaching the present follows it again.
      {"year reaching today", kPeriodYear, Local(2007, 1, 1), Local(2008, 1, 1), Op::Next,
       Local(2008, 6, 15, 12, 34, 56, 789), Local(2008, 1, 1), Local(2008, 6, 15, 12, 34, 56),
       true},
      {"last hour, back within the second", kPeriodLastHour, n - 2 * kHourMs, n - kHourMs, Op::Next,
       now + 100, n - kHourMs, n, true},
      {"last hour, back seconds later", kPeriodLastHour, n - 2 * kHourMs, n - kHourMs, Op::Next,
       now + 5000, n - kHourMs, n, false},
      {"custom reaching now", kPeriodCustom, n - 2 * kHourMs, n - kHourMs, Op::Next, now,
       n - kHourMs, n, true},

      // Completing a start time into a whole period of a newly chosen kind.
      {"minute steps start on the second", kPeriodMinuteSteps, Local(2024, 6, 15, 10, 7, 23, 456),
       0, Op::Complete, now, Local(2024, 6, 15, 10, 7, 23), Local(2024, 6, 15, 10, 8, 23), false},
      {"unknown code as minute steps", 7, Local(2024, 6, 15, 10, 7, 23, 456), 0, Op::Complete, now,
       Local(2024, 6, 15, 10, 7, 23), Local(2024, 6, 15, 10, 8, 23), false},
      {"5 min steps start on the minute", kPeriodFiveMinuteSteps,
       Local(2024, 6, 15, 10, 7, 23, 456), 0, Op::Complete, now, Local(2024, 6, 15, 10, 7),
       Local(2024, 6, 15, 10, 12), false},
      {"5 min steps from midnight", kPeriodFiveMinuteSteps, Local(2024, 6, 15), n, Op::Complete,
       now, Local(2024, 6, 15), Local(2024, 6, 15, 0, 5), false},
      {"hour steps in the present", kPeriodHourSteps, Local(2024, 6, 15, 13, 30, 10), 0,
       Op::Complete, now, Local(2024, 6, 15, 13, 30), Local(2024, 6, 15, 14, 30), true},
      {"day", kPeriodDay, Local(2024, 6, 14, 10), 0, Op::Complete, now, Local(2024, 6, 14),
       Local(2024, 6, 15), false},
      {"today", kPeriodDay, Local(2024, 6, 15, 10), 0, Op::Complete, now, Local(2024, 6, 15),
       Local(2024, 6, 16), true},
      {"week from a Sunday", kPeriodWeek, Local(2024, 6, 9, 18), 0, Op::Complete, now,
       Local(2024, 6, 3), Local(2024, 6, 10), false},
      {"month", kPeriodMonth, Local(2024, 2, 10, 5), 0, Op::Complete, now, Local(2024, 2, 1),
       Local(2024, 3, 1), false},
      {"year", kPeriodYear, Local(2023, 6, 15), 0, Op::Complete, now, Local(2023, 1, 1),
       Local(2024, 1, 1), false},
      {"custom swapped", kPeriodCustom, Local(2024, 6, 15, 12), Local(2024, 6, 15, 10),
       Op::Complete, now, Local(2024, 6, 15, 10), Local(2024, 6, 15, 12), false},
      {"custom into the future", kPeriodCustom, Local(2024, 6, 15, 12), Local(2024, 6, 16),
       Op::Complete, now, Local(2024, 6, 15, 12), Local(2024, 6, 16), true},
      {"sliding goes to the present", kPeriodLast30Minutes, Local(2024, 1, 1), Local(2024, 1, 2),
       Op::Complete, now, n - 30 * kMinuteMs, n, true},
  };
  for (const Step& c : cases) Check(c);
}

// Calendar steps are taken in local time: the days on which daylight saving starts and ends last
// 23 and 25 hours, and the periods around them still start at local midnight.
TEST_F(PeriodTest, CalendarStepsFollowDaylightSaving) {
  SetLocalOffsetForTesting(kCetOffsetMs);
  const double later = Local(2030, 1, 1);
  const Step cases[] = {
      {"spring day", kPeriodDay, Local(2024, 3, 31, 10), 0, Op::Complete, later, Local(2024, 3, 31),
       Local(2024, 4, 1), false},
      {"autumn day", kPeriodDay, Local(2024, 10, 27, 10), 0, Op::Complete, later,
       Local(2024, 10, 27), Local(2024, 10, 28), false},
      {"into the spring day", kPeriodDay, Local(2024, 3, 30), Local(2024, 3, 31), Op::Next, later,
       Local(2024, 3, 31), Local(2024, 4, 1), false},
      {"back into the autumn day", kPeriodDay, Local(2024, 10, 28), Local(2024, 10, 29),
       Op::Previous, later, Local(2024, 10, 27), Local(2024, 10, 28), false},
      {"out of the autumn day", kPeriodDay, Local(2024, 10, 26), Local(2024, 10, 27), Op::Next,
       later, Local(2024, 10, 27), Local(2024, 10, 28), false},
      {"spring week", kPeriodWeek, Local(2024, 3, 25), Local(2024, 3, 25), Op::Complete, later,
       Local(2024, 3, 25), Local(2024, 4, 1), false},
      {"autumn month", kPeriodMonth, Local(2024, 10, 27), 0, Op::Complete, later,
       Local(2024, 10, 1), Local(2024, 11, 1), false},
      {"today is the spring day", kPeriodDay, 0, 0, Op::Current, Local(2024, 3, 31, 12),
       Local(2024, 3, 31), Local(2024, 3, 31, 12), true},
  };
  for (const Step& c : cases) Check(c);

  TPeriod spring{kPeriodDay, Local(2024, 3, 31, 10), 0, true};
  Complete(spring, later);
  EXPECT_EQ(spring.StopTime - spring.StartTime, 23 * kHourMs);
  TPeriod autumn{kPeriodDay, Local(2024, 10, 27, 10), 0, true};
  Complete(autumn, later);
  EXPECT_EQ(autumn.StopTime - autumn.StartTime, 25 * kHourMs);
  // UTC midnights would be one hour off in summer.
  EXPECT_EQ(LocalText(Local(2024, 6, 15)), "15/06/2024 00:00:00.000");
  EXPECT_EQ(std::fmod(Local(2024, 6, 15), kDayMs), 22 * kHourMs);
}

// Stepping back and forth returns to where it started, for every kind.
TEST_F(PeriodTest, PreviousThenNextComesBack) {
  SetLocalOffsetForTesting(kCetOffsetMs);
  const double now = Local(2029, 11, 5, 9, 30, 15);
  for (std::int32_t code : {220, 230, 240, 250, 260, 270, 280, 290, 300, 50,
                            60,  70,  80,  90,  100, 110, 120, 130, 131, 7}) {
    TPeriod period{code, Local(2024, 3, 31, 13, 10), 0, true};
    if (code == kPeriodCustom) period.StopTime = Local(2024, 3, 31, 1, 30);
    Complete(period, now);
    if (PeriodKindOf(code).periodClass == TPeriodClass::Sliding) {
      Previous(period);  // out of the present first
    }
    const TPeriod before = period;
    for (int i = 0; i < 3; ++i) Previous(period);
    for (int i = 0; i < 3; ++i) Next(period, now);
    EXPECT_EQ(LocalText(period.StartTime), LocalText(before.StartTime)) << code;
    EXPECT_EQ(LocalText(period.StopTime), LocalText(before.StopTime)) << code;
  }
}

TEST_F(PeriodTest, CommandsChooseKindsAndUnknownCodesActAsMinuteSteps) {
  struct Case {
    int command;
    std::int32_t code;
    TPeriodClass periodClass;
  } const cases[] = {
      {1210, 100, TPeriodClass::Calendar}, {1211, 220, TPeriodClass::Sliding},
      {1218, 290, TPeriodClass::Sliding},  {1219, 300, TPeriodClass::Sliding},
      {1220, 50, TPeriodClass::Stepped},   {1224, 90, TPeriodClass::Stepped},
      {1225, 100, TPeriodClass::Calendar}, {1228, 130, TPeriodClass::Calendar},
      {1229, 131, TPeriodClass::Custom},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PeriodForCommand(c.command), c.code) << c.command;
    EXPECT_EQ(PeriodKindOf(c.code).periodClass, c.periodClass) << c.command;
    EXPECT_EQ(PeriodKindOf(c.code).command, c.command == 1210 ? 1225 : c.command);
  }
  for (std::int32_t unknown : {0, 7, 49, 132, -100, std::numeric_limits<std::int32_t>::max()}) {
    EXPECT_EQ(PeriodKindOf(unknown).code, kPeriodMinuteSteps) << unknown;
    EXPECT_EQ(Text(TString(RString(PeriodTitleId(unknown)))), u"One day") << unknown;
  }
  EXPECT_EQ(Text(TString(RString(PeriodTitleId(kPeriodMinuteSteps)))), u"One minutes");
}

}  // namespace
