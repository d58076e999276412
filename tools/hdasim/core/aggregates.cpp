#include "tools/hdasim/core/aggregates.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "opc/opc_codes.h"
#include "tools/hdasim/core/interval_facts.h"

namespace hdasim {
namespace {

// How far back or forward a search for a good neighbour goes before giving up.
constexpr int kNeighbourSearchLimit = 10000;

bool IsStepped(const ItemDefinition& item) { return item.stepped || !IsNumericKind(item.type); }

std::optional<Sample> GoodAtOrBefore(const ItemHistory& history, Ticks t) {
  std::optional<Sample> s = history.AtOrBefore(t);
  for (int i = 0; s && !IsGoodQuality(s->quality); ++i) {
    if (i == kNeighbourSearchLimit) return std::nullopt;
    s = history.Before(s->time);
  }
  return s;
}

std::optional<Sample> GoodAtOrAfter(const ItemHistory& history, Ticks t) {
  std::optional<Sample> s = history.AtOrAfter(t);
  for (int i = 0; s && !IsGoodQuality(s->quality); ++i) {
    if (i == kNeighbourSearchLimit) return std::nullopt;
    s = history.After(s->time);
  }
  return s;
}

// Everything the aggregates need from one interval, gathered in one pass over its samples.
class Accumulator {
 public:
  Accumulator(const AggregateInterval& interval, bool stepped)
      : interval_(interval), stepped_(stepped) {}

  void StartFrom(std::optional<Point> before) { previous_ = before; }

  void Add(const Sample& sample) {
    ++facts_.count;
    if (!facts_.first) facts_.first = sample;
    facts_.last = sample;
    const std::optional<double> x = NumericValue(sample.value);
    if (!IsGoodQuality(sample.quality) || !x) {
      facts_.skipped = true;
      return;
    }
    const Point p{sample.time, *x};
    ++good_;
    const double delta = p.x - mean_;
    mean_ += delta / static_cast<double>(good_);
    m2_ += delta * (p.x - mean_);
    if (!first_good_) first_good_ = p;
    last_good_ = p;
    MergeMin(facts_.min, Extreme{p});
    MergeMax(facts_.max, Extreme{p});
    Integrate(p);
    previous_ = p;
  }

  void Finish(std::optional<Point> after) {
    if (after) Integrate(*after);
  }

  const IntervalFacts& Facts() const { return facts_; }
  std::uint64_t Good() const { return good_; }
  bool Skipped() const { return facts_.skipped; }
  double Mean() const { return mean_; }
  double Variance() const { return good_ > 1 ? m2_ / static_cast<double>(good_ - 1) : 0; }
  const std::optional<Point>& FirstGood() const { return first_good_; }
  const std::optional<Point>& LastGood() const { return last_good_; }
  double IntegralSeconds() const { return integral_ / static_cast<double>(kTicksPerSecond); }
  Ticks Covered() const { return covered_; }
  bool FullyCovered() const { return covered_ == interval_.hi - interval_.lo; }

 private:
  // Adds the part of the segment from the previous point to p that lies in the interval.
  void Integrate(const Point& p) {
    if (!previous_) return;
    const Point a = *previous_;
    const Ticks c0 = std::max(a.t, interval_.lo), c1 = std::min(p.t, interval_.hi);
    if (c0 >= c1) return;
    const double width = static_cast<double>(c1 - c0);
    if (stepped_) {
      integral_ += width * a.x;
    } else {
      const double slope = (p.x - a.x) / static_cast<double>(p.t - a.t);
      const double x0 = a.x + slope * static_cast<double>(c0 - a.t);
      const double x1 = a.x + slope * static_cast<double>(c1 - a.t);
      integral_ += width * (x0 + x1) / 2;
    }
    covered_ += c1 - c0;
  }

