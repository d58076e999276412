// Long waves read as per-column extremes from the simulator through Ambrel: what comes back
// holds each column's first, last, lowest and highest raw value, and servers or items that
// cannot give them exactly are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "hda/connection_list.h"
#include "tests/hda/hda_test_support.h"

namespace hda_test {
namespace {

constexpr double kWeek = 7 * 86400 * kSecond;
constexpr double kDay = 86400 * kSecond;

// A week in 1500 columns of 403.2 s from the period's start, as a time axis of that width maps it.
graph::TColumnGrid WeekGrid(double start) {
  graph::TColumnGrid grid;
  grid.firstStamp = start;
  grid.stepMs = static_cast<std::int64_t>(kWeek / 1500);
  grid.count = 1500;
  return grid;
}

class EnvelopeRead : public ::testing::Test {
 protected:
  // The week's grid; the period is the week unless given.
  // `density`: values a second the wave is known to hold (0: none known).
  bool Envelope(const char16_t* server, const char16_t* item, graph::TEnvelope& envelope,
                double start = kJune2021, double span = kWeek, double density = 0,
                const graph::TColumnGrid& grid = WeekGrid(kJune2021)) {
    HdaServerDef def;
    def.ServerName = server;
    if (list_.Count() == 0 || !list_.At(0).Server().SameServer(def)) {
      list_.RemoveAll();
      EXPECT_TRUE(list_.Add(def));
    }
    TWave wave;
    wave.ServerName = server;
    wave.ItemName = item;
    if (density > 0) {
      // As many values over the first 1000 s as the density says.
      const std::size_t n = std::max<std::size_t>(2, static_cast<std::size_t>(1000 * density));
      for (std::size_t i = 0; i < n; ++i) {
        wave.T.push_back(start +
                         1000 * kSecond * static_cast<double>(i) / static_cast<double>(n - 1));
      }
      wave.Y.assign(n, 0);
    }
    return list_.ReadEnvelope(list_.Id(0), wave, grid, start, start + span, envelope,
                              [this](std::uint64_t count) { progress_.push_back(count); });
  }

  TWave Raw(const char16_t* item, double start, double stop) {
    TWave wave;
    wave.ServerName = list_.At(0).Server().ServerName;
    wave.ItemName = item;
    EXPECT_FALSE(list_.ReadWave(list_.Id(0), wave, start, stop));
    return wave;
  }

