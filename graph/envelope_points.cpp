#include "graph/envelope_points.h"

#include <array>
#include <utility>

namespace graph {

void AppendColumn(const TEnvelopeColumn& column, std::vector<double>& x, std::vector<double>& y) {
  // Rank breaks ties of equal times: the column's first value comes first, its last value last.
  struct Ranked {
    TEnvelopeSample sample;
    int rank;
  };
  std::array<Ranked, 4> kept;
  std::size_t n = 0;
  auto add = [&](const std::optional<TEnvelopeSample>& s, int rank) {
    if (s) kept[n++] = {*s, rank};
  };
  add(column.first, 0);
  add(column.lowest, 1);
  add(column.highest, 1);
  add(column.last, 2);
  auto before = [](const Ranked& a, const Ranked& b) {
    return a.sample.order != b.sample.order ? a.sample.order < b.sample.order : a.rank < b.rank;
  };
  // At most four: an insertion sort.
  for (std::size_t i = 1; i < n; ++i) {
    for (std::size_t j = i; j > 0 && before(kept[j], kept[j - 1]); --j) {
      std::swap(kept[j], kept[j - 1]);
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    const TEnvelopeSample& s = kept[i].sample;
    // The same raw value named twice (the first value is also the lowest, say).
    if (i > 0 && s.order == kept[i - 1].sample.order && s.value == kept[i - 1].sample.value) {
      continue;
    }
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