  const AggregateInterval& interval_;
  bool stepped_;
  IntervalFacts facts_;
  std::uint64_t good_ = 0;
  double mean_ = 0, m2_ = 0;
  std::optional<Point> first_good_, last_good_, previous_;
  double integral_ = 0;
  Ticks covered_ = 0;
};

std::optional<Point> GoodPoint(const std::optional<Sample>& sample) {
  if (!sample) return std::nullopt;
  const std::optional<double> x = NumericValue(sample->value);
  if (!x) return std::nullopt;
  return Point{sample->time, *x};
}

bool NeedsTimeIntegration(std::uint32_t aggregate) {
  return aggregate == kAggTotal || aggregate == kAggTimeAverage;
}

}  // namespace

const std::vector<AggregateInfo>& SupportedAggregates() {
  static const std::vector<AggregateInfo> aggregates = {
      {kAggInterpolative, L"Interpolative", L"Value at the start of the interval, interpolated"},
      {kAggTotal, L"Total", L"Time integral of the interpolated data, in value times seconds"},
      {kAggAverage, L"Average", L"Mean of the good raw values"},
      {kAggTimeAverage, L"Time Average", L"Time-weighted mean of the interpolated data"},
      {kAggCount, L"Count", L"Number of raw values"},
      {kAggStdev, L"Standard Deviation", L"Sample standard deviation of the good raw values"},
      {kAggMinimumActualTime, L"Minimum Actual Time", L"Smallest good raw value and its time"},
      {kAggMinimum, L"Minimum", L"Smallest good raw value"},
      {kAggMaximumActualTime, L"Maximum Actual Time", L"Largest good raw value and its time"},
      {kAggMaximum, L"Maximum", L"Largest good raw value"},
      {kAggStart, L"Start", L"First raw value"},
      {kAggEnd, L"End", L"Last raw value"},
      {kAggDelta, L"Delta", L"Last good raw value minus the first"},
      {kAggRange, L"Range", L"Largest minus smallest good raw value"},
  };
  return aggregates;
}

bool IsSupportedAggregate(std::uint32_t id) {
  const auto& all = SupportedAggregates();
  return std::any_of(all.begin(), all.end(), [id](const AggregateInfo& a) { return a.id == id; });
}

bool IsAggregateAvailable(const ItemDefinition& item, std::uint32_t id) {
  if (!IsSupportedAggregate(id)) return false;
  if (IsNumericKind(item.type)) return true;
  return id == kAggCount || id == kAggStart || id == kAggEnd || id == kAggInterpolative;
}

IntervalError MakeIntervals(Ticks start, Ticks end, Ticks step, std::size_t max_intervals,
                            std::vector<AggregateInterval>* intervals) {
  intervals->clear();
  if (start == end) return IntervalError::kEmptySpan;
  const bool forward = start < end;
  const Ticks span = forward ? end - start : start - end;
  const Ticks whole = (step <= 0 || step >= span) ? 1 : span / step;
  const Ticks width = (step <= 0 || step >= span) ? span : step;
  const bool remainder = whole * width < span;
  if (static_cast<std::uint64_t>(whole) + (remainder ? 1 : 0) > max_intervals)
    return IntervalError::kTooMany;

  for (Ticks i = 0; i <= whole; ++i) {
    if (i == whole && !remainder) break;
    const Ticks from_start = i * width, to_start = i == whole ? span : (i + 1) * width;
    AggregateInterval interval;
    interval.remainder = i == whole;
    if (forward) {
      interval.lo = start + from_start;
      interval.hi = start + to_start;
      interval.stamp = interval.lo;
    } else {
      interval.stamp = start - from_start;
      interval.hi = interval.stamp + 1;
      interval.lo = start - to_start + 1;
    }
    intervals->push_back(interval);
  }
  return IntervalError::kNone;
}

std::uint64_t EstimatedSamples(const ItemDefinition& item, Ticks span) {
  if (item.generator == Generator::kNone || item.period <= 0) return 0;
  return static_cast<std::uint64_t>(span / item.period) + 1;
}

Sample ValueAtTime(const ItemHistory& history, Ticks t) {
  if (std::optional<Sample> exact = history.At(t)) {
    exact->quality |= OPCHDA_RAW;
    return *exact;
  }
  const std::optional<Sample> before = GoodAtOrBefore(history, t);
  if (!before) return NoData(t);
  const std::optional<Sample> after = GoodAtOrAfter(history, t);

  Sample result;
  result.time = t;
  if (!after) {
    // Past the last good value: hold it, but say it is uncertain.
    result.value = before->value;
    if (!IsStepped(history.Item()))
      result.value = Value::Number(ValueKind::kR8, *NumericValue(before->value));
    result.quality = kDaUncertain | OPCHDA_INTERPOLATED;
    return result;
  }
  // Bad or uncertain samples between the two neighbours make the result sub-normal.
  const std::optional<Sample> raw_before = history.Before(t);
  const std::optional<Sample> raw_after = history.After(t);
  const bool clean =
      raw_before && raw_before->time == before->time && raw_after && raw_after->time == after->time;
  result.quality = (clean ? kDaGood : kDaSubNormal) | OPCHDA_INTERPOLATED;
  if (IsStepped(history.Item())) {
    result.value = before->value;
    return result;
  }
  const double xa = *NumericValue(before->value), xb = *NumericValue(after->value);
  const double x = xa + (xb - xa) * static_cast<double>(t - before->time) /
                            static_cast<double>(after->time - before->time);
  result.value = Value::Number(ValueKind::kR8, x);
  return result;
}

ProcessedResult ReadProcessedByWalk(const ItemHistory& history, std::uint32_t aggregate,
                                    const std::vector<AggregateInterval>& intervals) {
  const ItemDefinition& item = history.Item();
  ResultCollector results(intervals.size());
  for (const AggregateInterval& interval : intervals) {
    const bool partial = IsPartial(history, interval);
    if (aggregate == kAggInterpolative) {
      IntervalResult at{ValueAtTime(history, interval.stamp)};
      at.data = (at.value.quality & OPCHDA_NODATA) == 0;
      results.Add(std::move(at));
      continue;
    }

    Accumulator acc(interval, IsStepped(item));
    if (NeedsTimeIntegration(aggregate) && interval.lo > 0)
      acc.StartFrom(GoodPoint(GoodAtOrBefore(history, interval.lo - 1)));
    for (std::optional<Sample> s = history.AtOrAfter(interval.lo); s && s->time < interval.hi;
         s = history.After(s->time))
      acc.Add(*s);
    if (NeedsTimeIntegration(aggregate)) acc.Finish(GoodPoint(GoodAtOrAfter(history, interval.hi)));

    const Ticks stamp = interval.stamp;
    if (IsFactsAggregate(aggregate)) {
      results.Add(FactsResult(aggregate, acc.Facts(), stamp, partial));
      continue;
    }
    const bool clean = !acc.Skipped();
    std::optional<Sample> value;
    switch (aggregate) {
      case kAggTotal:
        if (acc.Covered() > 0)
          value = Calculated(stamp, Value::Number(ValueKind::kR8, acc.IntegralSeconds()),
                             clean && acc.FullyCovered(), partial);
        break;
      case kAggTimeAverage:
        if (acc.Covered() > 0)
          value = Calculated(stamp,
                             Value::Number(ValueKind::kR8, acc.IntegralSeconds() * kTicksPerSecond /
                                                               static_cast<double>(acc.Covered())),
                             clean && acc.FullyCovered(), partial);
        break;
      case kAggAverage:
        if (acc.Good() > 0)
          value = Calculated(stamp, Value::Number(ValueKind::kR8, acc.Mean()), clean, partial);
        break;
      case kAggStdev:
        if (acc.Good() > 1)
          value = Calculated(stamp, Value::Number(ValueKind::kR8, std::sqrt(acc.Variance())), clean,
                             partial);
        break;
      case kAggDelta:
        if (acc.FirstGood())
          value = Calculated(stamp,
                             Value::Number(ValueKind::kR8, acc.LastGood()->x - acc.FirstGood()->x),
                             clean, partial);
        break;
      default:
        break;
    }
    const bool data = value.has_value();
    results.Add(IntervalResult{value ? std::move(*value) : NoData(stamp), data});
  }
  return results.Finish();
}

}  // namespace hdasim
