#include "graph/square_union.h"

#include <algorithm>
#include <bit>

namespace graph {

void TSquareUnion::Reset(const TRect& area) {
  area_ = area;
  const std::int32_t width = std::max(0, area.right - area.left + 1);
  const std::int32_t height = std::max(0, area.bottom - area.top + 1);
  words_ = (height + 63) / 64;
  centres_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(words_), 0);
  firstX_ = width;
  lastX_ = -1;
}

bool TSquareUnion::Add(TPoint p) {
  if (p.x < area_.left || p.x > area_.right || p.y < area_.top || p.y > area_.bottom) return false;
  const std::int32_t x = p.x - area_.left, row = p.y - area_.top;
  centres_[static_cast<std::size_t>(x) * words_ + row / 64] |= Word{1} << (row % 64);
  firstX_ = std::min(firstX_, x);
  lastX_ = std::max(lastX_, x);
  return true;
}

void TSquareUnion::OrShifted(std::int32_t x, std::int32_t shift) {
  if (x < firstX_ || x > lastX_) return;
  const Word* source = &centres_[static_cast<std::size_t>(x) * words_];
  // Row r of the centres lands on bit r + reach_ + shift of the column.
  const std::int32_t offset = reach_ + shift;
  const std::int32_t wordShift = offset / 64, bitShift = offset % 64;
  for (std::int32_t w = 0; w < words_; ++w) {
    const Word bits = source[w];
    if (!bits) continue;
    column_[w + wordShift] |= bits << bitShift;
    if (bitShift && w + wordShift + 1 < columnWords_)
      column_[w + wordShift + 1] |= bits >> (64 - bitShift);
  }
}

void TSquareUnion::Emit(std::int32_t a, std::vector<TPoint>& points,
                        std::vector<std::uint32_t>& counts) {
  if (lastX_ < firstX_ || a < 1) return;
  reach_ = a;
  const std::int32_t height = words_ * 64 + 2 * a;
  columnWords_ = (height + 63) / 64 + 1;
  column_.resize(static_cast<std::size_t>(columnWords_));
  for (std::int32_t c = firstX_ - a; c <= lastX_ + a; ++c) {
    std::fill(column_.begin(), column_.end(), 0);
    // The sides of the squares centred a columns to the right and to the left.
    for (std::int32_t side : {c + a, c - a}) {
      for (std::int32_t k = -a; k <= a; ++k) OrShifted(side, k);
    }
    // The tops and bottoms of the squares whose insides cross this column.
    for (std::int32_t x = c - a + 1; x < c + a; ++x) {
      OrShifted(x, -a);
      OrShifted(x, a);
    }
    // Runs of set bits: pixel rows area.top - a + bit. Bits shifted in from above a word's
    // end are 0, so a word's remainder is searched as it is (for a set bit) or inverted (for
    // a clear one) without looking past the word.
    const std::int32_t px = area_.left + c;
    const std::int32_t bits = columnWords_ * 64;
    std::int32_t bit = 0;
    while (bit < bits) {
      const Word word = column_[bit / 64] >> (bit % 64);
      if (!word) {
        bit = (bit / 64 + 1) * 64;
        continue;
      }
      bit += std::countr_zero(word);
      std::int32_t end = bit;
      while (end < bits) {
        const Word clear = ~column_[end / 64] >> (end % 64);
        if (clear) {
          end += std::countr_zero(clear);
          break;
        }
        end = (end / 64 + 1) * 64;
      }
      end = std::min(end, bits);
      points.push_back({px, area_.top - a + bit});
      points.push_back({px, area_.top - a + end});
      counts.push_back(2);
      bit = end;
    }
  }
}

}  // namespace graph
