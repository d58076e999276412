#include "dialogs/core/period_entry.h"

#include <algorithm>

#include "text/time_fields.h"
#include "text/time_format.h"

TString PeriodFieldText(double timeStamp) {
  TTimeFields fields;
  TimeToFields(timeStamp, fields);
  return TString(FormatDateTime(fields, true));
}

namespace {

double ParsedTime(const TString& text) {
  TTimeFields fields;
  ParseDateTime(fields, text);
  return FieldsToTime(fields);
}

}  // namespace

PeriodBounds ReadPeriodFields(const TString& startText, const TString& stopText, double now) {
  const double start = ParsedTime(startText);
  const double stop = stopText.IsEmpty() ? now : ParsedTime(stopText);
  return {std::min(start, stop), std::max(start, stop)};
}

double CalendarDateToTime(int year, int month, int day) {
  TTimeFields fields;
  SetFields(year, day, month, 0, 0, 0, 0, fields);
  return FieldsToTime(fields);
}
