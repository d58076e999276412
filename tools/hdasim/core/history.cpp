#include "tools/hdasim/core/history.h"

#include <algorithm>

namespace hdasim {
namespace {

// OLE automation dates count days from 1899-12-30.
double OleDate(Ticks t) {
  static const Ticks kOleEpoch = MakeTicks(1899, 12, 30);
  return static_cast<double>(t - kOleEpoch) / static_cast<double>(kTicksPerDay);
}

std::uint32_t QualityOf(QualityPattern pattern, std::int64_t k) {
  switch (pattern) {
    case QualityPattern::kGood:
      return kDaGood;
    case QualityPattern::kCycle:
      return kQualityCycle[FloorMod(k, 5)];
    case QualityPattern::kEveryTenthBad:
      return FloorMod(k, 10) == 9 ? kDaBad : kDaGood;
  }
  return kDaGood;
}

}  // namespace

std::optional<Ticks> GeneratedSeries::FirstAtOrAfter(Ticks t) const {
  const Ticks p = item_.period;
  if (item_.generator == Generator::kNone || p <= 0) return std::nullopt;
  const Ticks x = std::max(t, item_.history_start);
  if (x > now_) return std::nullopt;
  Ticks c = CeilDiv(x, p) * p;
  for (int i = 0; i < 3 && item_.gap.Contains(c); ++i) {
    const Ticks m = FloorMod(c, item_.gap.cycle);
    c = CeilDiv(c - m + item_.gap.to, p) * p;
  }
  if (item_.gap.Contains(c) || c > now_) return std::nullopt;
  return c;
}

std::optional<Ticks> GeneratedSeries::LastAtOrBefore(Ticks t) const {
  const Ticks p = item_.period;
  if (item_.generator == Generator::kNone || p <= 0) return std::nullopt;
  const Ticks x = std::min(t, now_);
  if (x < item_.history_start) return std::nullopt;
  Ticks c = FloorDiv(x, p) * p;
  for (int i = 0; i < 3 && item_.gap.Contains(c); ++i) {
    const Ticks m = FloorMod(c, item_.gap.cycle);
    c = FloorDiv(c - m + item_.gap.from - 1, p) * p;
  }
  if (item_.gap.Contains(c) || c < item_.history_start) return std::nullopt;
  return c;
}

bool GeneratedSeries::Exists(Ticks t) const {
  const Ticks p = item_.period;
  return item_.generator != Generator::kNone && p > 0 && t >= item_.history_start && t <= now_ &&
         FloorMod(t, p) == 0 && !item_.gap.Contains(t);
}

Sample GeneratedSample(const ItemDefinition& item, Ticks t) {
  const std::int64_t k = FloorDiv(t, item.period);
  Sample sample;
  sample.time = t;
  sample.quality = QualityOf(item.quality, k);
  switch (item.generator) {
    case Generator::kNone:
    case Generator::kEmpty:
      break;
    case Generator::kNull:
      sample.value.kind = ValueKind::kNull;
      break;
    case Generator::kWave:
      sample.value = Value::Number(item.type, WaveValue(item.wave, t, item.period));
      break;
    case Generator::kFixedText:
      sample.value = Value::Text(FixedText(WaveValue(item.wave, t, item.period)));
      break;
    case Generator::kStateText:
      sample.value = Value::Text(kStateTexts[FloorMod(k, 5)]);
      break;
    case Generator::kClockText:
      sample.value = Value::Text(ClockText(t));
      break;
    case Generator::kMixedText:
      if (FloorMod(k, 3) != 2) sample.value = Value::Text(ClockText(t));
      break;
    case Generator::kTimeAsDate:
      sample.value = Value::Number(ValueKind::kDate, OleDate(t));
      break;
  }
  return sample;
}

Sample GeneratedSeries::SampleAt(Ticks t) const { return GeneratedSample(item_, t); }

std::optional<Ticks> ItemHistory::LiveGeneratedAtOrAfter(Ticks t) const {
  std::optional<Ticks> c = series_.FirstAtOrAfter(t);
  if (!overlay_) return c;
  while (c) {
    auto range = overlay_->deleted.Find(*c);
    if (!range) break;
    c = series_.FirstAtOrAfter(range->second);
  }
  return c;
}

std::optional<Ticks> ItemHistory::LiveGeneratedAtOrBefore(Ticks t) const {
  std::optional<Ticks> c = series_.LastAtOrBefore(t);
  if (!overlay_) return c;
  while (c) {
    auto range = overlay_->deleted.Find(*c);
    if (!range) break;
    c = series_.LastAtOrBefore(range->first - 1);
  }
  return c;
}

std::optional<Sample> ItemHistory::AtOrAfter(Ticks t) const {
  const std::optional<Ticks> generated = LiveGeneratedAtOrAfter(t);
  if (overlay_) {
    auto entry = overlay_->entries.lower_bound(t);
    if (entry != overlay_->entries.end() && (!generated || entry->first <= *generated))
      return entry->second;
  }
  if (generated) return series_.SampleAt(*generated);
  return std::nullopt;
}

std::optional<Sample> ItemHistory::AtOrBefore(Ticks t) const {
  const std::optional<Ticks> generated = LiveGeneratedAtOrBefore(t);
  if (overlay_) {
    auto entry = overlay_->entries.upper_bound(t);
    if (entry != overlay_->entries.begin()) {
      --entry;
      if (!generated || entry->first >= *generated) return entry->second;
    }
  }
  if (generated) return series_.SampleAt(*generated);
  return std::nullopt;
}

std::optional<Sample> ItemHistory::At(Ticks t) const {
  std::optional<Sample> sample = AtOrAfter(t);
  if (sample && sample->time == t) return sample;
  return std::nullopt;
}

std::optional<Sample> ItemHistory::After(Ticks t) const {
  if (t >= kMaxTicks) return std::nullopt;
  return AtOrAfter(t + 1);
}

std::optional<Sample> ItemHistory::Before(Ticks t) const {
  if (t <= 0) return std::nullopt;
  return AtOrBefore(t - 1);
}

}  // namespace hdasim