  TRecordingMessages messages_;
  THdaConnectionList list_{messages_};
  std::vector<std::uint64_t> progress_;
};

// For the servers that read whole or in pieces of 1000: every column sampled is represented by
// its four values, in time order.
TEST_F(EnvelopeRead, ColumnsHoldTheirFirstLastLowestAndHighestValues) {
  for (const char16_t* server : {kServer1, kServer1000}) {
    graph::TEnvelope envelope;
    ASSERT_TRUE(Envelope(server, u"Waves/Random walk 1s", envelope));
    ASSERT_EQ(envelope.x.size(), envelope.y.size());
    EXPECT_GE(envelope.x.size(), 1500u * 2);
    // The period's last column comes raw: 403 values.
    EXPECT_LE(envelope.x.size(), 1499u * 4 + 404);
    EXPECT_TRUE(std::is_sorted(envelope.x.begin(), envelope.x.end()));
    EXPECT_EQ(envelope.x.front(), kJune2021);
    EXPECT_EQ(envelope.x.back(), kJune2021 + kWeek - kSecond);
    const graph::TColumnGrid grid = WeekGrid(kJune2021);
    for (std::int32_t column : {0, 1, 700, 1498, 1499}) {
      const double from = grid.StampAt(column), to = grid.StampAt(column + 1);
      const TWave raw = Raw(u"Waves/Random walk 1s", from, to);
      ASSERT_FALSE(raw.Y.empty());
      // The first occurrence of each extreme, as the aggregates stamp them.
      const auto low = std::min_element(raw.Y.begin(), raw.Y.end());
      const auto high = std::max_element(raw.Y.begin(), raw.Y.end());
      auto has = [&](double t, double y) {
        for (std::size_t i = 0; i < envelope.x.size(); ++i) {
          if (envelope.x[i] == t && envelope.y[i] == y) return true;
        }
        return false;
      };
      const std::string where = "column " + std::to_string(column);
      EXPECT_TRUE(has(raw.T.front(), raw.Y.front())) << where;
      EXPECT_TRUE(has(raw.T.back(), raw.Y.back())) << where;
      EXPECT_TRUE(has(raw.T[low - raw.Y.begin()], *low)) << where;
      EXPECT_TRUE(has(raw.T[high - raw.Y.begin()], *high)) << where;
      EXPECT_LE(envelope.yLower, *low);
      EXPECT_GE(envelope.yUpper, *high);
    }
  }
}

// A period wider than the grid (a zoomed time axis): the values next to the grid come along, and
// the bounds are those of the whole period.
TEST_F(EnvelopeRead, BeyondTheGridTheNeighboursAndTheWholePeriodsBounds) {
  graph::TEnvelope zoomed;
  ASSERT_TRUE(Envelope(kServer1, u"Waves/Sine 1s", zoomed, kJune2021 - 3 * kDay, kWeek + 6 * kDay));
  ASSERT_GE(zoomed.x.size(), 3u);
  EXPECT_EQ(zoomed.x.front(), kJune2021 - kSecond) << "the last value before the grid";
  EXPECT_EQ(zoomed.x[zoomed.x.size() - 2], kJune2021 + kWeek) << "the first value after the grid";
  EXPECT_EQ(zoomed.x.back(), kJune2021 + kWeek + 3 * kDay - kSecond) << "the period's last value";
  EXPECT_FALSE(zoomed.allRaw);
  EXPECT_EQ(zoomed.yLower, -100);
  EXPECT_EQ(zoomed.yUpper, 100);
}

// Zoomed in to a grid of few values (two hours of a 1 s item in 1500 columns of 4.8 s), the
// wave's known density says they fit: they come raw, every one, between the neighbours.
TEST_F(EnvelopeRead, AGridOfFewValuesComesRawBetweenItsNeighbours) {
  graph::TColumnGrid grid;
  grid.firstStamp = kJune2021 + kDay;
  grid.stepMs = 4800;
  grid.count = 1500;
  graph::TEnvelope envelope;
  ASSERT_TRUE(
      Envelope(kServer1000, u"Waves/Random walk 1s", envelope, kJune2021, kWeek, 1.0, grid));
  EXPECT_TRUE(envelope.allRaw);
  const TWave raw = Raw(u"Waves/Random walk 1s", grid.firstStamp, grid.EndStamp());
  ASSERT_EQ(raw.T.size(), 7200u);
  ASSERT_EQ(envelope.x.size(), 7200u + 3) << "before, the grid's values, after, the last";
  EXPECT_EQ(envelope.x.front(), grid.firstStamp - kSecond);
  for (std::size_t i = 0; i < raw.T.size(); ++i) {
    ASSERT_EQ(envelope.x[i + 1], raw.T[i]) << i;
    ASSERT_EQ(envelope.y[i + 1], raw.Y[i]) << i;
  }
  // A density that promises too little is caught by the read's limit: extremes instead.
  graph::TEnvelope week;
  ASSERT_TRUE(Envelope(kServer1, u"Waves/Random walk 1s", week, kJune2021, kWeek, 0.01));
  EXPECT_FALSE(week.allRaw);
  EXPECT_LT(week.x.size(), 1500u * 4 + 404);
}

// A server without the extremes has every raw value read and folded into the same points its
// aggregates would have given; beyond the budget the wave is cut at the last value read.
TEST_F(EnvelopeRead, WithoutExtremesTheRawValuesGiveTheSamePointsUpToTheBudget) {
  graph::TEnvelope fromExtremes, fromRaw;
  ASSERT_TRUE(Envelope(kServer1, u"Waves/Random walk 1s", fromExtremes));
  ASSERT_TRUE(Envelope(u"Varnel.HdaSim.17", u"Waves/Random walk 1s", fromRaw));
  EXPECT_EQ(fromRaw.x, fromExtremes.x);
  EXPECT_EQ(fromRaw.y, fromExtremes.y);
  EXPECT_EQ(fromRaw.yLower, fromExtremes.yLower);
  EXPECT_EQ(fromRaw.yUpper, fromExtremes.yUpper);
  EXPECT_TRUE(std::isnan(fromRaw.cutAfter));
  // Told at least every 100000 values and a call's answer (32000 here).
  ASSERT_FALSE(progress_.empty());
  EXPECT_GE(progress_.front(), 100000u);
  EXPECT_LT(progress_.front(), 132000u);
  EXPECT_GE(progress_.back(), 604800u - 132000u);

  // 30 days of a 1 s item: 2592000 values, of which the budget reads 2000000.
  graph::TEnvelope month;
  ASSERT_TRUE(Envelope(u"Varnel.HdaSim.17", u"Waves/Sine 1s", month, kJune2021, 30 * kDay));
  EXPECT_EQ(month.cutAfter, kJune2021 + 1999999 * kSecond);
  EXPECT_LE(month.x.back(), month.cutAfter);
}

// The period's bounds, read before any grid is known, are those every envelope of the period
// takes (the value axis then keeps its range when the extremes come); none where the envelope
// would be refused or the server gives no extremes.
TEST_F(EnvelopeRead, ThePeriodsBoundsAreThoseOfItsEnvelope) {
  const char16_t* items[] = {u"Waves/Random walk 1s", u"Waves/Sine 1s", u"Types/I2"};
  for (int i = 0; i < 3; ++i) {
    const char16_t* item = items[i];
    SCOPED_TRACE(i);
    graph::TEnvelope envelope;
    ASSERT_TRUE(Envelope(kServer1, item, envelope));
    TWave wave;
    wave.ServerName = kServer1;
    wave.ItemName = item;
    const auto bounds = list_.ReadBounds(list_.Id(0), wave, kJune2021, kJune2021 + kWeek);
    ASSERT_TRUE(bounds.has_value());
    EXPECT_EQ(bounds->lower, envelope.yLower);
    EXPECT_EQ(bounds->upper, envelope.yUpper);
  }
  graph::TEnvelope envelope;
  ASSERT_FALSE(Envelope(kServer1, u"Qualities/Cycling 1s", envelope));
  TWave wave;
  wave.ServerName = kServer1;
  wave.ItemName = u"Qualities/Cycling 1s";
  EXPECT_FALSE(list_.ReadBounds(list_.Id(0), wave, kJune2021, kJune2021 + kWeek).has_value());
  ASSERT_TRUE(Envelope(u"Varnel.HdaSim.17", u"Waves/Sine 1s", envelope));
  wave.ServerName = u"Varnel.HdaSim.17";
  wave.ItemName = u"Waves/Sine 1s";
  EXPECT_FALSE(list_.ReadBounds(list_.Id(0), wave, kJune2021, kJune2021 + kWeek).has_value());
}

// Once the period's bounds were read, a zoomed envelope takes them instead of reading the
// extremes on either side of its grid: the same points and the same bounds.
TEST_F(EnvelopeRead, KnownPeriodBoundsStandForTheExtremesOutsideTheGrid) {
  const double start = kJune2021 - 3 * kDay, stop = kJune2021 + kWeek + 3 * kDay;
  for (const char16_t* item : {u"Waves/Random walk 1s", u"Waves/Sine 1s"}) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(item[7]));
    graph::TEnvelope read;
    ASSERT_TRUE(Envelope(kServer1, item, read, start, stop - start));
    TWave wave;
    wave.ServerName = kServer1;
    wave.ItemName = item;
    const auto bounds = list_.ReadBounds(list_.Id(0), wave, start, stop);
    ASSERT_TRUE(bounds.has_value());
    graph::TEnvelope taken;
    ASSERT_TRUE(Envelope(kServer1, item, taken, start, stop - start));
    EXPECT_EQ(taken.x, read.x);
    EXPECT_EQ(taken.y, read.y);
    EXPECT_EQ(taken.yLower, read.yLower);
    EXPECT_EQ(taken.yUpper, read.yUpper);
    EXPECT_EQ(taken.yLower, bounds->lower);
    EXPECT_EQ(taken.yUpper, bounds->upper);
  }
}

TEST_F(EnvelopeRead, ServersAndItemsWithoutExactExtremesAreRefused) {
  struct Row {
    const char16_t* server;
    const char16_t* item;
    const char* why;
  };
  const Row rows[] = {
      {kServer1, u"Qualities/Cycling 1s", "extremes of the good values only"},
      {kServer1, u"Types/BOOL", "true is -1 to the wave reader"},
      {kServer1, u"Types/EMPTY", "no numbers"},
  };
  for (const Row& row : rows) {
    graph::TEnvelope envelope;
    EXPECT_FALSE(Envelope(row.server, row.item, envelope)) << row.why;
  }
}

}  // namespace
}  // namespace hda_test
