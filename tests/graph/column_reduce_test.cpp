#include "graph/column_reduce.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace graph {
namespace {

using Pixels = std::set<std::pair<int, int>>;

// A one-pixel line the Windows way: every pixel of the segment but its end.
void Segment(TPoint a, TPoint b, Pixels& pixels) {
  int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
  int steps = std::max(dx, dy);
  for (int i = 0; i < steps; ++i) {
    // Rounded from the start; enough to model that every segment is drawn the same way each time.
    int x = a.x + static_cast<int>(std::lround(static_cast<double>(b.x - a.x) * i / steps));
    int y = a.y + static_cast<int>(std::lround(static_cast<double>(b.y - a.y) * i / steps));
    pixels.insert({x, y});
  }
}

Pixels Polyline(const std::vector<TPoint>& points) {
  Pixels pixels;
  for (std::size_t i = 1; i < points.size(); ++i) Segment(points[i - 1], points[i], pixels);
  return pixels;
}

std::vector<TPoint> Reduced(const std::vector<TPoint>& points) {
  std::vector<TPoint> out;
  ReduceColumns(points.data(), static_cast<std::uint32_t>(points.size()), out);
  return out;
}

struct ReduceCase {
  const char* what;
  std::vector<TPoint> in;
  std::vector<TPoint> want;
};

TEST(GraphColumnReduce, KeepsFirstExtremesAndLastInOrder) {
  const ReduceCase cases[] = {
      {"four in a column stay", {{0, 1}, {0, 5}, {0, 2}, {0, 3}}, {{0, 1}, {0, 5}, {0, 2}, {0, 3}}},
      {"low before high",
       {{0, 3}, {0, 1}, {0, 4}, {0, 9}, {0, 5}, {1, 0}},
       {{0, 3}, {0, 1}, {0, 9}, {0, 5}, {1, 0}}},
      {"high before low",
       {{0, 3}, {0, 9}, {0, 4}, {0, 1}, {0, 5}, {1, 0}},
       {{0, 3}, {0, 9}, {0, 1}, {0, 5}, {1, 0}}},
      {"first is the low",
       {{0, 0}, {0, 3}, {0, 9}, {0, 4}, {0, 5}, {1, 0}},
       {{0, 0}, {0, 9}, {0, 5}, {1, 0}}},
      {"flat column", {{2, 4}, {2, 4}, {2, 4}, {2, 4}, {2, 4}}, {{2, 4}, {2, 4}}},
      // The last column: the end pixel 9 was drawn before the path came back to it.
      {"last repeats the high",
       {{0, 3}, {0, 1}, {0, 9}, {0, 5}, {0, 9}},
       {{0, 3}, {0, 1}, {0, 9}, {0, 1}, {0, 9}}},
      {"last stays on the high it reached",
       {{0, 3}, {0, 1}, {0, 4}, {0, 9}, {0, 9}},
       {{0, 3}, {0, 1}, {0, 9}, {0, 9}}},
      {"last reaches the high first time",
       {{0, 3}, {0, 1}, {0, 4}, {0, 5}, {0, 9}},
       {{0, 3}, {0, 1}, {0, 9}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Reduced(c.in), c.want) << c.what;
    EXPECT_EQ(Polyline(Reduced(c.in)), Polyline(c.in)) << c.what;
  }
}

// Random runs of every density, flat and steep, checked against the one-pixel model.
TEST(GraphColumnReduce, SamePixelsAsTheWholeRun) {
  std::mt19937 random(20240301);
  for (int trial = 0; trial < 500; ++trial) {
    int count = 1 + static_cast<int>(random() % 300);
    int columns = 1 + static_cast<int>(random() % 40);
    int height = trial % 5 == 0 ? 1 : 1 + static_cast<int>(random() % 200);
    std::vector<TPoint> run;
    for (int i = 0; i < count; ++i) {
      int x = trial % 7 == 0 ? static_cast<int>(random() % columns) : i * columns / count;
      run.push_back({x, static_cast<int>(random() % height)});
    }
    auto reduced = Reduced(run);
    ASSERT_LE(reduced.size(), run.size());
    ASSERT_EQ(Polyline(reduced), Polyline(run)) << "trial " << trial;
    if (run.size() > 4 * static_cast<std::size_t>(columns) + 1 && trial % 7 != 0) {
      EXPECT_LE(reduced.size(), 5u * columns);
    }
  }
}

TEST(GraphColumnReduce, HiddenStretchesKeepOnlyTheirEnds) {
  auto xs = [](const std::vector<TPoint>& points) {
    std::vector<std::int32_t> x;
    for (const TPoint& p : points) x.push_back(p.x);
    return x;
  };
  auto run = [](std::vector<std::int32_t> x) {
    std::vector<TPoint> points;
    for (std::size_t i = 0; i < x.size(); ++i) {
      points.push_back({x[i], static_cast<std::int32_t>(i % 7)});
    }
    return points;
  };
  struct Case {
    std::vector<std::int32_t> x;
    std::vector<std::int32_t> kept;
  };
  const Case cases[] = {
      // Into the visible columns from the left, out to the right and back.
      {{-50, -40, -30, -20, 5, 10, 200, 210, 220, 15}, {-50, -20, 5, 10, 200, 220, 15}},
      // All hidden on one side: the two ends.
      {{-9, -8, -7, -6, -5}, {-9, -5}},
      {{101, 150, 300}, {101, 300}},
      // Jumping from one side to the other crosses the visible columns: nothing goes.
      {{-10, 120, -10, 120}, {-10, 120, -10, 120}},
      // On the edges a point is visible.
      {{0, -1, 100, 101, 102, 100}, {0, -1, 100, 101, 102, 100}},
      {{}, {}},
      {{-5}, {-5}},
  };
  std::vector<TPoint> out;
  for (const Case& c : cases) {
    const std::vector<TPoint> points = run(c.x);
    DropHiddenStretches(points.data(), static_cast<std::uint32_t>(points.size()), {0, -10, 100, 10},
                        out);
    EXPECT_EQ(xs(out), c.kept) << c.x.size() << " points";
  }
  // Above and below the same way; a corner counts for both its sides.
  const std::vector<TPoint> vertical = {{5, 0},   {6, -20}, {7, -30},  {8, -40}, {9, 0},
                                        {10, 50}, {11, 60}, {200, 70}, {12, 0}};
  DropHiddenStretches(vertical.data(), static_cast<std::uint32_t>(vertical.size()),
                      {0, -10, 100, 10}, out);
  EXPECT_EQ(xs(out), (std::vector<std::int32_t>{5, 6, 8, 9, 10, 200, 12}));
  // Round a corner: above, above and right, right. Each point shares a side with both its
  // neighbours, but the first and the last share none, so one of the corner points stays.
  const std::vector<TPoint> corner = {{50, 0},  {60, -20}, {110, -20}, {120, -15},
                                      {130, 0}, {120, 5},  {40, 0}};
  DropHiddenStretches(corner.data(), static_cast<std::uint32_t>(corner.size()), {0, -10, 100, 10},
                      out);
  ASSERT_GE(out.size(), 3u);
  for (std::size_t i = 1; i < out.size(); ++i) {
    const TPoint a = out[i - 1], b = out[i];
    const bool left = a.x < 0 && b.x<0, right = a.x> 100 && b.x > 100;
    const bool above = a.y < -10 && b.y<-10, below = a.y> 10 && b.y > 10;
    const auto at = [&](TPoint q) { return std::find(corner.begin(), corner.end(), q); };
    const bool original = at(b) - at(a) == 1;
    EXPECT_TRUE(original || left || right || above || below)
        << "a new segment " << a.x << "," << a.y << " - " << b.x << "," << b.y << " may be seen";
  }
  // Beyond different sides one after the other: the segments may cross the sight.
  const std::vector<TPoint> crossing = {{-5, 0}, {50, -20}, {105, 0}, {50, 20}, {-5, 0}};
  DropHiddenStretches(crossing.data(), 5, {0, -10, 100, 10}, out);
  EXPECT_EQ(out.size(), 5u);
}

TEST(GraphColumnReduce, MarkerFilterRemembersOneColumnAndItsRows) {
  TMarkerFilter filter;
  filter.Reset(0, 100);
  EXPECT_FALSE(filter.Seen({5, 10}));
  EXPECT_TRUE(filter.Seen({5, 10}));
  EXPECT_FALSE(filter.Seen({5, 11}));
  EXPECT_FALSE(filter.Seen({6, 10}));  // a new column forgets the old one
  EXPECT_FALSE(filter.Seen({5, 10}));
  EXPECT_FALSE(filter.Seen({5, 500}));  // outside the rows: never reported
  EXPECT_FALSE(filter.Seen({5, 500}));
  EXPECT_FALSE(filter.Seen({5, -1}));
  EXPECT_FALSE(filter.Seen({5, -1}));
}

TEST(GraphColumnReduce, MarkerFilterSkipsWhatIsOutOfSight) {
  TMarkerFilter filter;
  filter.Reset(0, 100);
  EXPECT_FALSE(filter.Skip({-20, 5})) << "without a sight every marker is drawn";
  filter.SetSight({0, 0, 100, 100});
  for (TPoint outside : {TPoint{-1, 5}, TPoint{101, 5}, TPoint{50, -1}, TPoint{50, 101}}) {
    EXPECT_TRUE(filter.Skip(outside)) << outside.x << "," << outside.y;
  }
  EXPECT_FALSE(filter.Skip({100, 100})) << "the sight's edges are in sight";
  EXPECT_FALSE(filter.Skip({50, 50}));
  EXPECT_TRUE(filter.Skip({50, 50})) << "and a pixel seen is skipped";
}

}  // namespace
}  // namespace graph
