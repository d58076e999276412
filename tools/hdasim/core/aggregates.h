// Processed reads: resample intervals, the aggregates computed over them, and the value at an
// instant that both INTERPOLATIVE and ReadAtTime use.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/hdasim/core/aggregate_types.h"
#include "tools/hdasim/core/history.h"

namespace hdasim {

struct AggregateInfo {
  std::uint32_t id;
  const wchar_t* name;
  const wchar_t* description;
};
const std::vector<AggregateInfo>& SupportedAggregates();
bool IsSupportedAggregate(std::uint32_t id);
// Whether the aggregate makes sense for the item: text and other non-numeric items only count,
// give their start and end values, and hold values for INTERPOLATIVE.
bool IsAggregateAvailable(const ItemDefinition& item, std::uint32_t id);

enum class IntervalError { kNone, kEmptySpan, kTooMany };

// Forward (start < end): [start + i*step, start + (i+1)*step), stamped with their start.
// Reverse (end < start): (start - (i+1)*step, start - i*step], stamped with their later end, so a
// reverse read includes its start time and excludes its end time as raw reads do.
// step == 0 or step >= the span gives one interval.
IntervalError MakeIntervals(Ticks start, Ticks end, Ticks step, std::size_t max_intervals,
                            std::vector<AggregateInterval>* intervals);

// Processing more raw samples than this in one call is refused.
constexpr std::uint64_t kMaxProcessedSamples = 10'000'000;
std::uint64_t EstimatedSamples(const ItemDefinition& item, Ticks span);

// The aggregate must be supported and available for the item. COUNT, START, END, the four
// extremes and RANGE of items without written values come from tables of the item's cycle, the
// random walk's running sum and the first and last sample of each interval; everything else, and
// those where no shortcut applies, from ReadProcessedByWalk. The results are the same, bit for bit.
ProcessedResult ReadProcessed(const ItemHistory& history, std::uint32_t aggregate,
                              const std::vector<AggregateInterval>& intervals);

// Every sample of every interval, one after the other: the reference the shortcuts are held to.
ProcessedResult ReadProcessedByWalk(const ItemHistory& history, std::uint32_t aggregate,
                                    const std::vector<AggregateInterval>& intervals);

// Forgets the tables and summaries ReadProcessed keeps between calls (they never go stale: the
// values are functions of the time), so that a measurement or a test can start cold.
void ClearProcessedCaches();

// The raw sample at t, else a value interpolated between the good samples around t (held for
// stepped and non-numeric items), else an empty NODATA value.
Sample ValueAtTime(const ItemHistory& history, Ticks t);

}  // namespace hdasim
