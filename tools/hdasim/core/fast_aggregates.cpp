// ReadProcessed: the aggregates that IntervalFacts are enough for, without walking every sample
// where the item allows it; ReadProcessedByWalk (aggregates.cpp) for everything else.
#include <algorithm>
#include <functional>
#include <memory>

#include "tools/hdasim/core/aggregates.h"
#include "tools/hdasim/core/interval_facts.h"
#include "tools/hdasim/core/phase_table.h"
#include "tools/hdasim/core/random_walk_scan.h"

namespace hdasim {
namespace {

// Adds the samples numbered first..last of an item without written values to the facts.
using Summariser = std::function<void(std::int64_t first, std::int64_t last, IntervalFacts&)>;

// Nothing when no shortcut fits the item.
Summariser SummariserFor(const ItemDefinition& item, bool count_only) {
  if (item.generator == Generator::kNone || item.period <= 0) return {};
  if (count_only && item.gap.cycle == 0)
    return [](std::int64_t first, std::int64_t last, IntervalFacts& facts) {
      facts.count += static_cast<std::uint64_t>(last - first + 1);
    };
  if (std::shared_ptr<const PhaseTable> table = PhaseTable::For(item))
    return [table](std::int64_t first, std::int64_t last, IntervalFacts& facts) {
      table->Summarise(first, last, facts);
    };
  if (std::optional<RandomWalkScan> walk = RandomWalkScan::For(item))
    return [walk = *walk](std::int64_t first, std::int64_t last, IntervalFacts& facts) {
      walk.Summarise(first, last, facts);
    };
  return {};
}

// The facts the aggregate needs of one interval.
IntervalFacts FactsOf(const ItemHistory& history, std::uint32_t aggregate,
                      const AggregateInterval& interval, const Summariser& summarise) {
  IntervalFacts facts;
  if (aggregate == kAggStart) {
    std::optional<Sample> first = history.AtOrAfter(interval.lo);
    if (first && first->time < interval.hi) facts.first = std::move(first);
  } else if (aggregate == kAggEnd) {
    std::optional<Sample> last = history.AtOrBefore(interval.hi - 1);
    if (last && last->time >= interval.lo) facts.last = std::move(last);
  } else {
    // The numbers of the generated samples in the interval that lie in the item's history.
    const ItemDefinition& item = history.Item();
    const Ticks from = std::max(interval.lo, item.history_start);
    const Ticks to = std::min(interval.hi - 1, history.Now());
    if (from > to) return facts;
    const std::int64_t first = CeilDiv(from, item.period), last = FloorDiv(to, item.period);
    if (first <= last) summarise(first, last, facts);
  }
  return facts;
}

}  // namespace

ProcessedResult ReadProcessed(const ItemHistory& history, std::uint32_t aggregate,
                              const std::vector<AggregateInterval>& intervals) {
  if (!IsFactsAggregate(aggregate)) return ReadProcessedByWalk(history, aggregate, intervals);
  Summariser summarise;
  if (aggregate != kAggStart && aggregate != kAggEnd) {
    if (history.HasOverlay()) return ReadProcessedByWalk(history, aggregate, intervals);
    summarise = SummariserFor(history.Item(), aggregate == kAggCount);
    if (!summarise) return ReadProcessedByWalk(history, aggregate, intervals);
  }
  ResultCollector results(intervals.size());
  for (const AggregateInterval& interval : intervals)
    results.Add(FactsResult(aggregate, FactsOf(history, aggregate, interval, summarise),
                            interval.stamp, IsPartial(history, interval)));
  return results.Finish();
}

void ClearProcessedCaches() {
  PhaseTable::ClearCache();
  RandomWalkScan::ClearCache();
}

}  // namespace hdasim
