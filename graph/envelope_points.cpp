#include "graph/envelope_points.h"

#include <array>
#include <utility>

namespace graph {

void AppendColumn(const TEnvelopeColumn& column, std::vector<double>& x, std::vector<double>& y) {
  // The first value leads and the last value ends the column whatever their stamps say (servers
  // may stamp them with the interval's start, which lies in the same pixel column); the two
  // extremes come between, in time order.
  std::array<TEnvelopeSample, 4> kept;
  std::size_t n = 0;
  if (column.first) kept[n++] = *column.first;
  const TEnvelopeSample* low = column.lowest ? &*column.lowest : nullptr;
  const TEnvelopeSample* high = column.highest ? &*column.highest : nullptr;
  if (low && high && high->order < low->order) std::swap(low, high);
  if (low) kept[n++] = *low;
  if (high) kept[n++] = *high;
  if (column.last) kept[n++] = *column.last;
  for (std::size_t i = 0; i < n; ++i) {
    const TEnvelopeSample& s = kept[i];
    // The same raw value named twice (the first value is also the lowest, say).
    if (i > 0 && s.order == kept[i - 1].order && s.value == kept[i - 1].value) continue;
    x.push_back(s.stamp);
    y.push_back(s.value);
  }
}

void AppendSamples(const std::vector<TEnvelopeSample>& samples, std::vector<double>& x,
                   std::vector<double>& y) {
  for (const TEnvelopeSample& s : samples) {
    x.push_back(s.stamp);
    y.push_back(s.value);
  }
}

}  // namespace graph
