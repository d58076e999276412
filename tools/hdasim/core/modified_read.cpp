#include "tools/hdasim/core/modified_read.h"

#include <algorithm>

#include "opc/opc_codes.h"

namespace hdasim {
namespace {

// Walks the generated samples one range deletion removed, in the read's direction.
class DeletedSamples {
 public:
  DeletedSamples(const ItemDefinition& item, const RangeDeletion& range, const ReadDomain& domain)
      : range_(range),
        series_(item, kMaxTicks),
        forward_(domain.direction == Direction::kForward),
        domain_(&domain) {
    head_ = Seek(domain.from);
    if (head_ && !domain.Contains(*head_)) head_.reset();
  }

  const std::optional<Ticks>& Head() const { return head_; }
  const RangeDeletion& Range() const { return range_; }
  void Pop() {
    head_ = forward_ ? Seek(*head_ + 1) : Seek(*head_ - 1);
    if (head_ && !domain_->Contains(*head_)) head_.reset();
  }
  Sample SampleAt(Ticks t) const { return series_.SampleAt(t); }

 private:
  // The first deleted generated time at or after (forward) or at or before (reverse) t.
  std::optional<Ticks> Seek(Ticks t) const {
    while (true) {
      std::optional<Ticks> c = forward_ ? series_.FirstAtOrAfter(t) : series_.LastAtOrBefore(t);
      if (!c) return std::nullopt;
      const auto& live = range_.live;
      auto in = std::find_if(live.begin(), live.end(),
                             [&](const auto& r) { return *c >= r.first && *c < r.second; });
      if (in == live.end()) {
        // Jump to the nearest live range in the walking direction.
        std::optional<Ticks> jump;
        for (const auto& r : live) {
          if (forward_ && r.first > *c && (!jump || r.first < *jump)) jump = r.first;
          if (!forward_ && r.second - 1 < *c && (!jump || r.second - 1 > *jump))
            jump = r.second - 1;
        }
        if (!jump) return std::nullopt;
        t = *jump;
        continue;
      }
      if (!std::binary_search(range_.covered.begin(), range_.covered.end(), *c)) return c;
      t = forward_ ? *c + 1 : *c - 1;
    }
  }

  const RangeDeletion& range_;
  GeneratedSeries series_;
  bool forward_;
  const ReadDomain* domain_;
  std::optional<Ticks> head_;
};

}  // namespace

ModifiedResult ReadModified(const ItemDefinition& item, const Overlay* overlay,
                            const ReadDomain& domain, std::uint32_t limit) {
  ModifiedResult result;
  if (!overlay) return result;
  const bool forward = domain.direction == Direction::kForward;
  auto in_domain = [&](Ticks t) { return domain.instant ? t == domain.from : domain.Contains(t); };

  std::vector<const Modification*> points;
  for (const Modification& m : overlay->modifications)
    if (in_domain(m.old.time)) points.push_back(&m);
  // Later entries of the log are newer; stable sorting keeps that order among equal keys.
  std::reverse(points.begin(), points.end());
  std::stable_sort(points.begin(), points.end(), [&](const Modification* a, const Modification* b) {
    if (a->old.time != b->old.time)
      return forward ? a->old.time < b->old.time : a->old.time > b->old.time;
    return a->modified_at > b->modified_at;
  });

  ReadDomain walk = domain;
  if (domain.instant) walk.to = domain.from + 1;
  std::vector<DeletedSamples> ranges;
  for (auto it = overlay->range_deletions.rbegin(); it != overlay->range_deletions.rend(); ++it)
    ranges.emplace_back(item, *it, walk);

  std::size_t next_point = 0;
  while (true) {
    // The candidate that comes first: by time in the read's direction, then newest modification.
    const Modification* point = next_point < points.size() ? points[next_point] : nullptr;
    DeletedSamples* best_range = nullptr;
    for (DeletedSamples& r : ranges) {
      if (!r.Head()) continue;
      if (!best_range) {
        best_range = &r;
        continue;
      }
      const Ticks a = *r.Head(), b = *best_range->Head();
      if ((forward ? a < b : a > b) ||
          (a == b && r.Range().modified_at > best_range->Range().modified_at))
        best_range = &r;
    }
    if (!point && !best_range) break;

    bool take_point = point != nullptr;
    if (point && best_range) {
      const Ticks a = point->old.time, b = *best_range->Head();
      take_point = a != b ? (forward ? a < b : a > b)
                          : point->modified_at >= best_range->Range().modified_at;
    }
    if (result.entries.size() >= limit) {
      result.status = ReadStatus::kMoreData;
      return result;
    }
    ModifiedEntry entry;
    if (take_point) {
      entry = ModifiedEntry{point->old, point->modified_at, point->edit, point->user};
      ++next_point;
    } else {
      entry.old = best_range->SampleAt(*best_range->Head());
      entry.modified_at = best_range->Range().modified_at;
      entry.edit = EditType::kDelete;
      entry.user = best_range->Range().user;
      best_range->Pop();
    }
    entry.old.quality |= OPCHDA_RAW;
    result.entries.push_back(std::move(entry));
  }
  result.status = result.entries.empty() ? ReadStatus::kNoData : ReadStatus::kOk;
  return result;
}

}  // namespace hdasim
