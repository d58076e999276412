// The raw history of one item as seen at one moment: the generated samples up to `now`, minus
// what was deleted, with written values laid over them.
#pragma once

#include <optional>

#include "tools/hdasim/core/catalog.h"
#include "tools/hdasim/core/overlay.h"

namespace hdasim {

// The sample the generator makes for time t, whether or not the item has a sample there.
Sample GeneratedSample(const ItemDefinition& item, Ticks t);

// The generator's samples alone: times at whole multiples of the period from the history start up
// to `now`, outside the gaps.
class GeneratedSeries {
 public:
  GeneratedSeries(const ItemDefinition& item, Ticks now) : item_(item), now_(now) {}
  std::optional<Ticks> FirstAtOrAfter(Ticks t) const;
  std::optional<Ticks> LastAtOrBefore(Ticks t) const;
  bool Exists(Ticks t) const;
  // The sample at a time for which Exists() holds.
  Sample SampleAt(Ticks t) const;

 private:
  const ItemDefinition& item_;
  Ticks now_;
};

class ItemHistory {
 public:
  // `overlay` may be null: nothing was ever written to the item.
  ItemHistory(const ItemDefinition& item, const Overlay* overlay, Ticks now)
      : item_(item),
        overlay_(overlay && !overlay->Empty() ? overlay : nullptr),
        series_(item, now),
        now_(now) {}

  std::optional<Sample> AtOrAfter(Ticks t) const;
  std::optional<Sample> AtOrBefore(Ticks t) const;
  std::optional<Sample> At(Ticks t) const;
  // After(t) is AtOrAfter(t + 1), Before(t) is AtOrBefore(t - 1), with the range checked.
  std::optional<Sample> After(Ticks t) const;
  std::optional<Sample> Before(Ticks t) const;

  const ItemDefinition& Item() const { return item_; }
  Ticks Now() const { return now_; }
  // Whether clients wrote to the item or deleted from it: only then does the history differ
  // from the generated series.
  bool HasOverlay() const { return overlay_ != nullptr; }

 private:
  std::optional<Ticks> LiveGeneratedAtOrAfter(Ticks t) const;
  std::optional<Ticks> LiveGeneratedAtOrBefore(Ticks t) const;

  const ItemDefinition& item_;
  const Overlay* overlay_;
  GeneratedSeries series_;
  Ticks now_;
};

}  // namespace hdasim
