// Text forms of time stamps and durations, written and parsed. Dates are always day first.
// Invalid records and infinite durations are written "INF".
#pragma once

#include "text/time_fields.h"
#include "text/tstring.h"

// Record formats: the text is written into record.text and a pointer to it is returned, valid
// until the next format on the same record.
const char16_t* FormatDate(TTimeFields& record);          // 25/12/2024
const char16_t* FormatDayMonth(TTimeFields& record);      // 25/12
const char16_t* FormatDayMonthTime(TTimeFields& record);  // 25/12 13:45
// 25/12/2024 13:45:10.250, or 25/12/2024 13:45:10 without milliseconds.
const char16_t* FormatDateTime(TTimeFields& record, bool withMilliseconds);

// Reads "day/month[/year] [hour[:minute[:second[.millisecond]]]]" with any of the time
// separators between the numbers; a missing year is the current local year, a two-digit year
// is read as by SetFields. Empty text gives 2 January 1970 00:00; a date that does not begin with
// a digit ("INF") gives an invalid record.
void ParseDateTime(TTimeFields& record, const TString& text);

// Duration formats replace the destination's text.
// "hh:mm:ss.mmm", or "hh:mm:ss" rounded to the second; hours are not wrapped at 24.
void FormatDuration(TString& destination, bool withMilliseconds, double duration);
// "hh:mm" of whole hours and minutes, truncated.
void FormatHoursMinutes(double duration, TString& destination);
// Whole days in the form of the language (0 French, 1 English, 2 German, 3 Spanish, 4 Dutch).
void FormatDays(double duration, int language, TString& destination);

// "hours[:minutes[:seconds[.milliseconds]]]" with any of the time separators, or "INF" in any
// case for +infinity. Never negative.
double ParseDuration(const TString& text);
