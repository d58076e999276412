// Merged hollow squares: the vertical segments of a column cover exactly the pixels of the
// squares' outlines, for any set of centres and sizes.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

#include "graph/plot_run.h"

namespace graph {
namespace {

using Pixels = std::set<std::pair<std::int32_t, std::int32_t>>;

// The outline of the square of half size a around (x, y), as a closed polyline sets it.
void AddOutline(Pixels& pixels, std::int32_t x, std::int32_t y, std::int32_t a) {
  for (std::int32_t i = -a; i <= a; ++i) {
    pixels.insert({x + i, y - a});
    pixels.insert({x + i, y + a});
    pixels.insert({x - a, y + i});
    pixels.insert({x + a, y + i});
  }
}

// The pixels of the batch's two-point polylines, each without its end pixel; all are vertical.
Pixels Rasterise(const TMarkerBatch& batch, bool& allVertical) {
  Pixels pixels;
  allVertical = true;
  std::size_t at = 0;
  for (std::uint32_t count : batch.counts) {
    const TPoint from = batch.points[at], to = batch.points[at + 1];
    allVertical = allVertical && count == 2 && from.x == to.x && to.y > from.y;
    for (std::int32_t y = from.y; y < to.y; ++y) pixels.insert({from.x, y});
    at += count;
  }
  return pixels;
}

TEST(MergedSquares, CoverExactlyTheOutlinesOfTheSquares) {
  std::mt19937 random(20240301);
  int checked = 0;
  for (std::int32_t a = 1; a <= 5; ++a) {
    for (int trial = 0; trial < 200; ++trial) {
      // From a single square to dense columns with repeats, gaps and overlaps.
      const int count = 1 + trial % 40;
      const int spread = 1 + trial % 60;
      std::vector<std::int32_t> centres;
      for (int i = 0; i < count; ++i) centres.push_back(100 + static_cast<std::int32_t>(random() % spread));
      Pixels expected;
      for (std::int32_t y : centres) AddOutline(expected, 50, y, a);
      TMarkerBatch batch;
      std::vector<std::int32_t> rows;
      AppendMergedSquares(50, a, centres, rows, batch);
      bool allVertical = false;
      ASSERT_EQ(Rasterise(batch, allVertical), expected) << "a " << a << " trial " << trial;
      ASSERT_TRUE(allVertical);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 1000);
  // A dense column, every row from 100 to 139 a centre: two sides and one run of rows.
  for (std::int32_t a = 1; a <= 5; ++a) {
    std::vector<std::int32_t> centres, rows;
    for (std::int32_t y = 100; y < 140; ++y) centres.push_back(y);
    TMarkerBatch batch;
    AppendMergedSquares(50, a, centres, rows, batch);
    EXPECT_EQ(batch.counts.size(), static_cast<std::size_t>(2 + 2 * a - 1)) << "a " << a;
  }
  TMarkerBatch empty;
  std::vector<std::int32_t> none, rows;
  AppendMergedSquares(0, 2, none, rows, empty);
  EXPECT_TRUE(empty.counts.empty());
}

}  // namespace
}  // namespace graph
