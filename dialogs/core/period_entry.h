// What the custom period dialog and its calendar read and write: time stamps as the dialog shows
// them, the two typed times turned into an ordered period, and a calendar date as a time stamp.
#pragma once

#include "text/tstring.h"

struct PeriodBounds {
  double start;
  double stop;
};

// "dd/mm/yyyy hh:mm:ss.mmm" of the local time, or "INF" for a time stamp that cannot be shown.
TString PeriodFieldText(double timeStamp);

// The start and stop typed into the dialog, in either order: the smaller becomes the start. An
// empty stop is `now`; an empty start is 2 January 1970 00:00 local; a text that does not begin
// with a digit is +infinity.
PeriodBounds ReadPeriodFields(const TString& startText, const TString& stopText, double now);

// Local midnight of a date picked in the calendar. Years 0..69 mean 2000..2069 and 70..99 mean
// 1970..1999; the year is kept within 1970..2099, the month within 1..12 and the day within the
// month.
double CalendarDateToTime(int year, int month, int day);
