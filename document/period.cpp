#include "document/period.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "strings/string_ids.h"
#include "text/time_fields.h"

namespace {

constexpr double kSecondMs = 1000.0;
constexpr double kMinuteMs = 60000.0;
constexpr double kHourMs = 3600000.0;
constexpr double kDayMs = 86400000.0;

// How far past a boundary the next boundary of a calendar unit is looked for: far enough to leave
// the current unit whatever its length, not so far as to skip the next one.
constexpr double kNextDayOffsetMs = 36 * kHourMs;
constexpr double kNextWeekOffsetMs = 8 * kDayMs;
constexpr double kCompleteWeekOffsetMs = 10 * kDayMs;
constexpr double kNextMonthOffsetMs = 32 * kDayMs;
constexpr double kNextYearOffsetMs = 400 * kDayMs;

constexpr TPeriodKind kKinds[] = {
    {kPeriodLast10Seconds, TPeriodClass::Sliding, 10 * kSecondMs, TCalendarUnit::None, 1211,
     IDS_PERIOD_LAST_10_SECONDS},
    {kPeriodLast30Seconds, TPeriodClass::Sliding, 30 * kSecondMs, TCalendarUnit::None, 1212,
     IDS_PERIOD_LAST_30_SECONDS},
    {kPeriodLastMinute, TPeriodClass::Sliding, kMinuteMs, TCalendarUnit::None, 1213,
     IDS_PERIOD_LAST_MINUTE},
    {kPeriodLast5Minutes, TPeriodClass::Sliding, 5 * kMinuteMs, TCalendarUnit::None, 1214,
     IDS_PERIOD_LAST_5_MINUTES},
    {kPeriodLast10Minutes, TPeriodClass::Sliding, 10 * kMinuteMs, TCalendarUnit::None, 1215,
     IDS_PERIOD_LAST_10_MINUTES},
    {kPeriodLast30Minutes, TPeriodClass::Sliding, 30 * kMinuteMs, TCalendarUnit::None, 1216,
     IDS_PERIOD_LAST_30_MINUTES},
    {kPeriodLastHour, TPeriodClass::Sliding, kHourMs, TCalendarUnit::None, 1217,
     IDS_PERIOD_LAST_HOUR},
    {kPeriodLast24Hours, TPeriodClass::Sliding, kDayMs, TCalendarUnit::None, 1218,
     IDS_PERIOD_LAST_24_HOURS},
    {kPeriodLast7Days, TPeriodClass::Sliding, 7 * kDayMs, TCalendarUnit::None, 1219,
     IDS_PERIOD_LAST_7_DAYS},
    {kPeriodMinuteSteps, TPeriodClass::Stepped, kMinuteMs, TCalendarUnit::None, 1220,
     IDS_PERIOD_ONE_MINUTE},
    {kPeriodFiveMinuteSteps, TPeriodClass::Stepped, 5 * kMinuteMs, TCalendarUnit::None, 1221,
     IDS_PERIOD_FIVE_MINUTES},
    {kPeriodTenMinuteSteps, TPeriodClass::Stepped, 10 * kMinuteMs, TCalendarUnit::None, 1222,
     IDS_PERIOD_TEN_MINUTES},
    {kPeriodThirtyMinuteSteps, TPeriodClass::Stepped, 30 * kMinuteMs, TCalendarUnit::None, 1223,
     IDS_PERIOD_THIRTY_MINUTES},
    {kPeriodHourSteps, TPeriodClass::Stepped, kHourMs, TCalendarUnit::None, 1224,
     IDS_PERIOD_ONE_HOUR},
    {kPeriodDay, TPeriodClass::Calendar, 0, TCalendarUnit::Day, 1225, IDS_PERIOD_ONE_DAY},
    {kPeriodWeek, TPeriodClass::Calendar, 0, TCalendarUnit::Week, 1226, IDS_PERIOD_ONE_WEEK},
    {kPeriodMonth, TPeriodClass::Calendar, 0, TCalendarUnit::Month, 1227, IDS_PERIOD_ONE_MONTH},
    {kPeriodYear, TPeriodClass::Calendar, 0, TCalendarUnit::Year, 1228, IDS_PERIOD_ONE_YEAR},
    {kPeriodCustom, TPeriodClass::Custom, 0, TCalendarUnit::None, 1229, IDS_PERIOD_ANOTHER},
};

const TPeriodKind* FindKind(std::int32_t code) {
  auto found = std::find_if(std::begin(kKinds), std::end(kKinds),
                            [code](const TPeriodKind& kind) { return kind.code == code; });
  return found == std::end(kKinds) ? nullptr : found;
}

double WholeSeconds(double now) { return std::floor(now / kSecondMs) * kSecondMs; }

// The boundary that ends the calendar unit starting at `start`.
double NextBoundary(TCalendarUnit unit, double start, bool completing) {
  switch (unit) {
    case TCalendarUnit::Day:
      return StartOfUnit(unit, start + kNextDayOffsetMs);
    case TCalendarUnit::Week:
      return StartOfUnit(unit, start + (completing ? kCompleteWeekOffsetMs : kNextWeekOffsetMs));
    case TCalendarUnit::Month:
      return StartOfUnit(unit, start + kNextMonthOffsetMs);
    case TCalendarUnit::Year:
      return StartOfUnit(unit, start + kNextYearOffsetMs);
    case TCalendarUnit::None:
      break;
  }
  return start;
}

}  // namespace

