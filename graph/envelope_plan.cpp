#include "graph/envelope_plan.h"

#include <algorithm>
#include <limits>

namespace graph {

std::optional<TEnvelopePlan> PlanEnvelope(const TColumnGrid& grid, std::uint64_t periodFrom,
                                          std::uint64_t periodTo) {
  if (grid.count <= 0 || grid.stepMs <= 0 || periodFrom >= periodTo) return std::nullopt;
  auto edge = [&](std::int32_t i) { return TicksOfWholeMs(grid.StampAt(i)); };
  const std::uint64_t g0 = edge(0), gEnd = edge(grid.count);
  if (periodTo <= g0 || periodFrom >= gEnd) return std::nullopt;

  std::int32_t a = 0;
  while (a < grid.count && edge(a) < periodFrom) ++a;
  std::int32_t b = a;
  while (b < grid.count && edge(b + 1) <= periodTo) ++b;
  if (periodTo <= gEnd && b > a) --b;  // the period's last column is read raw

  TEnvelopePlan plan;
  plan.columnsFrom = edge(a);
  plan.step = static_cast<std::uint64_t>(grid.stepMs) * kTicksPerMs;
  plan.columns = static_cast<std::uint32_t>(b - a);
  const std::uint64_t columnsTo = plan.columnsFrom + plan.step * plan.columns;
  plan.head = {std::max(periodFrom, g0), plan.columnsFrom};
  plan.tail = {columnsTo, std::min(periodTo, gEnd)};
  plan.before = {periodFrom, std::min(g0, periodTo)};
  plan.after = {std::max(gEnd, periodFrom), periodTo};
  return plan;
}

void AssembleEnvelope(const TEnvelopeParts& parts, TEnvelope& envelope) {
  envelope.x.clear();
  envelope.y.clear();
  envelope.allRaw = false;
  envelope.cutAfter = std::numeric_limits<double>::quiet_NaN();
  const std::size_t room = 4 * parts.columns.size() + parts.head.size() + parts.tail.size() + 3;
  envelope.x.reserve(room);
  envelope.y.reserve(room);
  if (parts.before) AppendSamples({*parts.before}, envelope.x, envelope.y);
  AppendSamples(parts.head, envelope.x, envelope.y);
  for (const TEnvelopeColumn& column : parts.columns) AppendColumn(column, envelope.x, envelope.y);
  AppendSamples(parts.tail, envelope.x, envelope.y);
  if (parts.after) AppendSamples({*parts.after}, envelope.x, envelope.y);
  if (parts.last && (!parts.after || parts.last->order != parts.after->order)) {
    AppendSamples({*parts.last}, envelope.x, envelope.y);
  }

  envelope.xLower = envelope.yLower = std::numeric_limits<double>::max();
  envelope.xUpper = envelope.yUpper = std::numeric_limits<double>::lowest();
  if (!envelope.x.empty()) {
    envelope.xLower = envelope.x.front();
    envelope.xUpper = envelope.x.back();
  }
  for (double y : envelope.y) {
    envelope.yLower = std::min(envelope.yLower, y);
    envelope.yUpper = std::max(envelope.yUpper, y);
  }
  for (const TEnvelopeSample& s : parts.outsideExtremes) {
    envelope.yLower = std::min(envelope.yLower, s.value);
    envelope.yUpper = std::max(envelope.yUpper, s.value);
  }
}

}  // namespace graph
