// Processed reads: resample intervals, the aggregates computed over them, and the value at an
// instant that both INTERPOLATIVE and ReadAtTime use.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/hdasim/core/history.h"

namespace hdasim {

// Aggregate numbers as the interface numbers them.
enum AggregateId : std::uint32_t {
  kAggInterpolative = 1,
  kAggTotal = 2,
  kAggAverage = 3,
  kAggTimeAverage = 4,
  kAggCount = 5,
  kAggStdev = 6,
  kAggMinimumActualTime = 7,
  kAggMinimum = 8,
  kAggMaximumActualTime = 9,
  kAggMaximum = 10,
  kAggStart = 11,
  kAggEnd = 12,
  kAggDelta = 13,
  kAggRange = 18,
};

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

// Samples with lo <= t < hi belong to the interval; `stamp` is the time its result carries.
struct AggregateInterval {
  Ticks lo = 0;
  Ticks hi = 0;
  Ticks stamp = 0;
  bool remainder = false;  // the shorter last interval of a span the interval does not divide
};

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

enum class AggregateStatus { kOk, kNoData, kExtraData };

struct ProcessedResult {
  AggregateStatus status = AggregateStatus::kNoData;
  std::vector<Sample> values;  // one per interval, in interval order
};

// The aggregate must be supported and available for the item.
ProcessedResult ReadProcessed(const ItemHistory& history, std::uint32_t aggregate,
                              const std::vector<AggregateInterval>& intervals);

// The raw sample at t, else a value interpolated between the good samples around t (held for
// stepped and non-numeric items), else an empty NODATA value.
Sample ValueAtTime(const ItemHistory& history, Ticks t);

}  // namespace hdasim
