#include "graph/envelope_builder.h"

namespace graph {

TEnvelopeBuilder::TEnvelopeBuilder(const TEnvelopePlan& plan, std::size_t rawLimit)
    : plan_(plan), rawLimit_(rawLimit), columnsTo_(plan.columnsFrom + plan.step * plan.columns) {}

void TEnvelopeBuilder::NoteBounds(const TEnvelopeSample& sample) {
  if (!outsideLow_ || sample.value < outsideLow_->value) outsideLow_ = sample;
  if (!outsideHigh_ || sample.value > outsideHigh_->value) outsideHigh_ = sample;
}

void TEnvelopeBuilder::Fold(const TEnvelopeSample& sample) {
  TEnvelopeColumn& column = columns_[(sample.order - plan_.columnsFrom) / plan_.step];
  if (!column.first) column.first = sample;
  column.last = sample;
  if (!column.lowest || sample.value < column.lowest->value) column.lowest = sample;
  if (!column.highest || sample.value > column.highest->value) column.highest = sample;
}

void TEnvelopeBuilder::Add(const TEnvelopeSample& sample) {
  ++count_;
  const std::uint64_t t = sample.order;
  if (t < plan_.head.from) {
    before_ = sample;
    NoteBounds(sample);
  } else if (t < plan_.columnsFrom) {
    head_.push_back(sample);
  } else if (t < columnsTo_) {
    if (folded_) {
      Fold(sample);
    } else if (grid_.size() < rawLimit_) {
      grid_.push_back(sample);
    } else {
      // Too many to keep: the columns take what was kept and everything after it.
      folded_ = true;
      columns_.assign(plan_.columns, TEnvelopeColumn{});
      for (const TEnvelopeSample& kept : grid_) Fold(kept);
      grid_.clear();
      grid_.shrink_to_fit();
      Fold(sample);
    }
  } else if (t < plan_.tail.to) {
    tail_.push_back(sample);
  } else {
    if (!after_) after_ = sample;
    last_ = sample;
    NoteBounds(sample);
  }
}

void TEnvelopeBuilder::Finish(TEnvelope& envelope) const {
  TEnvelopeParts parts;
  parts.before = before_;
  parts.after = after_;
  parts.last = last_;
  parts.head = head_;
  if (folded_) {
    parts.columns = columns_;
    parts.tail = tail_;
  } else {
    // Kept whole, the grid's values and the raw edges are one run of raw values.
    parts.head.insert(parts.head.end(), grid_.begin(), grid_.end());
    parts.head.insert(parts.head.end(), tail_.begin(), tail_.end());
  }
  if (outsideLow_) parts.outsideExtremes.push_back(*outsideLow_);
  if (outsideHigh_) parts.outsideExtremes.push_back(*outsideHigh_);
  AssembleEnvelope(parts, envelope);
  envelope.allRaw = !folded_;
}

}  // namespace graph
