// Tick tables, automatic and manual tick placement, and the label texts.
#include <algorithm>
#include <cmath>

#include "graph/axis.h"
#include "text/assert_report.h"
#include "text/numbers.h"
#include "text/source_location.h"
#include "text/time_fields.h"
#include "text/time_format.h"

namespace graph {

namespace {

constexpr double kFiveDays = 432000000.0;
constexpr double kThirtyTwoDays = 2764800000.0;
constexpr double kLeapYear = 31622400000.0;
constexpr double kDay = 86400000.0;

// The tables are kept as four columns, as they are edited; they must have equal lengths. A
// mismatch is reported at the table that has it.
std::vector<TTickRow> BuildTable(const std::vector<double>& thresholds,
                                 const std::vector<double>& micro, const std::vector<double>& minor,
                                 const std::vector<double>& major, const char16_t* sizeMessage,
                                 SourceLocation where = SourceLocation::current()) {
  bool equal = thresholds.size() == micro.size() && micro.size() == minor.size() &&
               minor.size() == major.size();
  AssertReport(sizeMessage, "Axis", equal, where);
  std::size_t rows = std::min({thresholds.size(), micro.size(), minor.size(), major.size()});
  std::vector<TTickRow> table(rows);
  for (std::size_t i = 0; i < rows; ++i) table[i] = {thresholds[i], micro[i], minor[i], major[i]};
  return table;
}

const std::vector<double> kDurationThresholds = {
    100,        200,        500,        1000,        2000,        4000,       8000,      12000,
    24000,      60000,      120000,     180000,      360000,      900000,     1800000,   3600000,
    7200000,    21600000,   43200000,   108000000,   115200000,   172800000,  345600000, 691200000,
    1296000000, 2592000000, 5184000000, 10368000000, 20736000000, 41472000000};
const std::vector<double> kDurationMicro = {
    0,       5,    5,       25,    50,       25,       50,    250,      500,    500,
    1000,    1000, 5000,    15000, 30000,    0,        60000, 0,        600000, 1200000,
    1800000, 0,    3600000, 0,     10800000, 21600000, 0,     86400000, 0,      432000000};
const std::vector<double> kDurationMinor = {
    5,        10,       10,       50,        100,       50,       250,      500,
    1000,     1000,     5000,     5000,      10000,     30000,    60000,    60000,
    300000,   600000,   1800000,  3600000,   3600000,   3600000,  21600000, 21600000,
    43200000, 86400000, 86400000, 432000000, 432000000, 864000000};
const std::vector<double> kDurationMajor = {
    10,       20,        50,        100,       200,        250,       500,      1000,
    2000,     5000,      10000,     15000,     30000,      60000,     120000,   300000,
    600000,   1800000,   3600000,   7200000,   14400000,   21600000,  43200000, 43200000,
    86400000, 172800000, 432000000, 864000000, 2160000000, 4320000000};

constexpr std::size_t kSharedTimeRows = 26;

// 10^exponent, exact for the whole exponents of the tick units: negative powers as the quotient
// of two exact numbers, since pow() may miss 1e-3 by an ulp (it does with mingw), which puts a
// tick just past the end of its range.
double PowerOfTen(double exponent) {
  return exponent < 0 ? 1.0 / std::pow(10.0, -exponent) : std::pow(10.0, exponent);
}

template <typename T>
std::vector<T> Concat(const std::vector<T>& head, std::size_t count, std::vector<T> tail) {
  std::vector<T> all(head.begin(), head.begin() + static_cast<std::ptrdiff_t>(count));
  all.insert(all.end(), tail.begin(), tail.end());
  return all;
}

}  // namespace

const std::vector<TTickRow>& TAxis::NumTable() {
  static const std::vector<TTickRow> table =
      BuildTable({0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000},
                 {0.005, 0, 0.05, 0.05, 0, 0.5, 0.5, 0, 5, 5, 25, 50, 50, 250},
                 {0.01, 0.02, 0.1, 0.1, 0.2, 1, 1, 2, 10, 10, 50, 100, 100, 500},
                 {0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000},
                 u"Wrong vector size in TAxis::ComputeNumTicks()");
  return table;
}

const std::vector<TTickRow>& TAxis::DurationTable() {
  static const std::vector<TTickRow> table =
      BuildTable(kDurationThresholds, kDurationMicro, kDurationMinor, kDurationMajor,
                 u"Wrong vector size in TAxis::ComputeDurationTicks()");
  return table;
}

const std::vector<TTickRow>& TAxis::TimeTable() {
  static const std::vector<TTickRow> table = BuildTable(
      Concat(kDurationThresholds, kSharedTimeRows,
             {6480000000, 12960000000, 34560000000, 69120000000, 138240000000, 276480000000,
              552960000000}),
      Concat(kDurationMicro, kSharedTimeRows, {0, 86400000, 604800000, 0, 0, 0, 0}),
      Concat(kDurationMinor, kSharedTimeRows,
             {86400000, 432000000, 1036800000, 2764800000, 5529600000, 11059200000, 0}),
      Concat(
          kDurationMajor, kSharedTimeRows,
          {604800000, 1036800000, 2764800000, 5529600000, 11059200000, 31795200000, 63590400000}),
      u"Wrong vector size in TAxis::ComputeTimeTicks()");
  return table;
}

void TAxis::NormaliseSettings() {
  TAxisSettings& s = *settings_;
  NormaliseRange(s.Format, s.MinValue, s.MaxValue);
  if (s.MajorTickGap <= 0) s.MajorTickGap = (s.MaxValue - s.MinValue) / 10;
  if (s.MinorTickGap <= 0) s.MinorTickGap = 0;
  if (s.MicroTickGap <= 0) s.MicroTickGap = 0;
}

void TAxis::ClearTicks() {
  labelCount_ = 0;
  major_.clear();
  minor_.clear();
  micro_.clear();
}

void TAxis::AddLabel(double gap, double value) {
  if (labelCount_ == labels_.size()) labels_.emplace_back();
  FormatValue(labels_[labelCount_++], gap, value);
}

void TAxis::StepTicks(std::vector<double>& ticks, double first, double gap, double lo, double hi,
                      double unit) {
  if (!(gap > 0)) return;
  // Ticks are first + k * gap rather than a running sum, whose error would lose the tick at the
  // end of a range such as 0 .. 1 in steps of 0.05.
  double tolerance = gap * 1e-9;
  for (int k = 0; k < kMaxTickSteps; ++k) {
    double v = first + k * gap;
    if (v > hi + tolerance) break;
    if (v >= lo - tolerance) ticks.push_back(v * unit);
  }
}

template <typename Place>
void TAxis::SelectRow(TCanvas& dc, const std::vector<TTickRow>& table, double range, double unit,
                      const char16_t*, Place place) {
  std::size_t rows = table.size();
  if (rows == 0) return;
  std::size_t i = 0;
  while (i < rows && table[i].threshold < range) ++i;
  std::size_t j = i > 0 ? i - 1 : 0;
  if (j >= rows) j = rows - 1;
  for (; j < rows; ++j) {
    place(table[j]);
    if (LabelsFit(LabelExtent(dc))) break;
  }
  if (j == rows) j = rows - 1;
  TAxisSettings& s = *settings_;
  if (!major_.empty()) s.FirstMajorTick = s.FirstMinorTick = s.FirstMicroTick = major_.front();
  s.MajorTickGap = table[j].major * unit;
  s.MinorTickGap = table[j].minor * unit;
  s.MicroTickGap = table[j].micro * unit;
}

// Numeric ticks.

void TAxis::PlaceNumTicks(TCanvas&, double, double major, double minor, double micro, double unit) {
  ClearTicks();
  double lo = min_ / unit, hi = max_ / unit;
  if (!(major > 0)) return;
  // Labels are in units of the power of ten shown: the row's unit on vertical axes, 1 on
  // horizontal ones, which show none.
  double labelScale = unit / PowerOfTen(exponent_);
  double tolerance = major * 1e-9;
  double first = major * std::ceil(lo / major);
  for (int k = 0; k < kMaxTickSteps; ++k) {
    double v = first + k * major;
    if (v > hi + tolerance) break;
    if (v >= lo - tolerance) {
      major_.push_back(v * unit);
      AddLabel(major * labelScale, v * labelScale);
    }
  }
  if (minor > 0) StepTicks(minor_, minor * std::ceil(lo / minor), minor, lo, hi, unit);
  if (micro > 0) StepTicks(micro_, micro * std::ceil(lo / micro), micro, lo, hi, unit);
}

void TAxis::ComputeNumTicks(TCanvas& dc) {
  if (!settings_) return;
  NormaliseSettings();
  if (settings_->ManualTicks) {
    PlaceManualNumTicks();
    return;
  }
  double a = std::max(std::fabs(min_), std::fabs(max_));
  double power = 0;
  if (!((a > 0.01 && a < 10000) || a == 0 || !std::isfinite(a))) {
    power = 3 * std::floor(std::floor(std::log10(a)) / 3);
  }
  // The row always comes from the range in units of the power; horizontal axes have no place to
  // show the power, so their labels carry the full values instead.
  bool horizontal = GetLocation() == kTop || GetLocation() == kBottom;
  exponent_ = horizontal ? 0 : power;
  double unit = PowerOfTen(power);
  double range = max_ / unit - min_ / unit;
  SelectRow(dc, NumTable(), range, unit, u"", [&](const TTickRow& row) {
    PlaceNumTicks(dc, range, row.major, row.minor, row.micro, unit);
  });
}

void TAxis::PlaceManualNumTicks() {
  ClearTicks();
  const TAxisSettings& s = *settings_;
  if (!(s.MajorTickGap > 0)) return;
  // The labels are in units of the settings' power of ten, so that is the power shown.
  exponent_ = s.Exponent;
  double unit = PowerOfTen(s.Exponent);
  double lo = min_ / unit, hi = max_ / unit;
  double gap = s.MajorTickGap / unit, tolerance = gap * 1e-9, first = s.FirstMajorTick / unit;
  for (int k = 0; k < kMaxTickSteps; ++k) {
    double v = first + k * gap;
    if (v > hi + tolerance) break;
    if (v >= lo - tolerance) {
      major_.push_back(v * unit);
      AddLabel(gap, v);
    }
  }
  StepTicks(minor_, s.FirstMinorTick / unit, s.MinorTickGap / unit, lo, hi, unit);
  StepTicks(micro_, s.FirstMicroTick / unit, s.MicroTickGap / unit, lo, hi, unit);
}

// Duration ticks.

void TAxis::PlaceDurationTicks(TCanvas&, double, double major, double minor, double micro) {
  ClearTicks();
  if (!(major > 0)) return;
  double first = major * std::floor(min_ / major);
  for (int k = 0; k < kMaxTickSteps; ++k) {
    double v = first + k * major;
    if (v > max_) break;
    if (v >= min_) {
      major_.push_back(v);
      AddLabel(major, v);
    }
  }
  StepTicks(minor_, first + minor, minor, min_, max_, 1);
  StepTicks(micro_, first + micro, micro, min_, max_, 1);
}

void TAxis::ComputeDurationTicks(TCanvas& dc) {
  if (!settings_) return;
  NormaliseSettings();
  if (settings_->ManualTicks) {
    PlaceManualDurationTicks();
    return;
  }
  exponent_ = 0;
  double range = max_ - min_;
  SelectRow(dc, DurationTable(), range, 1, u"", [&](const TTickRow& row) {
    PlaceDurationTicks(dc, range, row.major, row.minor, row.micro);
  });
}

void TAxis::PlaceManualDurationTicks() {
  ClearTicks();
  const TAxisSettings& s = *settings_;
  if (!(s.MajorTickGap > 0)) return;
  for (int k = 0; k < kMaxTickSteps; ++k) {
    double v = s.FirstMajorTick + k * s.MajorTickGap;
    if (v > max_) break;
    if (v >= min_) {
      major_.push_back(v);
      AddLabel(s.MajorTickGap, v);
    }
  }
  StepTicks(minor_, s.FirstMinorTick, s.MinorTickGap, min_, max_, 1);
  StepTicks(micro_, s.FirstMicroTick, s.MicroTickGap, min_, max_, 1);
}

// Time ticks.

double TAxis::SnapTime(double value, double gap, bool major) {
  TTimeFields fields;
  if (major && gap >= kLeapYear) {
    TimeToFields(value + 2 * kDay, fields);
    return StartOfYear(fields);
  }
  if (gap >= kThirtyTwoDays) {
    TimeToFields(value + kDay, fields);
    return StartOfMonth(fields);
  }
  if (gap >= kFiveDays) {
    TimeToFields(major ? value + 3600000.0 : value, fields);
    return StartOfFiveDays(fields);
  }
  return value;
}

double TAxis::NextCalendarSlot(double tick, double gap, bool major) {
  TTimeFields fields;
  TimeToFields(tick, fields);
  TTimeFields next;
  next.year = fields.year;
  next.month = fields.month;
  next.day = 1;
  if (major && gap >= kLeapYear) {
    next.month = 1;
    ++next.year;
  } else if (gap >= kThirtyTwoDays || fields.day >= 25) {
    if (++next.month > 12) {
      next.month = 1;
      ++next.year;
    }
  } else {
    next.day = fields.day < 5 ? 5 : (fields.day / 5 + 1) * 5;
  }
  return FieldsToTime(next);
}

void TAxis::StepTimeTicks(std::vector<double>& ticks, double first, double gap, bool major) {
  if (!(gap > 0)) return;
  double t = first;
  double previous = -TAxisSettings::kHighest;
  for (int k = 0; k < kMaxTickSteps; ++k) {
    double snapped = SnapTime(t, gap, major);
    // A gap that snaps back onto the previous tick (from the 25th in months of 30 and 31 days,
    // or when the end of summer time moves the step back an hour into the previous day) goes to
    // the next slot of the calendar instead.
    if (snapped <= previous && gap >= kFiveDays) snapped = NextCalendarSlot(previous, gap, major);
    if (!(snapped > previous)) break;  // the end of the calendar
    t = snapped;
    if (!(t <= max_)) break;
    if (t >= min_) {
      ticks.push_back(t);
      if (major) AddLabel(gap, t);
    }
    previous = t;
    t += gap;
  }
}

void TAxis::PlaceTimeTicks(TCanvas&, double range, double major, double minor, double micro) {
  ClearTicks();
  if (!(major > 0)) return;
  double start;
  TTimeFields fields;
  if (range <= 115200000.0) {
    start = major * std::floor(min_ / major);
  } else if (range <= 2592000000.0) {
    TimeToFields(min_, fields);
    start = StartOfDay(fields);
  } else {
    TimeToFields(min_, fields);
    start = StartOfMonth(fields);
  }
  StepTimeTicks(major_, start, major, true);
  if (minor > 0) StepTimeTicks(minor_, start + minor, minor, false);
  if (micro > 0) StepTimeTicks(micro_, start + micro, micro, false);
}

void TAxis::ComputeTimeTicks(TCanvas& dc) {
  if (!settings_) return;
  NormaliseSettings();
  if (settings_->ManualTicks) {
    PlaceManualTimeTicks();
    return;
  }
  exponent_ = 0;
  double range = max_ - min_;
  SelectRow(dc, TimeTable(), range, 1, u"", [&](const TTickRow& row) {
    PlaceTimeTicks(dc, range, row.major, row.minor, row.micro);
  });
}

void TAxis::PlaceManualTimeTicks() {
  ClearTicks();
  const TAxisSettings& s = *settings_;
  if (!(s.MajorTickGap > 0)) return;
  StepTimeTicks(major_, s.FirstMajorTick, s.MajorTickGap, true);
  StepTimeTicks(minor_, s.FirstMinorTick, s.MinorTickGap, false);
  StepTimeTicks(micro_, s.FirstMicroTick, s.MicroTickGap, false);
}

// Label texts.

namespace {

// Three decimals, or as many as a gap below a thousandth needs (full-value labels of horizontal
// axes); the labels are always written in fixed notation.
int NumericLabelDecimals(double gap) {
  constexpr int kDecimals = 3, kMaxDecimals = 18;
  if (!(gap > 0 && gap < 0.001)) return kDecimals;
  return std::min(kMaxDecimals, static_cast<int>(std::ceil(-std::log10(gap) - 1e-9)));
}

void AppendTwoDigits(char16_t*& out, std::int32_t v) {
  *out++ = static_cast<char16_t>(u'0' + (v / 10) % 10);
  *out++ = static_cast<char16_t>(u'0' + v % 10);
}

void FormatTimeLabel(TString& text, double gap, double value) {
  TTimeFields fields;
  TimeToFields(value, fields);
  if (fields.invalid) {
    text.Assign(u"INF");
    return;
  }
  if (gap < 60000) {
    char16_t buffer[16];
    char16_t* out = buffer;
    AppendTwoDigits(out, fields.hour);
    *out++ = u':';
    AppendTwoDigits(out, fields.minute);
    *out++ = u':';
    AppendTwoDigits(out, fields.second);
    if (gap < 1000) {
      *out++ = u'.';
      *out++ = static_cast<char16_t>(u'0' + fields.millisecond / 100);
      AppendTwoDigits(out, fields.millisecond % 100);
    }
    text.Assign(static_cast<std::uint32_t>(out - buffer), buffer);
  } else if (gap < kDay) {
    text.Assign(FormatDayMonthTime(fields));
  } else if (gap < kThirtyTwoDays) {
    text.Assign(FormatDayMonth(fields));
  } else {
    text.Assign(FormatDate(fields));
  }
}

}  // namespace

void TAxis::FormatValue(TString& text, double gap, double value) const {
  std::int32_t format = settings_ ? settings_->Format : kNumericFormat;
  if (format == kTimeFormat) {
    FormatTimeLabel(text, gap, value);
  } else if (format == kDurationFormat) {
    if (gap < 1000) {
      FormatDuration(text, true, value);
    } else if (gap < 60000) {
      FormatDuration(text, false, value);
    } else if (gap < 172800000.0) {
      FormatHoursMinutes(value, text);
    } else {
      FormatDays(value, language_, text);
    }
  } else {
    NumberText digits;
    FormatFixed(value, NumericLabelDecimals(gap), digits);
    TrimZeros(digits);
    text.Assign(digits);
  }
}

TSize TAxis::LabelExtent(TCanvas& dc) const {
  TSize sum;
  for (std::uint32_t i = 0; i < labelCount_; ++i) {
    TSize size = dc.TextExtent(labels_[i].Str(), labels_[i].Length());
    sum.cx += size.cx;
    sum.cy += size.cy;
  }
  return sum;
}

}  // namespace graph
