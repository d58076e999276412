// Period kinds and the arithmetic that moves a period: to the present, one step back, one step
// forward, and completing a start time into a whole period of a newly chosen kind. Calendar
// boundaries are local midnights, so a day across a daylight-saving change lasts 23 or 25 hours.
#pragma once

#include <cstdint>

// The kind codes stored in document files.
enum TPeriodCode : std::int32_t {
  kPeriodMinuteSteps = 50,
  kPeriodFiveMinuteSteps = 60,
  kPeriodTenMinuteSteps = 70,
  kPeriodThirtyMinuteSteps = 80,
  kPeriodHourSteps = 90,
  kPeriodDay = 100,
  kPeriodWeek = 110,
  kPeriodMonth = 120,
  kPeriodYear = 130,
  kPeriodCustom = 131,
  kPeriodLast10Seconds = 220,
  kPeriodLast30Seconds = 230,
  kPeriodLastMinute = 240,
  kPeriodLast5Minutes = 250,
  kPeriodLast10Minutes = 260,
  kPeriodLast30Minutes = 270,
  kPeriodLastHour = 280,
  kPeriodLast24Hours = 290,
  kPeriodLast7Days = 300,
};

enum class TPeriodClass {
  Sliding,   // the last span up to now
  Stepped,   // fixed slots of span
  Calendar,  // day, week, month or year
  Custom,    // any span the user chose
};

enum class TCalendarUnit { None, Day, Week, Month, Year };

struct TPeriodKind {
  std::int32_t code;
  TPeriodClass periodClass;
  double span;  // milliseconds; 0 for calendar and custom kinds
  TCalendarUnit unit;
  int command;  // the main-window command that chooses it
  int titleId;  // resource text of its name in the main window title
};

// The kind of a code; codes outside the table behave as minute steps (50).
const TPeriodKind& PeriodKindOf(std::int32_t code);
// Resource text of the name shown in the title; codes outside the table show "One day".
int PeriodTitleId(std::int32_t code);
// The code a period command chooses; commands of the range that name no kind choose the day.
std::int32_t PeriodForCommand(int command);

// Local midnight starting the day, week (Monday), month or year that contains t.
double StartOfUnit(TCalendarUnit unit, double t);

struct TPeriod {
  std::int32_t Period = kPeriodDay;
  double StartTime = 0.0;
  double StopTime = 0.0;
  bool Live = true;  // the period follows the present; never stored
};

// `now` is the exact current time stamp; the steps that go to the present use it truncated to
// whole seconds.
void Current(TPeriod& period, double now);
void Previous(TPeriod& period);
void Next(TPeriod& period, double now);
// Turns StartTime into a whole period of the (newly chosen) kind.
void Complete(TPeriod& period, double now);
