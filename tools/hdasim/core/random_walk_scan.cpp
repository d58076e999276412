#include "tools/hdasim/core/random_walk_scan.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace hdasim {
namespace {

static_assert(kRandomWalkWindow == 64, "the window is one 64-bit word of steps");

using Blocks = std::vector<RandomWalkScan::Block>;

// The steps of the last 64 samples as bits, bit j mod 64 for step j, and their sum.
class StepWindow {
 public:
  StepWindow(std::uint64_t key, std::int64_t k) : key_(key), k_(k) {
    for (std::int64_t j = k - 63; j <= k; ++j) bits_ |= Step(j) << Bit(j);
    sum_ = 2 * std::popcount(bits_) - 64;
  }
  int Sum() const { return sum_; }
  void Advance() {
    ++k_;
    const std::uint64_t step = Step(k_), old = (bits_ >> Bit(k_)) & 1;  // k_ - 64 leaves
    bits_ ^= (step ^ old) << Bit(k_);
    sum_ += 2 * (static_cast<int>(step) - static_cast<int>(old));
  }

 private:
  std::uint64_t Step(std::int64_t j) const {
    return Mix64(key_ ^ static_cast<std::uint64_t>(j)) & 1;
  }
  static unsigned Bit(std::int64_t j) {
    return static_cast<unsigned>(static_cast<std::uint64_t>(j) & 63);
  }

  std::uint64_t key_;
  std::int64_t k_;
  std::uint64_t bits_ = 0;
  int sum_ = 0;
};

// The blocks made so far, per walk (its key and value table) and chunk.
class BlockCache {
 public:
  std::size_t Slot(std::uint64_t key, const RandomWalkScan::Values& values) {
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < walks_.size(); ++i)
      if (walks_[i].key == key && walks_[i].values == values) return i;
    walks_.push_back(Walk{key, values, {}});
    return walks_.size() - 1;
  }
  std::shared_ptr<const Blocks> Find(std::size_t slot, std::int64_t chunk) {
    std::lock_guard lock(mutex_);
    auto& chunks = walks_[slot].chunks;
    auto found = chunks.find(chunk);
    return found == chunks.end() ? nullptr : found->second;
  }
  void Keep(std::size_t slot, std::int64_t chunk, std::shared_ptr<const Blocks> blocks) {
    std::lock_guard lock(mutex_);
    if (++kept_ > kMaxChunks) {
      for (Walk& walk : walks_) walk.chunks.clear();
      kept_ = 1;
    }
    walks_[slot].chunks[chunk] = std::move(blocks);
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    for (Walk& walk : walks_) walk.chunks.clear();
    kept_ = 0;
  }

 private:
  // 6 MB of blocks: a year of a walk sampled every second.
  static constexpr std::size_t kMaxChunks = 512;
  struct Walk {
    std::uint64_t key;
    RandomWalkScan::Values values;
    std::unordered_map<std::int64_t, std::shared_ptr<const Blocks>> chunks;
  };
  std::mutex mutex_;
  std::vector<Walk> walks_;  // never shrinks: a slot stays valid
  std::size_t kept_ = 0;
};

BlockCache& Cache() {
  static BlockCache cache;
  return cache;
}

// The rank of each window sum's value among all of them, equal values ranked equal: a block's
// extremes are then found on small integers, without a branch per sample.
std::array<std::uint8_t, 129> Ranks(const RandomWalkScan::Values& values) {
  std::vector<double> sorted(values.begin(), values.end());
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  std::array<std::uint8_t, 129> ranks{};
  for (std::size_t i = 0; i < values.size(); ++i)
    ranks[i] = static_cast<std::uint8_t>(std::lower_bound(sorted.begin(), sorted.end(), values[i]) -
                                         sorted.begin());
  return ranks;
}

// Bit i set when step start + i is +1. The 64 hashes do not depend on each other, so the
// processor overlaps them.
std::uint64_t StepBits(std::uint64_t key, std::int64_t start) {
  std::uint64_t bits = 0;
  for (unsigned i = 0; i < 64; ++i)
    bits |= (Mix64(key ^ static_cast<std::uint64_t>(start + i)) & 1) << i;
  return bits;
}

