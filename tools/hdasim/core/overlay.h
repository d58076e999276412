// What clients wrote to an item: values that were inserted or replaced, ranges of generated
// samples that were deleted, and the superseded values that ReadModified reports.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/hdasim/core/value.h"

namespace hdasim {

// Disjoint half-open ranges [from, to) of ticks.
class IntervalSet {
 public:
  void Add(Ticks from, Ticks to);
  // The range holding t, if any.
  std::optional<std::pair<Ticks, Ticks>> Find(Ticks t) const;
  // The parts of [from, to) that no range covers.
  std::vector<std::pair<Ticks, Ticks>> Uncovered(Ticks from, Ticks to) const;
  bool Empty() const { return ranges_.empty(); }

 private:
  std::map<Ticks, Ticks> ranges_;  // from -> to
};

// Edit types as numbered by the interface.
enum class EditType : std::uint8_t { kInsert = 1, kReplace = 2, kInsertReplace = 3, kDelete = 4 };

// One value that an edit superseded.
struct Modification {
  Sample old;
  Ticks modified_at = 0;
  EditType edit = EditType::kReplace;
  std::wstring user;
};

// A DeleteRaw over generated samples: rather than storing each of them, it keeps the ranges in
// which generated samples were still live and the times a written value covered them.
struct RangeDeletion {
  std::vector<std::pair<Ticks, Ticks>> live;
  std::vector<Ticks> covered;  // sorted
  Ticks modified_at = 0;
  std::wstring user;
};

struct Overlay {
  std::map<Ticks, Sample> entries;  // written values; they hide generated samples at their time
  IntervalSet deleted;              // generated samples that are gone
  std::vector<Modification> modifications;
  std::vector<RangeDeletion> range_deletions;

  bool Empty() const {
    return entries.empty() && deleted.Empty() && modifications.empty() && range_deletions.empty();
  }
};

}  // namespace hdasim
