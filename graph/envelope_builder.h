// Builds a long wave's picture from its raw values as they arrive, for servers that cannot give
// per-column extremes: the values are put where the extremes would have come from (the values
// before and after the grid, the raw edge columns, and the first, last, lowest and highest value
// of every other column), so the result is the drawing of every raw value, in memory bounded by
// the grid. While the grid holds no more than a limit of values they are all kept, and the wave is
// drawn from them, markers and all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "graph/envelope_plan.h"
#include "graph/envelope_points.h"

namespace graph {

class TEnvelopeBuilder {
 public:
  // `plan` as PlanEnvelope made it for the grid and the period; `rawLimit` values inside the grid
  // are kept as they are before the columns take over.
  TEnvelopeBuilder(const TEnvelopePlan& plan, std::size_t rawLimit);

  // Takes the next value of the period, in time order.
  void Add(const TEnvelopeSample& sample);
  // Every value inside the grid so far is kept as it is.
  bool AllRaw() const { return !folded_; }
  std::uint64_t Count() const { return count_; }

  // The points and bounds of the values taken (envelope.allRaw when AllRaw()).
  void Finish(TEnvelope& envelope) const;

 private:
  void Fold(const TEnvelopeSample& sample);
  void NoteBounds(const TEnvelopeSample& sample);

  TEnvelopePlan plan_;
  std::size_t rawLimit_;
  std::uint64_t columnsTo_;
  bool folded_ = false;
  std::uint64_t count_ = 0;
  std::optional<TEnvelopeSample> before_, after_, last_, outsideLow_, outsideHigh_;
  std::vector<TEnvelopeSample> head_, grid_, tail_;
  std::vector<TEnvelopeColumn> columns_;
};

}  // namespace graph