// A block's window sums follow from its steps and those of the block before: sample i gains step
// i of its block and loses step i of the previous one.
Blocks MakeChunk(std::uint64_t key, const RandomWalkScan::Values& values, std::int64_t chunk) {
  using Scan = RandomWalkScan;
  static_assert(Scan::kBlockSamples == 64, "a block's steps are one word");
  const std::array<std::uint8_t, 129> ranks = Ranks(values);
  Blocks blocks(Scan::kChunkBlocks);
  std::int64_t start = chunk * Scan::kChunkBlocks * Scan::kBlockSamples;
  std::uint64_t previous = StepBits(key, start - 64);
  int sum = 2 * std::popcount(previous) - 64;  // of the sample before the chunk
  std::array<std::int8_t, Scan::kBlockSamples> sums;
  std::array<std::uint8_t, Scan::kBlockSamples> rank;
  for (Scan::Block& block : blocks) {
    const std::uint64_t current = StepBits(key, start);
    for (unsigned i = 0; i < 64; ++i) {
      sum += 2 * (static_cast<int>((current >> i) & 1) - static_cast<int>((previous >> i) & 1));
      sums[i] = static_cast<std::int8_t>(sum);
      rank[i] = ranks[static_cast<std::size_t>(sum + 64)];
    }
    previous = current;
    start += 64;
    const std::uint8_t low = *std::min_element(rank.begin(), rank.end());
    const std::uint8_t high = *std::max_element(rank.begin(), rank.end());
    const auto min_at = std::find(rank.begin(), rank.end(), low) - rank.begin();
    const auto max_at = std::find(rank.begin(), rank.end(), high) - rank.begin();
    block.min_sum = sums[static_cast<std::size_t>(min_at)];
    block.max_sum = sums[static_cast<std::size_t>(max_at)];
    block.min_at = static_cast<std::uint8_t>(min_at);
    block.max_at = static_cast<std::uint8_t>(max_at);
    block.min_repeated = std::count(rank.begin(), rank.end(), low) > 1;
    block.max_repeated = std::count(rank.begin(), rank.end(), high) > 1;
  }
  return blocks;
}

}  // namespace

std::optional<RandomWalkScan> RandomWalkScan::For(const ItemDefinition& item) {
  if (item.generator != Generator::kWave || item.wave.shape != Shape::kRandomWalk ||
      !IsNumericKind(item.type) || item.period <= 0 || item.gap.cycle != 0 ||
      item.quality != QualityPattern::kGood)
    return std::nullopt;
  return RandomWalkScan(item);
}

void RandomWalkScan::ClearCache() { Cache().Clear(); }

RandomWalkScan::RandomWalkScan(const ItemDefinition& item)
    : key_(Mix64(item.wave.seed)), period_(item.period) {
  // Through the item's type, as GeneratedSample converts every value.
  for (int sum = -64; sum <= 64; ++sum)
    values_[static_cast<std::size_t>(sum + 64)] =
        NumericValue(Value::Number(item.type, RandomWalkValue(item.wave, sum))).value_or(0);
  cache_slot_ = Cache().Slot(key_, values_);
}

void RandomWalkScan::Walk(std::int64_t first, std::int64_t last, IntervalFacts& facts) const {
  StepWindow window(key_, first);
  for (std::int64_t k = first;; ++k) {
    const Extreme sample{Point{k * period_, ValueOf(window.Sum())}};
    MergeMin(facts.min, sample);
    MergeMax(facts.max, sample);
    if (k == last) break;
    window.Advance();
  }
}

Extreme RandomWalkScan::BlockExtreme(std::int64_t block, int sum, int at, bool repeated) const {
  return Extreme{Point{(block * kBlockSamples + at) * period_, ValueOf(sum)}, repeated};
}

void RandomWalkScan::Summarise(std::int64_t first, std::int64_t last, IntervalFacts& facts) const {
  facts.count += static_cast<std::uint64_t>(last - first + 1);
  const std::int64_t first_block = CeilDiv(first, kBlockSamples);
  const std::int64_t end_block = FloorDiv(last + 1, kBlockSamples);  // after the last whole one
  if (end_block - first_block < 2) {
    Walk(first, last, facts);
    return;
  }
  if (first < first_block * kBlockSamples) Walk(first, first_block * kBlockSamples - 1, facts);
  std::shared_ptr<const Blocks> chunk;
  std::int64_t chunk_index = 0;
  for (std::int64_t b = first_block; b < end_block; ++b) {
    if (!chunk || FloorDiv(b, kChunkBlocks) != chunk_index) {
      chunk_index = FloorDiv(b, kChunkBlocks);
      chunk = Cache().Find(cache_slot_, chunk_index);
      if (!chunk) {
        chunk = std::make_shared<const Blocks>(MakeChunk(key_, values_, chunk_index));
        Cache().Keep(cache_slot_, chunk_index, chunk);
      }
    }
    const Block& block = (*chunk)[static_cast<std::size_t>(FloorMod(b, kChunkBlocks))];
    MergeMin(facts.min, BlockExtreme(b, block.min_sum, block.min_at, block.min_repeated));
    MergeMax(facts.max, BlockExtreme(b, block.max_sum, block.max_at, block.max_repeated));
  }
  if (end_block * kBlockSamples <= last) Walk(end_block * kBlockSamples, last, facts);
}

}  // namespace hdasim
