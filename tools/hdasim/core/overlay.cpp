#include "tools/hdasim/core/overlay.h"

#include <algorithm>

namespace hdasim {

void IntervalSet::Add(Ticks from, Ticks to) {
  if (from >= to) return;
  // Merge with every range that overlaps or touches [from, to).
  auto it = ranges_.upper_bound(from);
  if (it != ranges_.begin()) {
    auto before = std::prev(it);
    if (before->second >= from) it = before;
  }
  while (it != ranges_.end() && it->first <= to) {
    from = std::min(from, it->first);
    to = std::max(to, it->second);
    it = ranges_.erase(it);
  }
  ranges_.emplace(from, to);
}

std::optional<std::pair<Ticks, Ticks>> IntervalSet::Find(Ticks t) const {
  auto it = ranges_.upper_bound(t);
  if (it == ranges_.begin()) return std::nullopt;
  --it;
  if (t < it->second) return *it;
  return std::nullopt;
}

std::vector<std::pair<Ticks, Ticks>> IntervalSet::Uncovered(Ticks from, Ticks to) const {
  std::vector<std::pair<Ticks, Ticks>> parts;
  Ticks cursor = from;
  auto it = ranges_.upper_bound(from);
  if (it != ranges_.begin()) --it;
  for (; it != ranges_.end() && it->first < to && cursor < to; ++it) {
    if (it->second <= cursor) continue;
    if (it->first > cursor) parts.emplace_back(cursor, std::min(it->first, to));
    cursor = std::max(cursor, it->second);
  }
  if (cursor < to) parts.emplace_back(cursor, to);
  return parts;
}

}  // namespace hdasim
