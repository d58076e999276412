// Items whose samples repeat (the periodic waves, with their gaps and quality patterns): one cycle
// of samples in a table, and a tree over it that gives the extremes of any run of samples in
// logarithmic time, however many cycles the run spans.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "tools/hdasim/core/interval_facts.h"

namespace hdasim {

class PhaseTable {
 public:
  // Samples in one cycle beyond which no table is made.
  static constexpr std::int64_t kMaxPhases = std::int64_t{1} << 18;

  // The item's table, made on first use and kept for the next calls; nothing when the item's
  // samples do not repeat within kMaxPhases samples (random walks, dates, texts).
  static std::shared_ptr<const PhaseTable> For(const ItemDefinition& item);
  static void ClearCache();

  // The samples in one cycle, or nothing.
  static std::optional<std::int64_t> CycleSamples(const ItemDefinition& item);

  PhaseTable(const ItemDefinition& item, std::int64_t phases);

  // Adds the samples numbered first..last (the sample at k * period), all within the item's
  // history, to the facts: how many exist, whether one of them is not good, and the extremes of
  // the good ones. The facts must hold nothing later than sample `first`.
  void Summarise(std::int64_t first, std::int64_t last, IntervalFacts& facts) const;

 private:
  // Phase indices of the smallest and largest good value of a run of phases (-1: none) and
  // whether that value occurs again in the run.
  struct Node {
    std::int32_t min = -1, max = -1;
    bool min_repeated = false, max_repeated = false;
  };
  Node Merge(const Node& earlier, const Node& later) const;
  Node Query(std::int64_t from, std::int64_t to) const;
  void AddRun(std::int64_t cycle, std::int64_t from, std::int64_t to, IntervalFacts& facts) const;
  // How many of the counted samples have a number below k.
  std::int64_t Below(const std::vector<std::int32_t>& prefix, std::int64_t k) const;

  Ticks period_;
  std::int64_t phases_;
  std::vector<double> values_;
  std::vector<std::int32_t> present_, bad_;  // prefix counts of existing and of not-good samples
  std::size_t leaves_ = 1;
  std::vector<Node> tree_;  // tree_[1] is the root, the leaves start at tree_[leaves_]
};

}  // namespace hdasim