const TPeriodKind& PeriodKindOf(std::int32_t code) {
  const TPeriodKind* kind = FindKind(code);
  return kind ? *kind : *FindKind(kPeriodMinuteSteps);
}

int PeriodTitleId(std::int32_t code) {
  const TPeriodKind* kind = FindKind(code);
  return kind ? kind->titleId : IDS_PERIOD_ONE_DAY;
}

std::int32_t PeriodForCommand(int command) {
  for (const TPeriodKind& kind : kKinds) {
    if (kind.command == command) return kind.code;
  }
  return kPeriodDay;
}

double StartOfUnit(TCalendarUnit unit, double t) {
  TTimeFields fields;
  TimeToFields(t, fields);
  switch (unit) {
    case TCalendarUnit::Day:
      return StartOfDay(fields);
    case TCalendarUnit::Week:
      return StartOfWeek(fields);
    case TCalendarUnit::Month:
      return StartOfMonth(fields);
    case TCalendarUnit::Year:
      return StartOfYear(fields);
    case TCalendarUnit::None:
      break;
  }
  return t;
}

void Current(TPeriod& period, double now) {
  period.Live = true;
  const TPeriodKind& kind = PeriodKindOf(period.Period);
  const double n = WholeSeconds(now);
  switch (kind.periodClass) {
    case TPeriodClass::Sliding:
      period.StartTime = n - kind.span;
      period.StopTime = n;
      break;
    case TPeriodClass::Stepped:
      period.StartTime = std::floor(n / kind.span) * kind.span;
      period.StopTime = n;
      break;
    case TPeriodClass::Calendar:
      period.StartTime = StartOfUnit(kind.unit, n);
      period.StopTime = n;
      break;
    case TPeriodClass::Custom:
      break;
  }
}

void Previous(TPeriod& period) {
  period.Live = false;
  const TPeriodKind& kind = PeriodKindOf(period.Period);
  const double oldStart = period.StartTime;
  const double oldStop = period.StopTime;
  period.StopTime = oldStart;
  switch (kind.periodClass) {
    case TPeriodClass::Sliding:
    case TPeriodClass::Stepped:
      period.StartTime = oldStart - kind.span;
      break;
    case TPeriodClass::Calendar:
      period.StartTime = StartOfUnit(kind.unit, oldStart - 1);
      break;
    case TPeriodClass::Custom:
      period.StartTime = oldStart - (oldStop - oldStart);
      break;
  }
}

void Next(TPeriod& period, double now) {
  const TPeriodKind& kind = PeriodKindOf(period.Period);
  const double oldStart = period.StartTime;
  const double oldStop = period.StopTime;
  period.StartTime = oldStop;
  switch (kind.periodClass) {
    case TPeriodClass::Sliding:
    case TPeriodClass::Stepped:
      period.StopTime = oldStop + kind.span;
      break;
    case TPeriodClass::Calendar:
      period.StopTime = NextBoundary(kind.unit, oldStop, false);
      break;
    case TPeriodClass::Custom:
      period.StopTime = oldStop + (oldStop - oldStart);
      break;
  }
  if (WholeSeconds(now) <= period.StopTime) Current(period, now);
}

void Complete(TPeriod& period, double now) {
  const TPeriodKind& kind = PeriodKindOf(period.Period);
  switch (kind.periodClass) {
    case TPeriodClass::Sliding:
      Current(period, now);
      return;
    case TPeriodClass::Stepped:
      // Minute steps start on the second; the longer steps on the minute, not on their span.
      if (kind.code == kPeriodMinuteSteps) {
        period.StartTime = std::floor(period.StartTime / kSecondMs) * kSecondMs;
      } else {
        period.StartTime = std::floor(period.StartTime / kMinuteMs) * kMinuteMs;
      }
      period.StopTime = period.StartTime + kind.span;
      break;
    case TPeriodClass::Calendar:
      period.StartTime = StartOfUnit(kind.unit, period.StartTime);
      period.StopTime = NextBoundary(kind.unit, period.StartTime, true);
      break;
    case TPeriodClass::Custom:
      if (period.StartTime > period.StopTime) std::swap(period.StartTime, period.StopTime);
      break;
  }
  period.Live = now <= period.StopTime;
}
