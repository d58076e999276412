#include "graph/trace_cursor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "graph/recording_canvas.h"
#include "graph/trace_lookup.h"
#include "graph_test_support.h"

namespace graph {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(PointAtOrBefore, FindsTheLastStampNotAfterTheTime) {
  const std::vector<double> times{10, 20, 20, 30};
  struct Case {
    double time;
    std::optional<std::size_t> index;
  };
  const Case cases[] = {
      {9.999, std::nullopt}, {10, 0}, {15, 0}, {20, 2}, {29.9, 2}, {30, 3}, {1e9, 3},
      {kNan, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(PointAtOrBefore(times, c.time), c.index) << c.time;
  EXPECT_EQ(PointAtOrBefore({}, 10), std::nullopt);
}

TEST(TraceValue, TakesTheLastPointsValueAndNoneInAGapBeforeTheFirstAndAfterTheCut) {
  TPlotSettings look;
  TPlot plot(look, {10, 20, 30, 40}, {1, kNan, 3, 4});
  struct Case {
    double time;
    std::optional<double> value;
  };
  const Case cases[] = {{5, std::nullopt},  {10, 1}, {19, 1}, {20, std::nullopt},
                        {29, std::nullopt}, {30, 3}, {45, 4}, {1e12, 4}};
  for (const Case& c : cases) EXPECT_EQ(TraceValue(plot, c.time), c.value) << c.time;
  plot.SetCutAfter(40);
  EXPECT_EQ(TraceValue(plot, 40), 4) << "the last value read still holds at its own time";
  EXPECT_EQ(TraceValue(plot, 40.5), std::nullopt) << "after it the server was not read";
}

TEST(StepTime, GoesToTheNeighbouringPointsWithValuesAndStopsAtTheEndsAndTheCut) {
  TPlotSettings look;
  TPlot plot(look, {10, 20, 30, 40, 50}, {1, kNan, 3, kNan, 5});
  struct Case {
    double time;
    std::int32_t direction;
    std::optional<double> to;
  };
  const Case cases[] = {
      {10, 1, 30}, {10, -1, std::nullopt}, {5, 1, 10},   {25, -1, 10}, {25, 1, 30}, {30, -1, 10},
      {30, 1, 50}, {50, 1, std::nullopt},  {60, -1, 50}, {50, -1, 30},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StepTime(plot, c.time, c.direction), c.to) << c.time << " " << c.direction;
  }
  plot.SetCutAfter(30);
  EXPECT_EQ(StepTime(plot, 30, 1), std::nullopt) << "no step into the part not read";
  EXPECT_EQ(StepTime(plot, 60, -1), 30);
}

// Labels of 40 x 10 text pixels are 46 x 16 boxes.
TTraceLabel Label(std::int32_t anchor) {
  TTraceLabel label;
  label.anchor = anchor;
  label.size = {40, 10};
  return label;
}

TEST(LayoutTraceLabels, CentresOnTheAnchorsBesideTheLineAndSwitchesSideAtTheRightEdge) {
  const TRect area{100, 50, 500, 400};
  std::vector<TTraceLabel> labels{Label(200), Label(100)};
  LayoutTraceLabels(300, area, labels);
  EXPECT_EQ(labels[0].box, (TRect{304, 192, 350, 208}));
  EXPECT_EQ(labels[1].box, (TRect{304, 92, 350, 108}));
  LayoutTraceLabels(450, area, labels);  // 454 + 46 still fits
  EXPECT_EQ(labels[0].box.left, 454);
  LayoutTraceLabels(451, area, labels);
  EXPECT_EQ(labels[0].box, (TRect{401, 192, 447, 208})) << "on the left of the line";
}

TEST(LayoutTraceLabels, LabelsNeverOverlapAndStayInsideTheAreaInTheOrderOfTheirAnchors) {
  const TRect area{100, 50, 500, 120};
  struct Case {
    std::vector<std::int32_t> anchors;
    std::vector<std::int32_t> tops;
  };
  const Case cases[] = {
      {{80, 80, 80}, {72, 88, 104}},     // equal anchors: one below the other, first first
      {{85, 80}, {88, 72}},              // the lower anchor's label below
      {{40}, {50}},                      // above the area: at its top
      {{118}, {104}},                    // near the bottom: up to fit
      {{110, 115, 118}, {72, 88, 104}},  // pushed past the bottom: all move up
      {{60, 119}, {52, 104}},
  };
  for (const Case& c : cases) {
    std::vector<TTraceLabel> labels;
    for (std::int32_t anchor : c.anchors) labels.push_back(Label(anchor));
    LayoutTraceLabels(200, area, labels);
    for (std::size_t i = 0; i < labels.size(); ++i) {
      EXPECT_EQ(labels[i].box.top, c.tops[i]) << "case " << c.anchors[0] << ", label " << i;
      EXPECT_EQ(labels[i].box.bottom - labels[i].box.top, 16);
      for (std::size_t j = 0; j < i; ++j) {
        EXPECT_TRUE(labels[i].box.top >= labels[j].box.bottom ||
                    labels[j].box.top >= labels[i].box.bottom)
            << "labels " << j << " and " << i << " overlap";
      }
    }
  }
}

TEST(TimeLabelBox, CentredOnTheLineWithinTheBandBelowOrAboveThePlots) {
  const TRect band{100, 400, 500, 440};
  EXPECT_EQ(TimeLabelBox(300, {40, 10}, band, true), (TRect{277, 400, 323, 416}));
  EXPECT_EQ(TimeLabelBox(300, {40, 10}, band, false), (TRect{277, 424, 323, 440}));
  EXPECT_EQ(TimeLabelBox(105, {40, 10}, band, true).left, 100);
  EXPECT_EQ(TimeLabelBox(499, {40, 10}, band, true).right, 500);
}

// A graph of 800 x 600 pixels with numeric axes of one pixel per unit: the plot area is
// (81, 61)-(719, 519), x = 81 + X and y = 518 - Y.
class TracedGraph : public ::testing::Test {
 protected:
  TracedGraph() {
    TGraphSettings s;
    s.Axes.clear();
    for (auto [id, location, max] : {std::tuple{1, kLeft, 457}, std::tuple{2, kBottom, 638}}) {
      TAxisSettings axis(id, location);
      axis.Format = kNumericFormat;
      axis.AutoScale = false;
      axis.MinValue = 0;
      axis.MaxValue = max;
      s.Axes.emplace(id, axis);
    }
    graph.LoadSettings(s);
  }
  TPlot* AddWave(const char16_t* name, TColor color, std::vector<double> x, std::vector<double> y) {
    TPlotSettings look;
    look.Name = name;
    look.LineColor = color;
    return graph.AddOrUpdateWave(look, std::move(x), std::move(y));
  }
  TTracePicture Picture(double time) {
    graph.Draw(dc, {0, 0, 800, 600});
    TTracePicture picture;
    BuildTracePicture(graph, {time, 2}, dc, picture);
    return picture;
  }

