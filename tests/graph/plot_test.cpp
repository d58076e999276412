#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "graph/axis.h"
#include "graph/plot.h"
#include "graph/plot_run.h"
#include "graph_test_support.h"

namespace graph {
namespace {

using testing::OpsOf;

TEST(GraphPlotSettings, PaletteFollowsTheProcessWideCounter) {
  TPlotSettings::SetDefaultCountForTesting(6);
  TPlotSettings a, b, c;
  EXPECT_EQ(a.LineColor, Rgb(255, 0, 128));
  EXPECT_EQ(b.LineColor, Rgb(75, 0, 130));
  EXPECT_EQ(b.FillColor, Rgb(192, 139, 255));
  EXPECT_EQ(c.LineColor, Rgb(255, 0, 0));  // the ninth wraps to the first entry
  EXPECT_EQ(c.MarkerColor, c.LineColor);
  TPlotSettings copy(c);  // copies do not count
  EXPECT_EQ(TPlotSettings::DefaultCount(), 9u);
  c.Initialise(11);
  EXPECT_EQ(c.LineColor, Rgb(0, 0, 255));
  EXPECT_EQ(c.FillColor, Rgb(0, 192, 255));
}

TEST(GraphPlot, BoundsSkipNonFiniteValues) {
  TPlot plot(TPlotSettings{}, {1, NAN, 3, INFINITY}, {5, 2, NAN, -1});
  EXPECT_EQ(plot.XLower(), 1);
  EXPECT_EQ(plot.XUpper(), 3);
  EXPECT_EQ(plot.YLower(), -1);
  EXPECT_EQ(plot.YUpper(), 5);
  TPlot empty(TPlotSettings{}, {NAN}, {NAN});
  EXPECT_GT(empty.XLower(), empty.XUpper());
}

// A plot against axes laid out at fixed pixels: x 100..200 for 0..100, y 300..100 for 0..100.
struct PlotFixture {
  PlotFixture() {
    map.emplace(1, TAxisSettings(1, kLeft));
    map.emplace(2, TAxisSettings(2, kBottom));
    for (auto& [id, s] : map) {
      s.AutoScale = false;
      s.MinValue = 0;
      s.MaxValue = 100;
    }
    y = std::make_unique<TLeftAxis>(map, 1);
    x = std::make_unique<TBottomAxis>(map, 2);
    x->UpdateScale();
    y->UpdateScale();
    x->SetLine(100, 400, 200, 400);
    y->SetLine(50, 300, 50, 100);
  }
  void Draw(std::int32_t lineType, std::int32_t marker, std::vector<double> xs,
            std::vector<double> ys) {
    TPlotSettings look;
    look.LineType = lineType;
    look.MarkerShape = marker;
    plot = std::make_unique<TPlot>(look, std::move(xs), std::move(ys));
    plot->SetAxes(x.get(), y.get());
    dc.Clear();
    plot->Draw(dc);
  }
  TAxisSettingsMap map;
  std::unique_ptr<TAxis> x, y;
  std::unique_ptr<TPlot> plot;
  TRecordingCanvas dc;
};

struct LineTypeCase {
  std::int32_t lineType;
  TOpKind kind;
  std::vector<std::vector<TPoint>> want;  // points of each recorded op of that kind
};

TEST(GraphPlot, LineTypesDrawTheirExactShapes) {
  // Points (0,0), (10,50), (20,20) map to (100,300), (110,200), (120,260); zero is y 300.
  const LineTypeCase cases[] = {
      {kLines, TOpKind::Polyline, {{{100, 300}, {110, 200}, {120, 260}}}},
      {7, TOpKind::Polyline, {{{100, 300}, {110, 200}, {120, 260}}}},
      {kHorizontalLines,
       TOpKind::Line,
       {{{100, 300}, {110, 300}},
        {{110, 300}, {110, 200}},
        {{110, 200}, {120, 200}},
        {{120, 200}, {120, 260}},
        {{120, 260}, {199, 260}}}},
      {kLinesToZero,
       TOpKind::Line,
       {{{100, 300}, {100, 300}}, {{110, 300}, {110, 200}}, {{120, 300}, {120, 260}}}},
      {kCityScape,
       TOpKind::Line,
       {{{100, 300}, {100, 300}},
        {{100, 300}, {110, 300}},
        {{110, 300}, {110, 200}},
        {{110, 200}, {120, 200}},
        {{120, 200}, {120, 260}},
        {{120, 260}, {199, 260}},
        {{199, 260}, {199, 300}}}},
      {kNoLine, TOpKind::Line, {}},
  };
  for (const auto& c : cases) {
    PlotFixture f;
    f.Draw(c.lineType, cNoMarker, {0, 10, 20}, {0, 50, 20});
    auto ops = OpsOf(f.dc, c.kind);
    ASSERT_EQ(ops.size(), c.want.size()) << c.lineType;
    for (std::size_t i = 0; i < ops.size(); ++i) EXPECT_EQ(ops[i]->points, c.want[i]) << c.lineType;
    for (const auto* op : ops) {
      EXPECT_FALSE(op->pen.cosmetic);
      EXPECT_EQ(op->pen.color, f.plot->LineColor);
      EXPECT_TRUE(op->transparent);
    }
  }
}

TEST(GraphPlot, BarsAndShadowRectangles) {
  PlotFixture f;
  f.Draw(kBars, cNoMarker, {0, 10, 20}, {0, 50, 20});
  auto bars = OpsOf(f.dc, TOpKind::Rectangle);
  ASSERT_EQ(bars.size(), 3u);
  // w = 100 / 3 = 33; each bar ends at the next point; the last one by the mean spacing 10.
  EXPECT_EQ(bars[0]->rect, (TRect{100, 300, 110, 300}));
  EXPECT_EQ(bars[1]->rect, (TRect{110, 200, 120, 300}));
  EXPECT_EQ(bars[2]->rect, (TRect{120, 260, 130, 300}));
  EXPECT_EQ(*bars[1]->brush, f.plot->FillColor);

  f.Draw(kCityShadow, cNoMarker, {0, 10, 20}, {0, 50, 20});
  auto steps = OpsOf(f.dc, TOpKind::Rectangle);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[1]->rect, (TRect{110, 300, 120, 200}));
  EXPECT_EQ(steps[2]->rect, (TRect{120, 300, 199, 260}));
  EXPECT_EQ(steps[2]->pen.color, f.plot->FillColor);
  EXPECT_EQ(OpsOf(f.dc, TOpKind::Line).size(), 7u);  // then the city-scape outline
}

TEST(GraphPlot, DenseBarsAreOnePixelWide) {
  PlotFixture f;
  std::vector<double> xs, ys;
  for (int i = 0; i < 1000; ++i) {
    xs.push_back(i / 10.0);
    ys.push_back(50);
  }
  f.Draw(kBars, cNoMarker, xs, ys);
  for (const auto* op : OpsOf(f.dc, TOpKind::Rectangle)) {
    EXPECT_EQ(op->rect.right - op->rect.left, 1);
  }
}

TEST(GraphPlot, OnePointDrawsItsMarkerOnly) {
  PlotFixture f;
  f.Draw(kLines, cSquareMarker, {10}, {50});
  EXPECT_TRUE(OpsOf(f.dc, TOpKind::Line).empty());
  auto polylines = OpsOf(f.dc, TOpKind::Polyline);
  ASSERT_GE(polylines.size(), 2u);  // the one-point line draws nothing, then the marker
  EXPECT_EQ(polylines[0]->points.size(), 1u);
  // The square's outline around (110, 200), as the marker's segments (each without its end).
  std::set<std::pair<int, int>> drawn, outline;
  for (int i = -2; i <= 2; ++i) {
    for (std::pair<int, int> p : {std::pair{110 + i, 198}, std::pair{110 + i, 202},
                                  std::pair{108, 200 + i}, std::pair{112, 200 + i}}) {
      outline.insert(p);
    }
  }
  for (std::size_t k = 1; k < polylines.size(); ++k) {
    const std::vector<TPoint>& q = polylines[k]->points;
    EXPECT_TRUE(polylines[k]->pen.cosmetic);
    ASSERT_EQ(q.size(), 2u);
    ASSERT_EQ(q[0].x, q[1].x);
    for (int y = q[0].y; y < q[1].y; ++y) drawn.insert({q[0].x, y});
  }
  EXPECT_EQ(drawn, outline);
  f.Draw(kHorizontalLines, cNoMarker, {10}, {50});
  auto lines = OpsOf(f.dc, TOpKind::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->points, (std::vector<TPoint>{{110, 200}, {199, 200}}));
}

TEST(GraphPlot, NonFiniteValuesSplitTheLine) {
  PlotFixture f;
  f.Draw(kLines, cNoMarker, {0, 10, 20, 30, 40}, {0, 10, NAN, 30, 40});
  auto polylines = OpsOf(f.dc, TOpKind::Polyline);
  ASSERT_EQ(polylines.size(), 2u);
  EXPECT_EQ(polylines[0]->points, (std::vector<TPoint>{{100, 300}, {110, 280}}));
  EXPECT_EQ(polylines[1]->points, (std::vector<TPoint>{{130, 240}, {140, 220}}));
}

// A step holds its value until the next point: before a point without a value (a bad quality)
// it ends where that point stands; only the plot's last value holds to the frame's right edge.
TEST(GraphPlot, StepsBeforeAGapEndAtTheGapAndTheLastRunAtTheFrame) {
  PlotFixture f;
  f.Draw(kHorizontalLines, cNoMarker, {0, 10, 20, 30, 40}, {0, 10, NAN, 30, 40});
  std::vector<std::vector<TPoint>> lines;
  for (const TCanvasOp* op : OpsOf(f.dc, TOpKind::Line)) lines.push_back(op->points);
  const std::vector<std::vector<TPoint>> want = {
      {{100, 300}, {110, 300}}, {{110, 300}, {110, 280}}, {{110, 280}, {120, 280}},
      {{130, 240}, {140, 240}}, {{140, 240}, {140, 220}}, {{140, 220}, {199, 220}}};
  EXPECT_EQ(lines, want);

  f.Draw(kCityShadow, cNoMarker, {0, 10, 20, 30}, {0, 10, NAN, 30});
  const auto steps = OpsOf(f.dc, TOpKind::Rectangle);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[1]->rect, (TRect{110, 300, 120, 280})) << "shadow of the value before the gap";
  EXPECT_EQ(steps[2]->rect, (TRect{130, 300, 199, 240}));
  const auto outline = OpsOf(f.dc, TOpKind::Line);
  ASSERT_FALSE(outline.empty());
  EXPECT_TRUE(testing::HasLine(f.dc, {120, 280}, {120, 300}))
      << "the outline comes down at the gap";
}

