#include "tools/hdasim/core/editing.h"

#include <algorithm>

namespace hdasim {
namespace {

void Supersede(Overlay& overlay, const Sample& old, Ticks now, EditType edit,
               const std::wstring& user) {
  overlay.modifications.push_back(Modification{old, now, edit, user});
}

}  // namespace

WriteOutcome InsertValue(const ItemDefinition& item, Overlay& overlay, Ticks now,
                         const Sample& sample) {
  if (ItemHistory(item, &overlay, now).At(sample.time)) return WriteOutcome::kAlreadyExists;
  overlay.entries[sample.time] = sample;
  return WriteOutcome::kInserted;
}

WriteOutcome ReplaceValue(const ItemDefinition& item, Overlay& overlay, Ticks now,
                          const Sample& sample, const std::wstring& user) {
  const std::optional<Sample> old = ItemHistory(item, &overlay, now).At(sample.time);
  if (!old) return WriteOutcome::kNothingToReplace;
  Supersede(overlay, *old, now, EditType::kReplace, user);
  overlay.entries[sample.time] = sample;
  return WriteOutcome::kReplaced;
}

WriteOutcome InsertOrReplaceValue(const ItemDefinition& item, Overlay& overlay, Ticks now,
                                  const Sample& sample, const std::wstring& user) {
  const std::optional<Sample> old = ItemHistory(item, &overlay, now).At(sample.time);
  if (old) Supersede(overlay, *old, now, EditType::kInsertReplace, user);
  overlay.entries[sample.time] = sample;
  return old ? WriteOutcome::kReplaced : WriteOutcome::kInserted;
}

bool DeleteAt(const ItemDefinition& item, Overlay& overlay, Ticks now, Ticks t,
              const std::wstring& user) {
  const std::optional<Sample> old = ItemHistory(item, &overlay, now).At(t);
  if (!old) return false;
  Supersede(overlay, *old, now, EditType::kDelete, user);
  overlay.entries.erase(t);
  if (GeneratedSeries(item, now).Exists(t)) overlay.deleted.Add(t, t + 1);
  return true;
}

bool DeleteRange(const ItemDefinition& item, Overlay& overlay, Ticks now, Ticks from, Ticks to,
                 const std::wstring& user) {
  bool deleted_any = false;
  RangeDeletion range;
  range.modified_at = now;
  range.user = user;
  for (auto it = overlay.entries.lower_bound(from);
       it != overlay.entries.end() && it->first < to;) {
    Supersede(overlay, it->second, now, EditType::kDelete, user);
    range.covered.push_back(it->first);
    it = overlay.entries.erase(it);
    deleted_any = true;
  }

  // Generated samples appear up to now; later ones are not deleted in advance.
  const Ticks generated_end = std::min(to, now + 1);
  if (from >= generated_end) return deleted_any;
  const GeneratedSeries series(item, now);
  bool live_generated = false;
  for (const auto& [lo, hi] : overlay.deleted.Uncovered(from, generated_end)) {
    std::optional<Ticks> c = series.FirstAtOrAfter(lo);
    while (c && *c < hi && std::binary_search(range.covered.begin(), range.covered.end(), *c))
      c = series.FirstAtOrAfter(*c + 1);
    if (c && *c < hi) live_generated = true;
    range.live.emplace_back(lo, hi);
  }
  if (live_generated) {
    overlay.range_deletions.push_back(std::move(range));
    deleted_any = true;
  }
  overlay.deleted.Add(from, generated_end);
  return deleted_any;
}

}  // namespace hdasim
