// The union of marks as vertical runs: exactly the pixels of every mark drawn on its own, for
// hollow squares of every size and for any mask, scattered and crowded centres, areas cut at and
// off word boundaries, in few segments where the marks crowd.
#include "graph/mark_union.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

namespace graph {
namespace {

using Pixels = std::set<std::pair<std::int32_t, std::int32_t>>;

// The outline of the square of half size a around p, as a closed polyline sets it.
void AddOutline(Pixels& pixels, TPoint p, std::int32_t a) {
  for (std::int32_t i = -a; i <= a; ++i) {
    pixels.insert({p.x + i, p.y - a});
    pixels.insert({p.x + i, p.y + a});
    pixels.insert({p.x - a, p.y + i});
    pixels.insert({p.x + a, p.y + i});
  }
}

void AddMask(Pixels& pixels, TPoint p, const TMarkMask& mask) {
  for (std::size_t i = 0; i < mask.columns.size(); ++i) {
    for (std::int32_t r = 0; r < 64; ++r) {
      if (mask.columns[i] >> r & 1) {
        pixels.insert({p.x + mask.left + static_cast<std::int32_t>(i), p.y + mask.top + r});
      }
    }
  }
}

// The pixels of two-point vertical polylines, each without its end pixel.
Pixels Rasterise(const std::vector<TPoint>& points, const std::vector<std::uint32_t>& counts) {
  Pixels pixels;
  std::size_t at = 0;
  for (std::uint32_t count : counts) {
    EXPECT_EQ(count, 2u);
    const TPoint from = points[at], to = points[at + 1];
    EXPECT_EQ(from.x, to.x);
    EXPECT_GT(to.y, from.y);
    for (std::int32_t y = from.y; y < to.y; ++y) pixels.insert({from.x, y});
    at += count;
  }
  return pixels;
}

// Areas whose heights fall on, below and above whole words of rows.
const TRect kAreas[] = {{10, 20, 60, 83}, {0, 0, 30, 200}, {-5, -70, 40, 0}};

// `count` centres in the area, from scattered to crowded in a band as a dense wave puts them.
std::vector<TPoint> Centres(std::mt19937& random, const TRect& area, int count, bool crowded) {
  const std::int32_t width = area.right - area.left + 1, height = area.bottom - area.top + 1;
  const std::int32_t band = crowded ? std::min<std::int32_t>(height, 12) : height;
  std::vector<TPoint> centres;
  for (int i = 0; i < count; ++i) {
    centres.push_back({area.left + static_cast<std::int32_t>(random() % width),
                       area.top + static_cast<std::int32_t>(random() % band)});
  }
  return centres;
}

TEST(MarkUnion, SquaresSetExactlyThePixelsOfTheOutlines) {
  std::mt19937 random(20240301);
  int checked = 0;
  for (const TRect& area : kAreas) {
    for (std::int32_t a = 1; a <= 10; ++a) {
      const TMarkMask mask = SquareOutlineMask(a);
      for (int trial = 0; trial < 40; ++trial) {
        TMarkUnion marks;
        marks.Reset(area, mask);
        Pixels expected;
        for (TPoint p : Centres(random, area, 1 + trial * 7, trial % 2 == 0)) {
          ASSERT_TRUE(marks.Add(p));
          AddOutline(expected, p, a);
        }
        std::vector<TPoint> points;
        std::vector<std::uint32_t> counts;
        marks.Emit(points, counts);
        ASSERT_EQ(Rasterise(points, counts), expected) << "a " << a << " trial " << trial;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 3 * 10 * 40);
}

TEST(MarkUnion, AnyMaskUpToSixtyFourRows) {
  std::mt19937 random(4711);
  int checked = 0;
  for (const TRect& area : kAreas) {
    for (std::int32_t rows : {1, 5, 23, 63, 64}) {
      TMarkMask mask;
      mask.left = -static_cast<std::int32_t>(random() % 12);
      mask.top = -rows / 2;
      mask.columns.resize(1 + random() % 12);
      const std::uint64_t within = rows == 64 ? ~0ull : (1ull << rows) - 1;
      for (auto& column : mask.columns)
        column = (random() | std::uint64_t{random()} << 32) & within;
      for (bool crowded : {false, true}) {
        TMarkUnion marks;
        marks.Reset(area, mask);
        Pixels expected;
        for (TPoint p : Centres(random, area, 60, crowded)) {
          ASSERT_TRUE(marks.Add(p));
          AddMask(expected, p, mask);
        }
        std::vector<TPoint> points;
        std::vector<std::uint32_t> counts;
        marks.Emit(points, counts);
        ASSERT_EQ(Rasterise(points, counts), expected) << "rows " << rows;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 3 * 5 * 2);
}

TEST(MarkUnion, CrowdedSquaresCostOneSegmentPerColumn) {
  TMarkUnion marks;
  marks.Reset({0, 0, 99, 99}, SquareOutlineMask(2));
  for (std::int32_t x = 10; x < 90; ++x) {
    for (std::int32_t y = 40; y < 60; ++y) marks.Add({x, y});
  }
  std::vector<TPoint> points;
  std::vector<std::uint32_t> counts;
  marks.Emit(points, counts);
  EXPECT_EQ(counts.size(), 84u) << "one run for each of the columns 8 to 91";
}

TEST(MarkUnion, CentresOutsideTheAreaAndEmptyUnions) {
  TMarkUnion marks;
  marks.Reset({0, 0, 9, 9}, SquareOutlineMask(2));
  EXPECT_FALSE(marks.Add({-1, 5}));
  EXPECT_FALSE(marks.Add({5, 10}));
  std::vector<TPoint> points;
  std::vector<std::uint32_t> counts;
  marks.Emit(points, counts);
  EXPECT_TRUE(counts.empty());
  EXPECT_TRUE(SquareOutlineMask(0).Empty()) << "squares without size have no mask";
  EXPECT_TRUE(SquareOutlineMask(32).Empty()) << "65 rows do not fit a mask";
  marks.Reset({0, 0, 9, 9}, TMarkMask{});
  EXPECT_TRUE(marks.Add({9, 9}));
  marks.Emit(points, counts);
  EXPECT_TRUE(counts.empty()) << "an empty mask marks nothing";
}

}  // namespace
}  // namespace graph
