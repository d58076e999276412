#include "graph/settings_page_rules.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>

#include "text/numbers.h"
#include "text/time_fields.h"
#include "text/time_format.h"

namespace graph {

TString AxisValueText(std::int32_t format, double value) {
  if (format == kTimeFormat) {
    TTimeFields fields;
    TimeToFields(value, fields);
    return FormatDateTime(fields, true);
  }
  if (format == kDurationFormat) {
    TString text;
    FormatDuration(text, true, value);
    return text;
  }
  NumberText digits;
  FormatFixed(value, 3, digits);
  return digits;
}

TString AxisGapText(std::int32_t format, double gap) {
  return AxisValueText(format == kNumericFormat ? kNumericFormat : kDurationFormat, gap);
}

TAxisValueTexts AxisValueTexts(const TAxisSettings& axis) {
  return {
      AxisValueText(axis.Format, axis.MinValue),       AxisValueText(axis.Format, axis.MaxValue),
      AxisValueText(axis.Format, axis.FirstMajorTick), AxisGapText(axis.Format, axis.MajorTickGap),
      AxisGapText(axis.Format, axis.MinorTickGap),     AxisGapText(axis.Format, axis.MicroTickGap)};
}

double ReadAxisValue(std::int32_t format, const TString& text) {
  if (format == kTimeFormat) {
    TTimeFields fields;
    NowFields(fields);
    ParseDateTime(fields, text);
    return FieldsToTime(fields);
  }
  if (format == kDurationFormat) return ParseDuration(text);
  return ParseNumber(text.Str());
}

double ReadAxisGap(std::int32_t format, const TString& text) {
  return format == kNumericFormat ? ParseNumber(text.Str()) : ParseDuration(text);
}

void StoreAxisValueTexts(TAxisSettings& axis, const TAxisValueTexts& shown,
                         const TAxisValueTexts& typed) {
  auto value = [&](const TString& text, const TString& before, double current) {
    if (text == before) return current;
    const double read = ReadAxisValue(axis.Format, text);
    return std::isfinite(read) ? read : current;
  };
  if (!(typed.min == shown.min) || !(typed.max == shown.max)) {
    double min = value(typed.min, shown.min, axis.MinValue);
    double max = value(typed.max, shown.max, axis.MaxValue);
    NormaliseRange(axis.Format, min, max);
    axis.MinValue = std::min(min, max);
    axis.MaxValue = std::max(min, max);
  }

  if (!(typed.firstTick == shown.firstTick)) {
    const double first = value(typed.firstTick, shown.firstTick, axis.FirstMajorTick);
    axis.FirstMajorTick = first;
    axis.FirstMinorTick = first;
    axis.FirstMicroTick = first;
  }

  auto gap = [&](const TString& text, const TString& before, double current) {
    const double read = text == before ? current : ReadAxisGap(axis.Format, text);
    return std::isfinite(read) ? read : 0.0;
  };
  if (!(typed.majorGap == shown.majorGap) || !(typed.minorGap == shown.minorGap) ||
      !(typed.microGap == shown.microGap)) {
    double gaps[3] = {gap(typed.majorGap, shown.majorGap, axis.MajorTickGap),
                      gap(typed.minorGap, shown.minorGap, axis.MinorTickGap),
                      gap(typed.microGap, shown.microGap, axis.MicroTickGap)};
    std::sort(std::begin(gaps), std::end(gaps), std::greater<double>());
    axis.MajorTickGap = gaps[0] > 0 ? gaps[0] : (axis.MaxValue - axis.MinValue) / 10;
    axis.MinorTickGap = gaps[1] > 0 ? gaps[1] : 0;
    axis.MicroTickGap = gaps[2] > 0 ? gaps[2] : 0;
  }
}

bool IsVerticalLocation(std::int32_t location) { return location == kLeft || location == kRight; }

std::int32_t AddAxis(TGraphSettings& settings, std::int32_t currentId) {
  const std::int32_t id = settings.SmallestFreeAxisId();
  TAxisSettings record(id, kLeft);
  if (auto current = settings.Axes.find(currentId); current != settings.Axes.end()) {
    record = current->second;
    record.Id = id;
    record.Name.NextName();
  }
  settings.Axes.emplace(id, record);
  return id;
}

bool CanDeleteAxis(const TGraphSettings& settings, std::int32_t axisId) {
  auto axis = settings.Axes.find(axisId);
  if (axis == settings.Axes.end()) return false;
  const bool vertical = IsVerticalLocation(axis->second.Location);
  for (const auto& [id, other] : settings.Axes) {
    if (id != axisId && IsVerticalLocation(other.Location) == vertical) return true;
  }
  return false;
}

const TPlotSettings* WaveUsingAxis(const TGraphSettings& settings, std::int32_t axisId) {
  for (const auto& [name, plot] : settings.Plots) {
    if (plot.XAxisId == axisId || plot.YAxisId == axisId) return &plot;
  }
  return nullptr;
}

std::int32_t DeleteAxis(TGraphSettings& settings, std::int32_t axisId) {
  auto axis = settings.Axes.find(axisId);
  if (axis == settings.Axes.end()) return -1;
  std::int32_t next = -1;
  if (auto after = std::next(axis); after != settings.Axes.end()) {
    next = after->first;
  } else if (axis != settings.Axes.begin()) {
    next = std::prev(axis)->first;
  }
  settings.Axes.erase(axis);
  return next;
}

}  // namespace graph
