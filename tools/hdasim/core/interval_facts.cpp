#include "tools/hdasim/core/interval_facts.h"

#include "opc/opc_codes.h"

namespace hdasim {
namespace {

template <typename Better>
void Merge(Extreme& into, const Extreme& later, Better better) {
  if (!later.point) return;
  if (!into.point || better(later.point->x, into.point->x)) {
    into = later;
  } else if (later.point->x == into.point->x) {
    into.repeated = true;
  }
}

}  // namespace

void MergeMin(Extreme& into, const Extreme& later) {
  Merge(into, later, [](double a, double b) { return a < b; });
}

void MergeMax(Extreme& into, const Extreme& later) {
  Merge(into, later, [](double a, double b) { return a > b; });
}

bool IsFactsAggregate(std::uint32_t aggregate) {
  switch (aggregate) {
    case kAggCount:
    case kAggStart:
    case kAggEnd:
    case kAggMinimum:
    case kAggMaximum:
    case kAggMinimumActualTime:
    case kAggMaximumActualTime:
    case kAggRange:
      return true;
    default:
      return false;
  }
}

Sample NoData(Ticks t) {
  Sample s;
  s.time = t;
  s.quality = OPCHDA_NODATA | kDaBad;
  return s;
}

Sample Calculated(Ticks t, Value value, bool complete, bool partial) {
  Sample s;
  s.time = t;
  s.value = std::move(value);
  s.quality =
      (complete ? kDaGood : kDaSubNormal) | OPCHDA_CALCULATED | (partial ? OPCHDA_PARTIAL : 0);
  return s;
}

bool IsPartial(const ItemHistory& history, const AggregateInterval& interval) {
  return interval.remainder || interval.lo < history.Item().history_start ||
         interval.hi > history.Now() + 1;
}

IntervalResult FactsResult(std::uint32_t aggregate, const IntervalFacts& facts, Ticks stamp,
                           bool partial) {
  IntervalResult out;
  const bool clean = !facts.skipped;
  std::optional<Sample> value;
  switch (aggregate) {
    case kAggCount:
      out.value = Calculated(stamp, Value::Number(ValueKind::kI4, static_cast<double>(facts.count)),
                             true, partial);
      out.data = facts.count > 0;
      return out;
    case kAggStart:
    case kAggEnd:
      value = aggregate == kAggStart ? facts.first : facts.last;
      if (value) value->quality |= OPCHDA_RAW;
      break;
    case kAggMinimum:
    case kAggMaximum:
    case kAggMinimumActualTime:
    case kAggMaximumActualTime: {
      const bool minimum = aggregate == kAggMinimum || aggregate == kAggMinimumActualTime;
      const Extreme& extreme = minimum ? facts.min : facts.max;
      if (!extreme.point) break;
      const bool actual_time =
          aggregate == kAggMinimumActualTime || aggregate == kAggMaximumActualTime;
      value = Calculated(actual_time ? extreme.point->t : stamp,
                         Value::Number(ValueKind::kR8, extreme.point->x), clean, partial);
      if (actual_time && extreme.repeated) {
        value->quality |= OPCHDA_EXTRADATA;
        out.extra = true;
      }
      break;
    }
    case kAggRange:
      if (facts.min.point)
        value = Calculated(stamp,
                           Value::Number(ValueKind::kR8, facts.max.point->x - facts.min.point->x),
                           clean, partial);
      break;
    default:
      break;
  }
  out.data = value.has_value();
  out.value = value ? std::move(*value) : NoData(stamp);
  return out;
}

void ResultCollector::Add(IntervalResult interval) {
  any_data_ |= interval.data;
  extra_ |= interval.extra;
  result_.values.push_back(std::move(interval.value));
}

ProcessedResult ResultCollector::Finish() {
  result_.status = !any_data_ ? AggregateStatus::kNoData
                   : extra_   ? AggregateStatus::kExtraData
                              : AggregateStatus::kOk;
  return std::move(result_);
}

}  // namespace hdasim