  TGraph graph;
  TRecordingCanvas dc;
};

TEST_F(TracedGraph, PictureShowsEachShownWavesValueInItsColourAndTheTimeOnTheAxis) {
  AddWave(u"a", Rgb(255, 0, 0), {100, 200, 300}, {100, 200, 300});
  AddWave(u"b", Rgb(0, 0, 255), {100, 250}, {50, kNan});
  AddWave(u"c", Rgb(0, 255, 0), {100}, {400})->Hide = true;
  const TTracePicture picture = Picture(260);
  ASSERT_TRUE(picture.shown);
  EXPECT_EQ(picture.line, (TRect{341, 61, 342, 519}));
  ASSERT_EQ(picture.labels.size(), 1u) << "b is in a gap, c hidden";
  EXPECT_EQ(std::u16string(picture.labels[0].text.Str()), u"200");
  EXPECT_EQ(picture.labels[0].color, Rgb(255, 0, 0));
  EXPECT_EQ(picture.labels[0].anchor, 318);
  EXPECT_EQ(picture.labels[0].box.left, 341 + kTraceLabelGap);
  EXPECT_EQ(std::u16string(picture.time.text.Str()), u"260");
  EXPECT_EQ(picture.Covered().size(), 3u);

  const TTracePicture before = Picture(150);
  ASSERT_EQ(before.labels.size(), 2u);
  EXPECT_EQ(std::u16string(before.labels[1].text.Str()), u"50");
  EXPECT_FALSE(Picture(700).shown) << "beyond the time axis's range";
}

TEST_F(TracedGraph, DrawingPutsTheLineAndFramedTextsInTheirColours) {
  AddWave(u"a", Rgb(255, 0, 0), {100, 200}, {100, 200});
  const TTracePicture picture = Picture(150);
  TRecordingCanvas out;
  DrawTracePicture(out, picture);
  const auto fills = testing::OpsOf(out, TOpKind::FillRect);
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills[0]->rect, picture.line);
  EXPECT_EQ(fills[0]->color, picture.lineColor);
  const TCanvasOp* value = testing::TextOp(out, u"100");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->font.color, Rgb(255, 0, 0));
  const auto frames = testing::OpsOf(out, TOpKind::Rectangle);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0]->rect, picture.labels[0].box);
  EXPECT_EQ(frames[0]->pen.color, Rgb(255, 0, 0));
  EXPECT_NE(testing::TextOp(out, u"150"), nullptr) << "the time";
}

TEST_F(TracedGraph, CursorFollowsTheAxisStepsOnTheNearestWaveAndStopsAtItsRange) {
  AddWave(u"low", Rgb(255, 0, 0), {100, 200, 300}, {10, 20, 30});
  AddWave(u"high", Rgb(0, 0, 255), {150, 250, 700}, {400, 410, 420});
  graph.Draw(dc, {0, 0, 800, 600});
  TTraceCursor cursor;
  ASSERT_TRUE(TraceCursorAt(graph, 281, cursor));
  EXPECT_EQ(cursor.axisId, 2);
  EXPECT_DOUBLE_EQ(cursor.time, 200);
  ASSERT_TRUE(TraceCursorAt(graph, 5, cursor));
  EXPECT_DOUBLE_EQ(cursor.time, 0) << "kept within the axis's line";

  cursor.time = 200;
  EXPECT_EQ(NearestTracedPlot(graph, cursor, 500)->Name, TString(u"low"));
  EXPECT_EQ(NearestTracedPlot(graph, cursor, 100)->Name, TString(u"high"));
  cursor.time = 50;
  EXPECT_EQ(NearestTracedPlot(graph, cursor, 100), nullptr) << "no value before the first points";

  cursor.time = 160;
  const TPlot& high = *graph.FindPlot(u"high");
  ASSERT_TRUE(StepTraceCursor(graph, high, 1, cursor));
  EXPECT_DOUBLE_EQ(cursor.time, 250);
  EXPECT_FALSE(StepTraceCursor(graph, high, 1, cursor)) << "700 lies beyond the axis's 638";
  EXPECT_DOUBLE_EQ(cursor.time, 250);
  ASSERT_TRUE(StepTraceCursor(graph, high, -1, cursor));
  EXPECT_DOUBLE_EQ(cursor.time, 150);
  EXPECT_FALSE(StepTraceCursor(graph, high, -1, cursor));
}

}  // namespace
}  // namespace graph
