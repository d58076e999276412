// What one resample interval holds, and the rules that turn it into the interval's result: shared
// by the walk over every sample (the reference) and the shortcuts that reach the same facts
// without it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tools/hdasim/core/aggregate_types.h"
#include "tools/hdasim/core/history.h"

namespace hdasim {

struct Point {
  Ticks t;
  double x;
};

// The smallest (or largest) good value of a stretch of samples, the time it first occurs there,
// and whether it occurs again.
struct Extreme {
  std::optional<Point> point;
  bool repeated = false;
};

// Adds what a later stretch found to what an earlier one found: a tie keeps the earlier time.
void MergeMin(Extreme& into, const Extreme& later);
void MergeMax(Extreme& into, const Extreme& later);

// Enough of an interval for COUNT, START, END, the four extremes and RANGE.
struct IntervalFacts {
  std::uint64_t count = 0;            // raw values of any quality
  bool skipped = false;               // some value was not good or not a number
  std::optional<Sample> first, last;  // raw values of any quality
  Extreme min, max;                   // over the good values
};

// The aggregates IntervalFacts are enough for.
bool IsFactsAggregate(std::uint32_t aggregate);

Sample NoData(Ticks t);
Sample Calculated(Ticks t, Value value, bool complete, bool partial);
// Whether a calculated result of the interval carries OPCHDA_PARTIAL.
bool IsPartial(const ItemHistory& history, const AggregateInterval& interval);

// One interval's result: its value, whether it had data and whether its extreme occurred again.
struct IntervalResult {
  Sample value;
  bool data = false;
  bool extra = false;
};
// The aggregate must be one IsFactsAggregate accepts.
IntervalResult FactsResult(std::uint32_t aggregate, const IntervalFacts& facts, Ticks stamp,
                           bool partial);

// Gathers the results of a call, one interval after the other, and gives the call's status.
class ResultCollector {
 public:
  explicit ResultCollector(std::size_t intervals) { result_.values.reserve(intervals); }
  void Add(IntervalResult interval);
  ProcessedResult Finish();

 private:
  ProcessedResult result_;
  bool any_data_ = false, extra_ = false;
};

}  // namespace hdasim
