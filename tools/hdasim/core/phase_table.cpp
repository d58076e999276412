#include "tools/hdasim/core/phase_table.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <mutex>
#include <numeric>
#include <tuple>
#include <utility>

#include "tools/hdasim/core/history.h"

namespace hdasim {
namespace {

// Samples that one repetition of a cycle of `length` ticks takes.
std::int64_t SamplesPer(Ticks length, Ticks period) { return length / std::gcd(length, period); }

std::int64_t QualityCycle(QualityPattern pattern) {
  switch (pattern) {
    case QualityPattern::kGood:
      return 1;
    case QualityPattern::kCycle:
      return 5;
    case QualityPattern::kEveryTenthBad:
      return 10;
  }
  return 1;
}

// Everything a table depends on: items that agree on these share one.
auto TableKey(const ItemDefinition& item) {
  const Wave& w = item.wave;
  return std::make_tuple(item.type, w.shape, w.cycle, w.low, w.high, w.phase, item.period,
                         item.gap.cycle, item.gap.from, item.gap.to, item.quality);
}
using Key = decltype(TableKey(std::declval<const ItemDefinition&>()));

// The tables used last, the most recent first.
class TableCache {
 public:
  std::shared_ptr<const PhaseTable> Get(const ItemDefinition& item, std::int64_t phases) {
    const Key key = TableKey(item);
    std::lock_guard lock(mutex_);
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&](const auto& entry) { return entry.first == key; });
    if (found == entries_.end()) {
      if (entries_.size() == kCapacity) entries_.pop_back();
      entries_.emplace_back(key, std::make_shared<const PhaseTable>(item, phases));
      found = entries_.end() - 1;
    }
    std::rotate(entries_.begin(), found, found + 1);
    return entries_.front().second;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
  }

 private:
  static constexpr std::size_t kCapacity = 32;
  std::mutex mutex_;
  std::vector<std::pair<Key, std::shared_ptr<const PhaseTable>>> entries_;
};

TableCache& Cache() {
  static TableCache cache;
  return cache;
}

}  // namespace

std::optional<std::int64_t> PhaseTable::CycleSamples(const ItemDefinition& item) {
  if (item.generator != Generator::kWave || item.wave.shape == Shape::kRandomWalk ||
      !IsNumericKind(item.type) || item.period <= 0 || item.wave.cycle <= 0)
    return std::nullopt;
  // The samples repeat when the wave, the gap and the quality pattern all do.
  std::int64_t phases = SamplesPer(item.wave.cycle, item.period);
  for (const std::int64_t part : {item.gap.cycle > 0 ? SamplesPer(item.gap.cycle, item.period) : 1,
                                  QualityCycle(item.quality)}) {
    if (phases > kMaxPhases || part > kMaxPhases) return std::nullopt;
    phases = std::lcm(phases, part);
  }
  if (phases > kMaxPhases) return std::nullopt;
  return phases;
}

std::shared_ptr<const PhaseTable> PhaseTable::For(const ItemDefinition& item) {
  const std::optional<std::int64_t> phases = CycleSamples(item);
  if (!phases) return nullptr;
  return Cache().Get(item, *phases);
}

void PhaseTable::ClearCache() { Cache().Clear(); }

PhaseTable::PhaseTable(const ItemDefinition& item, std::int64_t phases)
    : period_(item.period),
      phases_(phases),
      values_(static_cast<std::size_t>(phases)),
      present_(static_cast<std::size_t>(phases) + 1),
      bad_(static_cast<std::size_t>(phases) + 1),
      leaves_(std::bit_ceil(static_cast<std::size_t>(phases))),
      tree_(2 * leaves_) {
  // Phase i stands for every sample numbered i modulo the cycle; the generator is asked for the
  // first of them, so the table holds exactly what a raw read returns.
  for (std::int64_t i = 0; i < phases; ++i) {
    const auto n = static_cast<std::size_t>(i);
    const Ticks t = i * period_;
    const bool exists = !item.gap.Contains(t);
    const Sample sample = GeneratedSample(item, t);
    const std::optional<double> x = NumericValue(sample.value);
    const bool good = exists && x && IsGoodQuality(sample.quality);
    values_[n] = x.value_or(0);
    present_[n + 1] = present_[n] + (exists ? 1 : 0);
    bad_[n + 1] = bad_[n] + (exists && !good ? 1 : 0);
    if (good) tree_[leaves_ + n] = Node{static_cast<std::int32_t>(i), static_cast<std::int32_t>(i)};
  }
  for (std::size_t i = leaves_ - 1; i >= 1; --i) tree_[i] = Merge(tree_[2 * i], tree_[2 * i + 1]);
}

