// A long wave drawn from per-column extremes against the same wave drawn from every raw value:
// the simulator's value model gives both the raw values and the aggregates a server answers, the
// plan says what to ask for, and the two drawings must leave the same pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graph/envelope_builder.h"
#include "graph/envelope_plan.h"
#include "graph/graph.h"
#include "graph/time_columns.h"
#include "opc/opc_codes.h"
#include "tools/hdasim/core/aggregates.h"
#include "tools/hdasim/core/catalog.h"
#include "tools/hdasim/core/history.h"
#include "ui/gdi_canvas.h"
#include "ui/memory_bitmap.h"
#include "tests/graph_gdi/pixel_compare.h"

namespace {

using graph::TEnvelopeSample;
using hdasim::Ticks;

constexpr Ticks kTicksPerMs = hdasim::kTicksPerMillisecond;
constexpr Ticks kEpochTicks = 11644473600000LL * kTicksPerMs;  // 1601 to 1970

double StampOf(Ticks t) { return static_cast<double>(t / kTicksPerMs) - 11644473600000.0; }

std::optional<TEnvelopeSample> SampleOf(const hdasim::Sample& s) {
  if ((s.quality & OPCHDA_NODATA) != 0) return std::nullopt;
  const std::optional<double> x = hdasim::NumericValue(s.value);
  if (!x) return std::nullopt;
  return TEnvelopeSample{static_cast<std::uint64_t>(s.time), StampOf(s.time), *x};
}

std::vector<TEnvelopeSample> RawValues(const hdasim::ItemHistory& history, Ticks from, Ticks to) {
  std::vector<TEnvelopeSample> out;
  for (auto s = history.AtOrAfter(from); s && s->time < to; s = history.After(s->time)) {
    if (auto sample = SampleOf(*s)) out.push_back(*sample);
  }
  return out;
}

// One aggregate over `count` intervals of `step` from `from`, as a server would answer it.
std::vector<std::optional<TEnvelopeSample>> Aggregate(const hdasim::ItemHistory& history,
                                                      std::uint32_t aggregate, Ticks from,
                                                      Ticks step, std::uint32_t count) {
  std::vector<std::optional<TEnvelopeSample>> out(count);
  if (count == 0) return out;
  std::vector<hdasim::AggregateInterval> intervals;
  hdasim::MakeIntervals(from, from + step * count, step, 100000, &intervals);
  const hdasim::ProcessedResult result = hdasim::ReadProcessed(history, aggregate, intervals);
  for (std::uint32_t i = 0; i < count && i < result.values.size(); ++i) {
    out[i] = SampleOf(result.values[i]);
  }
  return out;
}

// The answers to the plan, from the value model; `stretch` lengthens the intervals (by 100 ns
// units) to show that the drawing depends on them.
graph::TEnvelope EnvelopeOf(const hdasim::ItemHistory& history, const graph::TEnvelopePlan& plan,
                            Ticks stretch = 0) {
  graph::TEnvelopeParts parts;
  const Ticks from = static_cast<Ticks>(plan.columnsFrom);
  const Ticks step = static_cast<Ticks>(plan.step) + stretch;
  auto first = Aggregate(history, hdasim::kAggStart, from, step, plan.columns);
  auto last = Aggregate(history, hdasim::kAggEnd, from, step, plan.columns);
  auto low = Aggregate(history, hdasim::kAggMinimumActualTime, from, step, plan.columns);
  auto high = Aggregate(history, hdasim::kAggMaximumActualTime, from, step, plan.columns);
  for (std::uint32_t i = 0; i < plan.columns; ++i) {
    parts.columns.push_back({first[i], last[i], low[i], high[i]});
  }
  auto raw = [&](const graph::TTickSpan& span) {
    return span.Empty()
               ? std::vector<TEnvelopeSample>{}
               : RawValues(history, static_cast<Ticks>(span.from), static_cast<Ticks>(span.to));
  };
  parts.head = raw(plan.head);
  parts.tail = raw(plan.tail);
  auto outside = [&](const graph::TTickSpan& span, std::uint32_t neighbour,
                     std::optional<TEnvelopeSample>& value) {
    if (span.Empty()) return;
    const Ticks width = static_cast<Ticks>(span.to - span.from);
    value = Aggregate(history, neighbour, static_cast<Ticks>(span.from), width, 1)[0];
    if (neighbour == hdasim::kAggStart) {
      parts.last = Aggregate(history, hdasim::kAggEnd, static_cast<Ticks>(span.from), width, 1)[0];
    }
    for (std::uint32_t a : {hdasim::kAggMinimumActualTime, hdasim::kAggMaximumActualTime}) {
      if (auto s = Aggregate(history, a, static_cast<Ticks>(span.from), width, 1)[0]) {
        parts.outsideExtremes.push_back(*s);
      }
    }
  };
  outside(plan.before, hdasim::kAggEnd, parts.before);
  outside(plan.after, hdasim::kAggStart, parts.after);
  graph::TEnvelope envelope;
  graph::AssembleEnvelope(parts, envelope);
  return envelope;
}

struct Case {
  const wchar_t* item;
  Ticks from;  // the period
  Ticks span;
  Ticks shownFrom;  // the time axis, within the period (zoomed) or the period itself (0)
  Ticks shownSpan;
  int width;
  int lineType;
  int lineWidth;
};

std::string Name(const Case& c) {
  std::string name(c.item, c.item + std::wcslen(c.item));
  return name + " span " + std::to_string(c.span / hdasim::kTicksPerSecond) + " s, width " +
         std::to_string(c.width) + ", line " + std::to_string(c.lineType) + "/" +
         std::to_string(c.lineWidth) + (c.shownSpan ? ", zoomed" : "");
}

struct Drawing {
  std::unique_ptr<ui::MemoryBitmap> raw, extremes;
  bool exactGrid = false;
  bool allRaw = false;  // the envelope kept every value inside the grid
};

// Where the envelope comes from: the server's aggregates (`stretch` as for EnvelopeOf), or every
// raw value of the period put through the builder, which keeps up to `rawLimit` of the grid's.
struct Source {
  Ticks stretch = 0;
  bool builder = false;
  std::size_t rawLimit = 32000;
};

// Draws the case both ways: from every raw value (with markers where the envelope keeps them all,
// as a plot of raw values draws them) and from the envelope.
void Draw(const Case& c, Drawing& d, const Source& source = {}) {
  const hdasim::Catalog& catalog = hdasim::TheCatalog();
  const std::optional<int> index = catalog.FindItem(c.item);
  ASSERT_TRUE(index) << Name(c);
  const hdasim::ItemHistory history(catalog.Item(*index), nullptr, c.from + c.span + 1000);
  const Ticks to = c.from + c.span;
  const std::vector<TEnvelopeSample> all = RawValues(history, c.from, to);
  ASSERT_GT(all.size(), 32000u) << Name(c);

  auto graphOf = [&](graph::TGraph& g, std::vector<double> x, std::vector<double> y, double yLower,
                     double yUpper, bool asRaw = false) {
    graph::TPlotSettings::SetDefaultCountForTesting(0);
    graph::TPlotSettings look;
    look.Name = u"wave";
    look.LineType = c.lineType;
    look.LineWidth = c.lineWidth;
    graph::TPlot* plot = g.AddOrUpdateWave(look, {}, {});
    graph::TEnvelope envelope;
    envelope.xLower = x.empty() ? 0 : x.front();
    envelope.xUpper = x.empty() ? 0 : x.back();
    envelope.yLower = yLower;
    envelope.yUpper = yUpper;
    envelope.x = std::move(x);
    envelope.y = std::move(y);
    envelope.allRaw = asRaw;
    plot->SetEnvelope(std::move(envelope), all.size());
    const Ticks shownFrom = c.shownSpan ? c.shownFrom : c.from;
    const Ticks shownTo = shownFrom + (c.shownSpan ? c.shownSpan : c.span);
    g.SetTimeLimits(StampOf(shownFrom), StampOf(shownTo));
    g.SetTimeAxesAutomatic();
  };
  auto render = [&](graph::TGraph& g, std::unique_ptr<ui::MemoryBitmap>& bitmap) {
    bitmap = std::make_unique<ui::MemoryBitmap>(c.width, 300);
    ui::GdiCanvas canvas(bitmap->Dc(), false);
    g.Draw(canvas, {0, 0, c.width, 300});
    GdiFlush();
  };

  std::vector<double> x, y;
  double yLower = 1e300, yUpper = -1e300;
  for (const TEnvelopeSample& s : all) {
    x.push_back(s.stamp);
    y.push_back(s.value);
    yLower = std::min(yLower, s.value);
    yUpper = std::max(yUpper, s.value);
  }
  // The grid comes from the time axis as the graph of the raw values lays it out.
  graph::TGraph rawGraph;
  graphOf(rawGraph, x, y, yLower, yUpper);
  render(rawGraph, d.raw);
  const graph::TAxis& axis = *rawGraph.FindPlot(u"wave")->XAxis();
  const auto grid = graph::WholeMsColumns(axis.XMap(), axis.X0() - 16, axis.X1() + 16);
  ASSERT_TRUE(grid) << Name(c);
  d.exactGrid = true;
  const auto plan = graph::PlanEnvelope(*grid, static_cast<std::uint64_t>(c.from),
                                        static_cast<std::uint64_t>(to));
  ASSERT_TRUE(plan) << Name(c);
  graph::TEnvelope envelope;
  if (source.builder) {
    graph::TEnvelopeBuilder builder(*plan, source.rawLimit);
    for (const TEnvelopeSample& s : all) builder.Add(s);
    builder.Finish(envelope);
  } else {
    envelope = EnvelopeOf(history, *plan, source.stretch);
  }
  d.allRaw = envelope.allRaw;
  if (!envelope.allRaw) {
    EXPECT_LT(envelope.x.size(), all.size() / 4) << Name(c);
  }
  EXPECT_EQ(envelope.yLower, yLower) << Name(c);
  EXPECT_EQ(envelope.yUpper, yUpper) << Name(c);

  if (envelope.allRaw) {
    graph::TGraph markedGraph;
    graphOf(markedGraph, std::move(x), std::move(y), yLower, yUpper, true);
    render(markedGraph, d.raw);
  }
  graph::TGraph extremeGraph;
  graphOf(extremeGraph, std::move(envelope.x), std::move(envelope.y), envelope.yLower,
          envelope.yUpper, envelope.allRaw);
  render(extremeGraph, d.extremes);
}

constexpr Ticks kSecond = hdasim::kTicksPerSecond;
constexpr Ticks kDay = hdasim::kTicksPerDay;
const Ticks kMonday = hdasim::MakeTicks(2026, 11, 30, 9, 17, 23);

const Case kCases[] = {
    {L"Waves/Random walk 1s", kMonday, 7 * kDay, 0, 0, 1600, 1, 1},
    {L"Waves/Random walk 1s", kMonday, kDay, 0, 0, 300, 1, 1},
    {L"Waves/Random walk 1s", kMonday, 7 * kDay + 13 * kSecond, 0, 0, 977, 1, 3},
    {L"Waves/Random walk 1s", kMonday, 30 * kDay, 0, 0, 1200, 1, 1},
    {L"Waves/Sine 1s", kMonday, 7 * kDay, 0, 0, 1000, 1, 1},
    {L"Waves/Sine 1s", kMonday, kDay + 7 * kSecond, 0, 0, 640, 2, 1},
    {L"Waves/Square 1s", kMonday, kDay, 0, 0, 800, 5, 1},
    {L"Waves/Saw 1s", kMonday, 3 * kDay, 0, 0, 1333, 1, 2},
    {L"Waves/Triangle 1s", kMonday, kDay, 0, 0, 500, 3, 1},
    {L"Waves/Random walk 100ms", kMonday, kDay, 0, 0, 1500, 1, 1},
    {L"Dense/Ramp 5ms", kMonday, 2 * 3600 * kSecond, 0, 0, 1201, 1, 1},
    {L"Gaps/Last 20s of each minute 1s", kMonday, 2 * kDay, 0, 0, 900, 1, 1},
    {L"Gaps/10min of each hour 10s", kMonday, 30 * kDay, 0, 0, 700, 6, 1},
    {L"Types/I2", kMonday, kDay, 0, 0, 600, 1, 1},
    {L"Types/R4", kMonday, kDay, 0, 0, 600, 4, 1},
    // Zoomed into a part of the period: the lines into and out of the shown range come from the
    // values beyond it, the value axis from the whole period.
    {L"Waves/Random walk 1s", kMonday, 7 * kDay, kMonday + 2 * kDay + 17 * kSecond, kDay, 1100, 1,
     1},
    {L"Waves/Sine 1s", kMonday, 7 * kDay, kMonday + 5 * kDay, 20 * 3600 * kSecond, 720, 1, 1},
    // Steps carry the period's last value to the plot's right edge, from beyond it.
    {L"Waves/Sine 1s", kMonday, 3 * kDay, kMonday + kDay, 20 * 3600 * kSecond, 640, 2, 1},
    {L"Waves/Random walk 1s", kMonday, 3 * kDay, kMonday + kDay, kDay, 800, 5, 1},
    {L"Waves/Saw 1s", kMonday, 3 * kDay, kMonday + kDay, kDay, 800, 6, 1},
};

TEST(EnvelopePixels, ExtremesDrawEveryRawValuesPixels) {
  for (const Case& c : kCases) {
    Drawing d;
    Draw(c, d);
    if (!d.exactGrid) continue;
    const TComparison result = Compare(*d.extremes, *d.raw);
    EXPECT_EQ(result.differing, 0) << Name(c);
    EXPECT_GT(result.inked, 0) << Name(c);
  }
}

// A server without the aggregates: every raw value of the period goes through the builder, which
// keeps the grid's values while they are few (zoomed in: markers and all) and otherwise folds
// them into the columns' extremes. Either way the pixels are those of every raw value.
TEST(EnvelopePixels, RawValuesFoldedAsTheyArriveDrawEveryRawValuesPixels) {
  const Case folded[] = {
      {L"Waves/Random walk 1s", kMonday, 7 * kDay, 0, 0, 1600, 1, 1},
      {L"Waves/Square 1s", kMonday, kDay, 0, 0, 800, 5, 1},
      {L"Gaps/Last 20s of each minute 1s", kMonday, 2 * kDay, 0, 0, 900, 1, 1},
      {L"Waves/Sine 1s", kMonday, 7 * kDay, kMonday + 5 * kDay, 20 * 3600 * kSecond, 720, 1, 1},
  };
  for (const Case& c : folded) {
    Drawing d;
    Draw(c, d, {.builder = true});
    ASSERT_TRUE(d.exactGrid) << Name(c);
    EXPECT_FALSE(d.allRaw) << Name(c);
    EXPECT_EQ(Compare(*d.extremes, *d.raw).differing, 0) << Name(c);
  }
  const Case kept[] = {
      {L"Waves/Random walk 1s", kMonday, 7 * kDay, kMonday + 2 * kDay + 17 * kSecond,
       6 * 3600 * kSecond, 1100, 1, 1},
      {L"Waves/Sine 1s", kMonday, 3 * kDay, kMonday + kDay, 1800 * kSecond, 640, 2, 1},
  };
  for (const Case& c : kept) {
    Drawing d;
    Draw(c, d, {.builder = true});
    ASSERT_TRUE(d.exactGrid) << Name(c);
    EXPECT_TRUE(d.allRaw) << Name(c);
    const TComparison result = Compare(*d.extremes, *d.raw);
    EXPECT_EQ(result.differing, 0) << Name(c);
    EXPECT_GT(result.inked, 0) << Name(c);
  }
}

// Intervals one 100-ns unit too long drift off the pixel columns: where a column boundary falls
// on a sample (every 5 ms here), the sample goes to the column before, whose last value the
// ramp's next rise then hides.
TEST(EnvelopePixels, IntervalsOneUnitTooLongDiffer) {
  const Case c{L"Dense/Ramp 5ms", kMonday, 2 * 3600 * kSecond, 0, 0, 1201, 1, 1};
  Drawing d;
  Draw(c, d, {.stretch = 1});
  ASSERT_TRUE(d.exactGrid);
  EXPECT_GT(Compare(*d.extremes, *d.raw).differing, 0);
}

TEST(EnvelopePlan, ReadsTheCutColumnsAndTheLastColumnRaw) {
  graph::TColumnGrid grid;
  grid.firstStamp = 1000;
  grid.stepMs = 10;
  grid.count = 100;  // stamps 1000 .. 2000
  auto ticks = [](double stamp) { return graph::TicksOfWholeMs(stamp); };
  struct Row {
    double from, to;
    double columnsFrom;
    std::uint32_t columns;
    double headFrom, tailTo;
    bool before, after;
  };
  const Row rows[] = {
      {1000, 2000, 1000, 99, 1000, 2000, false, false},  // the period is the grid
      {1005, 2000, 1010, 98, 1005, 2000, false, false},  // starts inside column 0
      {900, 2100, 1000, 100, 1000, 2000, true, true},    // zoomed: values beyond on both sides
      {1000, 1995, 1000, 98, 1000, 1995, false, false},  // ends inside the last column
  };
  for (const Row& r : rows) {
    const auto plan = graph::PlanEnvelope(grid, ticks(r.from), ticks(r.to));
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->columnsFrom, ticks(r.columnsFrom)) << r.from << " " << r.to;
    EXPECT_EQ(plan->columns, r.columns) << r.from << " " << r.to;
    EXPECT_EQ(plan->step, 10u * graph::kTicksPerMs);
    EXPECT_EQ(plan->head.from, ticks(r.headFrom));
    EXPECT_EQ(plan->head.to, plan->columnsFrom);
    EXPECT_EQ(plan->tail.from, plan->columnsFrom + plan->step * plan->columns);
    EXPECT_EQ(plan->tail.to, ticks(r.tailTo));
    EXPECT_EQ(!plan->before.Empty(), r.before);
    EXPECT_EQ(!plan->after.Empty(), r.after);
  }
  EXPECT_FALSE(graph::PlanEnvelope(grid, ticks(2000), ticks(2500)));
  EXPECT_FALSE(graph::PlanEnvelope(grid, ticks(500), ticks(1000)));
}

}  // namespace
