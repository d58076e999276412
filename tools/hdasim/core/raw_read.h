// Raw reads: the time domain built from start, end and count, bounds, reverse order and the
// count limit with its "more data" answer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tools/hdasim/core/history.h"

namespace hdasim {

enum class Direction { kForward, kReverse };

// Forward: samples with from <= t < to. Reverse: samples with to < t <= from, latest first.
// Without `to` the read runs to the end (or, in reverse, the beginning) of history. An instant
// domain (start == end) asks for the one sample at `from`.
struct ReadDomain {
  Direction direction = Direction::kForward;
  Ticks from = 0;
  std::optional<Ticks> to;
  bool instant = false;

  bool Contains(Ticks t) const;
};

// Nothing when fewer than two of start, end and a non-zero count are given.
std::optional<ReadDomain> MakeReadDomain(std::optional<Ticks> start, std::optional<Ticks> end,
                                         std::uint32_t count);

enum class ReadStatus { kOk, kNoData, kMoreData };

struct RawResult {
  ReadStatus status = ReadStatus::kNoData;
  std::vector<Sample> samples;  // qualities carry OPCHDA_RAW, placeholders OPCHDA_NOBOUND
};

// `limit` is the number of values to return at most, bounds included (never 0).
RawResult ReadRaw(const ItemHistory& history, const ReadDomain& domain, bool bounds,
                  std::uint32_t limit);

}  // namespace hdasim
