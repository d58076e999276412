// The union of hollow squares as vertical runs: exactly the pixels of the squares' outlines, for
// scattered and crowded centres and every size, in few segments where the squares crowd.
#include "graph/square_union.h"

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

TEST(SquareUnion, SetsExactlyThePixelsOfTheOutlines) {
  std::mt19937 random(20240301);
  // Areas whose heights fall on, below and above whole words of rows.
  const TRect areas[] = {{10, 20, 60, 83}, {0, 0, 30, 200}, {-5, -70, 40, 0}};
  int checked = 0;
  for (const TRect& area : areas) {
    for (std::int32_t a = 1; a <= 6; ++a) {
      for (int trial = 0; trial < 40; ++trial) {
        const int count = 1 + trial * 7;
        const std::int32_t width = area.right - area.left + 1, height = area.bottom - area.top + 1;
        // From scattered squares to crowded ones in a band, as a dense noisy wave draws them.
        const std::int32_t band = trial % 2 ? height : std::min<std::int32_t>(height, 12);
        TSquareUnion squares;
        squares.Reset(area);
        Pixels expected;
        for (int i = 0; i < count; ++i) {
          const TPoint p{area.left + static_cast<std::int32_t>(random() % width),
                         area.top + static_cast<std::int32_t>(random() % band)};
          ASSERT_TRUE(squares.Add(p));
          AddOutline(expected, p, a);
        }
        std::vector<TPoint> points;
        std::vector<std::uint32_t> counts;
        squares.Emit(a, points, counts);
        ASSERT_EQ(Rasterise(points, counts), expected) << "a " << a << " trial " << trial;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 3 * 6 * 40);
}

TEST(SquareUnion, CrowdedSquaresCostOneSegmentPerColumn) {
  TSquareUnion squares;
  squares.Reset({0, 0, 99, 99});
  for (std::int32_t x = 10; x < 90; ++x) {
    for (std::int32_t y = 40; y < 60; ++y) squares.Add({x, y});
  }
  std::vector<TPoint> points;
  std::vector<std::uint32_t> counts;
  squares.Emit(2, points, counts);
  EXPECT_EQ(counts.size(), 84u) << "one run for each of the columns 8 to 91";
}

TEST(SquareUnion, CentresOutsideTheAreaAndEmptyUnions) {
  TSquareUnion squares;
  squares.Reset({0, 0, 9, 9});
  EXPECT_FALSE(squares.Add({-1, 5}));
  EXPECT_FALSE(squares.Add({5, 10}));
  std::vector<TPoint> points;
  std::vector<std::uint32_t> counts;
  squares.Emit(2, points, counts);
  EXPECT_TRUE(counts.empty());
  EXPECT_TRUE(squares.Add({9, 9}));
  squares.Emit(0, points, counts);
  EXPECT_TRUE(counts.empty()) << "squares without size are not for the union";
}

}  // namespace
}  // namespace graph