PhaseTable::Node PhaseTable::Merge(const Node& earlier, const Node& later) const {
  // A tie keeps the earlier phase and marks the value as repeated, as MergeMin does for points.
  const auto pick = [this](std::int32_t a, bool a_repeated, std::int32_t b, bool b_repeated,
                           auto better, std::int32_t& out, bool& out_repeated) {
    if (b < 0) {
      out = a;
      out_repeated = a_repeated;
      return;
    }
    const double xb = values_[static_cast<std::size_t>(b)];
    if (a < 0 || better(xb, values_[static_cast<std::size_t>(a)])) {
      out = b;
      out_repeated = b_repeated;
    } else {
      out = a;
      out_repeated = a_repeated || xb == values_[static_cast<std::size_t>(a)];
    }
  };
  Node out;
  pick(earlier.min, earlier.min_repeated, later.min, later.min_repeated, std::less<double>(),
       out.min, out.min_repeated);
  pick(earlier.max, earlier.max_repeated, later.max, later.max_repeated, std::greater<double>(),
       out.max, out.max_repeated);
  return out;
}

PhaseTable::Node PhaseTable::Query(std::int64_t from, std::int64_t to) const {
  Node left, right;
  for (std::size_t l = static_cast<std::size_t>(from) + leaves_,
                   r = static_cast<std::size_t>(to) + leaves_ + 1;
       l < r; l >>= 1, r >>= 1) {
    if (l & 1) left = Merge(left, tree_[l++]);
    if (r & 1) right = Merge(tree_[--r], right);
  }
  return Merge(left, right);
}

void PhaseTable::AddRun(std::int64_t cycle, std::int64_t from, std::int64_t to,
                        IntervalFacts& facts) const {
  const Node node = from == 0 && to == phases_ - 1 ? tree_[1] : Query(from, to);
  const auto extreme = [&](std::int32_t phase, bool repeated) {
    if (phase < 0) return Extreme{};
    return Extreme{
        Point{(cycle * phases_ + phase) * period_, values_[static_cast<std::size_t>(phase)]},
        repeated};
  };
  MergeMin(facts.min, extreme(node.min, node.min_repeated));
  MergeMax(facts.max, extreme(node.max, node.max_repeated));
}

std::int64_t PhaseTable::Below(const std::vector<std::int32_t>& prefix, std::int64_t k) const {
  return FloorDiv(k, phases_) * prefix.back() +
         prefix[static_cast<std::size_t>(FloorMod(k, phases_))];
}

void PhaseTable::Summarise(std::int64_t first, std::int64_t last, IntervalFacts& facts) const {
  const std::int64_t first_cycle = FloorDiv(first, phases_), last_cycle = FloorDiv(last, phases_);
  const std::int64_t from = first - first_cycle * phases_, to = last - last_cycle * phases_;
  if (first_cycle == last_cycle) {
    AddRun(first_cycle, from, to, facts);
  } else {
    AddRun(first_cycle, from, phases_ - 1, facts);
    // Two whole cycles settle the extremes of any number of them: the same values at the same
    // phases, so the first one found stays first and is repeated.
    for (std::int64_t c = first_cycle + 1; c < last_cycle && c <= first_cycle + 2; ++c)
      AddRun(c, 0, phases_ - 1, facts);
    AddRun(last_cycle, 0, to, facts);
  }
  facts.count += static_cast<std::uint64_t>(Below(present_, last + 1) - Below(present_, first));
  facts.skipped |= Below(bad_, last + 1) > Below(bad_, first);
}

}  // namespace hdasim
