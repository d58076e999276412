#include "graph/mark_union.h"

#include <algorithm>
#include <bit>

namespace graph {

TMarkMask SquareOutlineMask(std::int32_t a) {
  TMarkMask mask;
  if (a < 1 || 2 * a + 1 > TMarkMask::kMaxHeight) return mask;
  mask.left = -a;
  mask.top = -a;
  const std::int32_t side = 2 * a + 1;
  const std::uint64_t whole = side == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << side) - 1;
  const std::uint64_t ends = std::uint64_t{1} | std::uint64_t{1} << (side - 1);
  mask.columns.assign(static_cast<std::size_t>(side), ends);
  mask.columns.front() = mask.columns.back() = whole;
  return mask;
}

void TMarkUnion::Reset(const TRect& area, const TMarkMask& mask) {
  area_ = area;
  mask_ = mask;
  const std::int32_t width = std::max(0, area.right - area.left + 1);
  const std::int32_t height = std::max(0, area.bottom - area.top + 1);
  const auto maskWidth = static_cast<std::int32_t>(mask.columns.size());
  centreWords_ = (height + 63) / 64;
  // A mark reaches at most 64 rows below its centre's row.
  words_ = centreWords_ + 1;
  const auto centres = static_cast<std::size_t>(width) * static_cast<std::size_t>(centreWords_);
  const auto bits = static_cast<std::size_t>(width + maskWidth) * static_cast<std::size_t>(words_);
  if (dirty_ || centres_.size() != centres) centres_.assign(centres, 0);
  if (dirty_ || bits_.size() != bits) bits_.assign(bits, 0);
  dirty_ = false;
  firstX_ = width;
  lastX_ = -1;
  firstWord_ = centreWords_;
  lastWord_ = -1;
}

std::uint32_t TMarkUnion::Add(const TPoint* points, std::uint32_t count) {
  if (centres_.empty()) return 0;  // an empty area
  // Kept in locals over the loop: this runs once per point of a wave.
  const std::int32_t left = area_.left, top = area_.top;
  const auto width = static_cast<std::uint32_t>(area_.right - left);
  const auto height = static_cast<std::uint32_t>(area_.bottom - top);
  const std::size_t stride = static_cast<std::size_t>(centreWords_);
  Word* centres = centres_.data();
  std::int32_t firstX = firstX_, lastX = lastX_, firstRow = firstWord_ * 64,
               lastRow = lastWord_ * 64 + 63;
  std::uint32_t added = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    // Unsigned: left of or above the area is a large number too.
    const auto x = static_cast<std::uint32_t>(points[i].x - left);
    const auto row = static_cast<std::uint32_t>(points[i].y - top);
    if (x > width || row > height) continue;
    centres[x * stride + row / 64] |= Word{1} << (row % 64);
    firstX = std::min(firstX, static_cast<std::int32_t>(x));
    lastX = std::max(lastX, static_cast<std::int32_t>(x));
    firstRow = std::min(firstRow, static_cast<std::int32_t>(row));
    lastRow = std::max(lastRow, static_cast<std::int32_t>(row));
    ++added;
  }
  if (added == 0) return 0;
  dirty_ = true;
  firstX_ = firstX;
  lastX_ = lastX;
  firstWord_ = firstRow / 64;
  lastWord_ = lastRow / 64;
  return added;
}

void TMarkUnion::Emit(std::vector<TPoint>& points, std::vector<std::uint32_t>& counts) {
  if (lastX_ < firstX_) return;
  // Each word of centres stamps their marks, column by column of the mask: centre by centre, or,
  // where that is cheaper (several centres in the word), the word shifted by every row of a mask
  // column at once. The centres are cleared as read.
  const auto maskWidth = static_cast<std::int32_t>(mask_.columns.size());
  std::int32_t wordCost = 0;
  for (std::int32_t i = 0; i < maskWidth; ++i) {
    if (i == 0 || mask_.columns[i] != mask_.columns[i - 1])
      wordCost += std::popcount(mask_.columns[i]);
  }
  for (std::int32_t x = firstX_; x <= lastX_; ++x) {
    Word* centres = &centres_[static_cast<std::size_t>(x) * centreWords_];
    for (std::int32_t w = firstWord_; w <= lastWord_; ++w) {
      Word pending = centres[w];
      if (!pending) continue;
      centres[w] = 0;
      Word* column = &bits_[static_cast<std::size_t>(x) * words_ + w];
      if (std::popcount(pending) * maskWidth <= wordCost) {
        while (pending) {
          const int shift = std::countr_zero(pending);
          pending &= pending - 1;
          Word* target = column;
          for (std::int32_t i = 0; i < maskWidth; ++i, target += words_) {
            const Word bits = mask_.columns[i];
            target[0] |= bits << shift;
            if (shift) target[1] |= bits >> (64 - shift);
          }
        }
        continue;
      }
      Word low = 0, high = 0;
      for (std::int32_t i = 0; i < maskWidth; ++i, column += words_) {
        if (i == 0 || mask_.columns[i] != mask_.columns[i - 1]) {
          low = high = 0;
          for (Word rows = mask_.columns[i]; rows; rows &= rows - 1) {
            const int shift = std::countr_zero(rows);
            low |= pending << shift;
            if (shift) high |= pending >> (64 - shift);
          }
        }
        column[0] |= low;
        column[1] |= high;
      }
    }
  }
  // Runs of set bits: the union's row r is the pixel row area.top + mask.top + r. The words
  // outside firstWord_..lastWord_ + 1 are 0 in every column, so a run ends within them; the
  // words are cleared as read.
  const std::int32_t top = area_.top + mask_.top;
  const std::int32_t firstBit = firstWord_ * 64, endBit = (lastWord_ + 2) * 64;
  for (std::int32_t x = firstX_; x < lastX_ + maskWidth; ++x) {
    Word* column = &bits_[static_cast<std::size_t>(x) * words_];
    const std::int32_t px = area_.left + mask_.left + x;
    std::int32_t bit = firstBit;
    while (bit < endBit) {
      const Word word = column[bit / 64] >> (bit % 64);
      if (!word) {
        bit = (bit / 64 + 1) * 64;
        continue;
      }
      bit += std::countr_zero(word);
      std::int32_t end = bit;
      while (end < endBit) {
        const Word clear = ~column[end / 64] >> (end % 64);
        if (clear) {
          end += std::countr_zero(clear);
          break;
        }
        end = (end / 64 + 1) * 64;
      }
      points.push_back({px, top + bit});
      points.push_back({px, top + end});
      counts.push_back(2);
      bit = end;
    }
    std::fill(column + firstWord_, column + lastWord_ + 2, 0);
  }
  dirty_ = false;
}

}  // namespace graph
