// Random walks without gaps and with good qualities: the window sum moves by one step in and one
// out from sample to sample, so a run of samples costs one hash each instead of 64; and extremes
// of fixed blocks of samples, kept between calls, spare the walk over blocks seen before.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "tools/hdasim/core/interval_facts.h"

namespace hdasim {

class RandomWalkScan {
 public:
  // Samples per block, and blocks made at once when one of them is first needed.
  static constexpr std::int64_t kBlockSamples = 64;
  static constexpr std::int64_t kChunkBlocks = 1024;
  // A sample's value by its window sum (-64..64) plus 64.
  using Values = std::array<double, 2 * kRandomWalkWindow + 1>;

  // Nothing for an item that is not such a random walk.
  static std::optional<RandomWalkScan> For(const ItemDefinition& item);
  static void ClearCache();

  // Adds the samples numbered first..last to the facts, as PhaseTable::Summarise does.
  void Summarise(std::int64_t first, std::int64_t last, IntervalFacts& facts) const;

  // The smallest and largest value of one block: window sums, offsets in the block, repetition.
  struct Block {
    std::int8_t min_sum = 0, max_sum = 0;
    std::uint8_t min_at = 0, max_at = 0;
    bool min_repeated = false, max_repeated = false;
  };

 private:
  explicit RandomWalkScan(const ItemDefinition& item);
  // Walks the samples first..last one by one.
  void Walk(std::int64_t first, std::int64_t last, IntervalFacts& facts) const;
  double ValueOf(int sum) const { return values_[static_cast<std::size_t>(sum + 64)]; }
  Extreme BlockExtreme(std::int64_t block, int sum, int at, bool repeated) const;

  std::uint64_t key_;  // Mix64(seed)
  Ticks period_;
  std::size_t cache_slot_;
  Values values_;  // the sample's value by its window sum + 64
};

}  // namespace hdasim