TEST(GraphPlot, NothingWithoutBothAxesOrWithAHiddenOne) {
  PlotFixture f;
  f.map.at(1).Hide = true;
  f.Draw(kLines, cSquareMarker, {0, 10}, {0, 10});
  EXPECT_TRUE(f.dc.Ops().empty());
  TPlot unbound(TPlotSettings{}, {1, 2}, {1, 2});
  unbound.Draw(f.dc);
  EXPECT_TRUE(f.dc.Ops().empty());
}

struct MarkerCase {
  std::int32_t shape;
  TOpKind kind;
  std::vector<std::vector<TPoint>> points;
  TRect rect;
  bool fill;
};

TEST(GraphPlot, MarkerShapes) {
  // Size a = 2, b = 3, centre (10, 20).
  const MarkerCase cases[] = {
      {cPlusMarker, TOpKind::Line, {{{8, 20}, {13, 20}}, {{10, 18}, {10, 23}}}, {}, false},
      {cCrossMarker, TOpKind::Line, {{{8, 18}, {13, 23}}, {{8, 22}, {13, 17}}}, {}, false},
      {cStarMarker,
       TOpKind::Line,
       {{{8, 18}, {13, 23}}, {{8, 22}, {13, 17}}, {{8, 20}, {13, 20}}, {{10, 18}, {10, 23}}},
       {},
       false},
      {cSquareMarker,
       TOpKind::Polyline,
       {{{8, 18}, {8, 22}, {12, 22}, {12, 18}, {8, 18}}},
       {},
       false},
      {cSquareFilledMarker, TOpKind::Polygon, {{{8, 18}, {8, 22}, {12, 22}, {12, 18}}}, {}, true},
      {cCircleMarker, TOpKind::Ellipse, {}, {8, 18, 13, 23}, false},
      {cCircleFilledMarker, TOpKind::Ellipse, {}, {8, 18, 12, 22}, true},
      {cUpTriangleMarker, TOpKind::Polyline, {{{8, 22}, {10, 18}, {12, 22}, {8, 22}}}, {}, false},
      {cUpTriangleFilledMarker, TOpKind::Polygon, {{{8, 22}, {10, 18}, {12, 22}}}, {}, true},
      {cDownTriangleMarker, TOpKind::Polyline, {{{8, 18}, {10, 22}, {12, 18}, {8, 18}}}, {}, false},
      {cDownTriangleFilledMarker, TOpKind::Polygon, {{{8, 18}, {10, 22}, {12, 18}}}, {}, true},
  };
  for (const auto& c : cases) {
    TRecordingCanvas dc;
    DrawMarker(dc, c.shape, 2, {10, 20});
    auto ops = OpsOf(dc, c.kind);
    ASSERT_EQ(dc.Ops().size(), ops.size()) << c.shape;
    if (c.kind == TOpKind::Ellipse) {
      ASSERT_EQ(ops.size(), 1u);
      EXPECT_EQ(ops[0]->rect, c.rect) << c.shape;
      EXPECT_EQ(ops[0]->fill, c.fill) << c.shape;
      continue;
    }
    ASSERT_EQ(ops.size(), c.points.size()) << c.shape;
    for (std::size_t i = 0; i < ops.size(); ++i) EXPECT_EQ(ops[i]->points, c.points[i]) << c.shape;
    if (c.kind == TOpKind::Polygon) {
      EXPECT_TRUE(ops[0]->fill);
    }
  }
  for (std::int32_t shape : {0, 12, 40, -1}) {
    TRecordingCanvas dc;
    DrawMarker(dc, shape, 2, {10, 20});
    EXPECT_TRUE(dc.Ops().empty()) << shape;
  }
}

TEST(GraphPlot, DetachesFromItsAxesWhenDestroyed) {
  PlotFixture f;
  auto plot = std::make_unique<TPlot>(TPlotSettings{});
  f.x->AddPlot(plot.get());
  f.y->AddPlot(plot.get());
  plot->SetAxes(f.x.get(), f.y.get());
  plot.reset();
  EXPECT_TRUE(f.x->Plots().empty());
  EXPECT_TRUE(f.y->Plots().empty());
}

}  // namespace
}  // namespace graph
