// The numbers, intervals and results of processed reads, apart from the reads themselves.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/hdasim/core/value.h"

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

// Samples with lo <= t < hi belong to the interval; `stamp` is the time its result carries.
struct AggregateInterval {
  Ticks lo = 0;
  Ticks hi = 0;
  Ticks stamp = 0;
  bool remainder = false;  // the shorter last interval of a span the interval does not divide
};

enum class AggregateStatus { kOk, kNoData, kExtraData };

struct ProcessedResult {
  AggregateStatus status = AggregateStatus::kNoData;
  std::vector<Sample> values;  // one per interval, in interval order
};

}  // namespace hdasim
