// What to ask a server for to draw a long wave exactly over a grid of pixel columns, and how
// to put the answers together. Times are FILETIME ticks (100 ns since 1601), the unit servers
// take; raw values of the period are those with periodFrom <= t < periodTo.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "graph/envelope_points.h"
#include "graph/time_columns.h"

namespace graph {

inline constexpr std::uint64_t kTicksPerMs = 10000;
inline constexpr std::int64_t kTicksEpochMs = 11644473600000;  // 1601-01-01 to 1970-01-01

// Ticks of a whole-millisecond time stamp.
inline std::uint64_t TicksOfWholeMs(double stamp) {
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(stamp) + kTicksEpochMs) * kTicksPerMs;
}

// A span [from, to); empty when from >= to.
struct TTickSpan {
  std::uint64_t from = 0;
  std::uint64_t to = 0;
  bool Empty() const { return from >= to; }
};

struct TEnvelopePlan {
  // Columns wholly inside the period but its last one: four aggregates, one interval a column.
  std::uint64_t columnsFrom = 0;
  std::uint64_t step = 0;
  std::uint32_t columns = 0;
  // Raw values: the column the period's start cuts, and the period's last column(s) in the grid
  // (a line's end pixel depends on more than a column's extremes).
  TTickSpan head, tail;
  // Beyond the grid, in the period: the last value before it and the first after it (the lines
  // into and out of the grid), and the extremes there (the bounds).
  TTickSpan before, after;
};

// None when the grid and the period do not meet.
std::optional<TEnvelopePlan> PlanEnvelope(const TColumnGrid& grid, std::uint64_t periodFrom,
                                          std::uint64_t periodTo);

// The answers to a plan. `columns` has plan.columns entries.
struct TEnvelopeParts {
  std::optional<TEnvelopeSample> before, after;
  // The period's last value when it lies beyond the grid: lines drawn in steps carry it to the
  // plot's right edge.
  std::optional<TEnvelopeSample> last;
  std::vector<TEnvelopeSample> head, tail;
  std::vector<TEnvelopeColumn> columns;
  std::vector<TEnvelopeSample> outsideExtremes;
};

// The points in time order and the bounds of every value (empty ranges without values).
void AssembleEnvelope(const TEnvelopeParts& parts, TEnvelope& envelope);

}  // namespace graph
