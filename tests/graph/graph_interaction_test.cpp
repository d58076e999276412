#include "graph/graph_interaction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph/recording_canvas.h"
#include "graph_test_support.h"

namespace graph {
namespace {

// A graph of 800 x 600 pixels with numeric axes whose scale is one pixel per unit: the plot area
// is (81, 61)-(719, 519), x = 81 + X and y = 518 - Y.
class PointerGraph : public ::testing::Test {
 protected:
  void Build(std::vector<std::pair<std::int32_t, std::int32_t>> idLocations) {
    TGraphSettings s;
    s.Axes.clear();
    for (auto [id, location] : idLocations) {
      TAxisSettings axis(id, location);
      axis.Format = kNumericFormat;
      axis.AutoScale = false;
      axis.MinValue = 0;
      axis.MaxValue = IsVertical(location) ? 457 : 638;
      s.Axes.emplace(id, axis);
    }
    graph.LoadSettings(s);
  }
  static bool IsVertical(std::int32_t location) { return location == kLeft || location == kRight; }
  void AddWave(const char16_t* name, std::vector<double> x, std::vector<double> y) {
    TPlotSettings look;
    look.Name = name;
    graph.AddOrUpdateWave(look, std::move(x), std::move(y));
  }
  void Draw() {
    TRecordingCanvas dc;
    graph.Draw(dc, {0, 0, 800, 600});
  }
  TAxisSettings& Axis(std::int32_t id) { return graph.Settings().Axes.at(id); }
  std::u16string Text(const TString& s) { return s.Str(); }

  TGraph graph;
};

TEST_F(PointerGraph, ReadoutsOfTheAxesAndOfTheNearestPoint) {
  Build({{1, kLeft}, {2, kBottom}});
  AddWave(u"w", {100, 200, 300}, {100, 200, 300});
  Draw();
  TString text;
  AxisReadout(graph, 181, 418, text);
  EXPECT_EQ(Text(text), u"(\u25C4 100)  (\u25BC 100)  ");
  AxisReadout(graph, 10, 590, text);  // beyond both bands' spans
  EXPECT_EQ(Text(text), u"");

  TNearestPoint found = NearestPoint(graph, 283, 319);  // 2² + 1² from point 1
  ASSERT_NE(found.plot, nullptr);
  EXPECT_EQ(found.index, 1u);
  EXPECT_EQ(found.pixel, (TPoint{281, 318}));
  PointReadout(*found.plot, found.index, text);
  EXPECT_EQ(Text(text), u"w [1] (\u25C4 200)  (\u25BC 200)  ");
  EXPECT_EQ(NearestPoint(graph, 285, 318).plot, nullptr) << "a distance of 4 is not near";
  EXPECT_EQ(NearestPoint(graph, 281, 322).plot, nullptr);
}

TEST_F(PointerGraph, NearestPointKeepsTheFirstOnTiesAndSkipsHiddenPlotsAndGaps) {
  Build({{1, kLeft}, {2, kBottom}});
  const double nan = std::numeric_limits<double>::quiet_NaN();
  AddWave(u"v", {100, nan, 300}, {100, 200, 300});
  AddWave(u"w", {100, 200, 301}, {100, 200, 300});
  Draw();
  EXPECT_EQ(NearestPoint(graph, 181, 418).plot->Name, TString(u"v")) << "a tie keeps the first";
  EXPECT_EQ(NearestPoint(graph, 383, 218).plot->Name, TString(u"w")) << "strictly nearer wins";
  EXPECT_EQ(NearestPoint(graph, 281, 318).plot->Name, TString(u"w")) << "v has a gap there";
  graph.FindPlot(u"w")->Hide = true;
  EXPECT_EQ(NearestPoint(graph, 281, 318).plot, nullptr);
}

TEST_F(PointerGraph, PointReadoutPutsXFirstForAPlotOfARightAxis) {
  Build({{1, kRight}, {2, kBottom}});
  AddWave(u"r", {100}, {100});
  Draw();
  TString text;
  PointReadout(*graph.FindPlot(u"r"), 0, text);
  EXPECT_EQ(Text(text), u"r [0] (\u25BC 100)  (\u25BA 100)  ");
}

TEST_F(PointerGraph, BestAxisIsTheOnlyOneOrTheNearestCoveringBand) {
  // Three left axes and a right one share the height: left 1 (70-175), left 2 (184-289),
  // right 3 (299-404), left 5 (413-518).
  Build({{1, kLeft}, {2, kLeft}, {5, kLeft}, {3, kRight}, {4, kBottom}});
  Draw();
  struct Case {
    TRect rect;
    std::int32_t leftId;  // -1: none
  };
  const Case cases[] = {
      {{200, 190, 300, 280}, 2},  {{200, 179, 300, 294}, 2},  // the 5 pixels of tolerance
      {{200, 178, 300, 280}, -1}, {{200, 172, 300, 200}, -1},
      {{200, 420, 300, 500}, 5},  {{200, 66, 300, 180}, 1},
  };
  for (const Case& c : cases) {
    const TAxis* best = BestAxis(graph.LeftAxes(), false, c.rect);
    EXPECT_EQ(best ? best->Id() : -1, c.leftId) << c.rect.top << "-" << c.rect.bottom;
  }
  // A side with one axis gives it whatever the rectangle.
  const TSideAxes axes = BestAxes(graph, {0, 0, 1, 1});
  ASSERT_NE(axes.right, nullptr);
  EXPECT_EQ(axes.right->Id(), 3);
  EXPECT_EQ(axes.bottom->Id(), 4);
  EXPECT_EQ(axes.top, nullptr);
}

TEST(BestAxis, EqualDistancesKeepTheFirstIdTheNearerCentreWinsHiddenAxesNeverCover) {
  TAxisSettingsMap settings;
  TAxisMap side;
  TRecordingCanvas dc;
  for (std::int32_t id : {3, 7, 9}) {
    settings.emplace(id, TAxisSettings(id, kLeft));
    side.emplace(id, std::make_unique<TLeftAxis>(settings, id));
  }
  side.at(3)->Draw(dc, {0, 100, 80, 300}, {80, 0, 400, 400}, false);
  side.at(7)->Draw(dc, {0, 140, 80, 320}, {80, 0, 400, 400}, false);
  side.at(9)->Draw(dc, {0, 100, 80, 300}, {80, 0, 400, 400}, false);
  EXPECT_EQ(BestAxis(side, false, {100, 150, 200, 250})->Id(), 3);
  settings.at(3).Hide = true;
  EXPECT_EQ(BestAxis(side, false, {100, 150, 200, 250})->Id(), 9) << "the nearer centre wins";
}

TEST(ZoomMenu, CommandsOfferedFollowTheAxesFound) {
  TAxisSettingsMap settings{{1, TAxisSettings(1, kLeft)}, {2, TAxisSettings(2, kBottom)}};
  TLeftAxis left(settings, 1);
  TBottomAxis bottom(settings, 2);
  struct Case {
    TSideAxes axes;
    bool both, horizontal, vertical;
  };
  const Case cases[] = {
      {{&left, nullptr, nullptr, &bottom}, true, true, true},
      {{nullptr, nullptr, &left, nullptr}, false, false, true},
      {{nullptr, &bottom, nullptr, nullptr}, false, true, false},
      {{}, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZoomCommandOffered(kZoomExpand, c.axes), c.both);
    EXPECT_EQ(ZoomCommandOffered(kZoomShrink, c.axes), c.both);
    EXPECT_EQ(ZoomCommandOffered(kZoomExpandHorizontal, c.axes), c.horizontal);
    EXPECT_EQ(ZoomCommandOffered(kZoomShrinkHorizontal, c.axes), c.horizontal);
    EXPECT_EQ(ZoomCommandOffered(kZoomExpandVertical, c.axes), c.vertical);
    EXPECT_EQ(ZoomCommandOffered(kZoomShrinkVertical, c.axes), c.vertical);
  }
}

TEST_F(PointerGraph, ZoomCommandsActOnTheAxesTheyName) {
  Build({{1, kLeft}, {2, kBottom}});
  AddWave(u"w", {100, 200, 300}, {100, 200, 300});
  Axis(2).AutoScale = true;  // the time axis of a document: automatic until zoomed
  Draw();
  const TRect selection{181, 218, 381, 418};
  const TSideAxes axes = BestAxes(graph, selection);
  ASSERT_TRUE(ApplyZoomCommand(kZoomExpandHorizontal, axes, selection));
  EXPECT_FALSE(Axis(2).AutoScale);
  EXPECT_DOUBLE_EQ(Axis(2).MinValue, 100 + 200.0 * 100 / 638);
  EXPECT_DOUBLE_EQ(Axis(1).MinValue, 0) << "the vertical axis is left alone";
  EXPECT_DOUBLE_EQ(Axis(1).MaxValue, 457);

  Build({{1, kLeft}, {2, kBottom}});
  Draw();
  ASSERT_TRUE(ApplyZoomCommand(kZoomExpand, BestAxes(graph, selection), selection));
  EXPECT_DOUBLE_EQ(Axis(1).MinValue, 100);
  EXPECT_DOUBLE_EQ(Axis(1).MaxValue, 300);
  EXPECT_DOUBLE_EQ(Axis(2).MinValue, 100);
  EXPECT_DOUBLE_EQ(Axis(2).MaxValue, 300);

  Build({{1, kLeft}, {2, kBottom}});
  Draw();
  ASSERT_TRUE(ApplyZoomCommand(kZoomShrinkVertical, BestAxes(graph, selection), selection));
  EXPECT_DOUBLE_EQ(Axis(2).MaxValue, 638) << "the horizontal axis is left alone";
  EXPECT_LT(Axis(1).MinValue, 0);
  EXPECT_GT(Axis(1).MaxValue, 457);

  // Without width or height, or with an unknown command, nothing happens.
  EXPECT_FALSE(ApplyZoomCommand(kZoomExpand, BestAxes(graph, selection), {181, 218, 181, 418}));
  EXPECT_FALSE(ApplyZoomCommand(kZoomExpand, BestAxes(graph, selection), {181, 218, 381, 218}));
  EXPECT_FALSE(ApplyZoomCommand(11306, BestAxes(graph, selection), selection));
}

TEST(Panning, ADragFiftyPixelsRightMovesTheTimeRangeBackFiftyPixelsWorth) {
  testing::UtcTime utc;
  TGraph graph;  // left axis 1 and bottom time axis 2
  const double start = testing::kMarch2024, hour = 3600000;
  graph.SetTimeLimits(start, start + hour);
  TPlotSettings look;
  look.Name = u"w";
  graph.AddOrUpdateWave(look, {start, start + hour}, {1, 2});
  TRecordingCanvas dc;
  graph.Draw(dc, {0, 0, 800, 600});
  const TRect plot = graph.PlotAreaRect();

  const TSideAxes axes = BestAxes(graph, {400, 300, 400, 300});
  const TRect saved = PanStartRect(plot, axes);
  EXPECT_EQ(saved, (TRect{81, 61, 719, 519}));
  const TRect moved = DraggedRect(kDragPan, saved, {400, 300}, {450, 300});
  ApplyPan(axes, saved, moved);
  const TAxisSettings& time = graph.Settings().Axes.at(2);
  EXPECT_FALSE(time.AutoScale);
  const double pixel = hour / (719 - 81);
  EXPECT_NEAR(time.MinValue, start - 50 * pixel, 1e-3);
  EXPECT_NEAR(time.MaxValue, start + hour - 50 * pixel, 1e-3);
  // A drag down by 20 pixels moves the values up by 20 pixels' worth.
  graph.Draw(dc, {0, 0, 800, 600});
  const TAxisSettings& value = graph.Settings().Axes.at(1);
  const double before = value.MinValue, span = value.MaxValue - value.MinValue;
  ApplyPan(axes, saved, DraggedRect(kDragPan, saved, {400, 300}, {400, 320}));
  EXPECT_NEAR(value.MinValue, before + 20 * span / (518 - 61), 1e-9);
}

TEST_F(PointerGraph, PanStartsFromTheBandsOfThePanAxes) {
  Build({{1, kLeft}, {2, kLeft}, {3, kBottom}, {4, kTop}});
  Draw();
  const TRect plot = graph.PlotAreaRect();
  const TSideAxes axes = BestAxes(graph, {300, 400, 300, 400});  // in the lower left slice
  ASSERT_NE(axes.left, nullptr);
  EXPECT_EQ(axes.left->Id(), 2);
  const TRect r = PanStartRect(plot, axes);
  EXPECT_EQ(r.top, axes.left->Band().top);
  EXPECT_EQ(r.bottom, axes.left->Band().bottom);
  EXPECT_EQ(r.left, axes.bottom->Band().left);
  EXPECT_EQ(r.right, axes.bottom->Band().right);
  EXPECT_EQ(PanStartRect(plot, {}), plot);
}

TEST_F(PointerGraph, DoubleClickOpensTheGeneralPageOrTheAxisUnderThePointer) {
  Build({{1, kLeft}, {2, kBottom}, {3, kRight}});
  Draw();
  struct Case {
    std::int32_t x, y;
    bool open;
    std::int32_t axisId;
  };
  const Case cases[] = {
      {400, 300, true, -1}, {81, 300, true, -1},  // the plot area's edge is the plot area
      {40, 300, true, 1},   {400, 550, true, 2},  {760, 300, true, 3},
      {400, 20, false, -1}, {40, 560, false, -1},
  };
  for (const Case& c : cases) {
    const TSettingsTarget target = DoubleClickTarget(graph, c.x, c.y);
    EXPECT_EQ(target.open, c.open) << c.x << "," << c.y;
    EXPECT_EQ(target.axisId, c.axisId) << c.x << "," << c.y;
  }
  Axis(3).Hide = true;  // its band is gone from the screen
  EXPECT_FALSE(DoubleClickTarget(graph, 760, 300).open);
}

TEST_F(PointerGraph, MarkedPointIsClampedIntoThePlotArea) {
  Build({{1, kLeft}, {2, kBottom}});
  AddWave(u"w", {100, 200, 1000, std::nan("")}, {100, 200, -100, 5});
  Draw();
  TPoint centre;
  ASSERT_TRUE(MarkedPoint(graph, u"w", 1, centre));
  EXPECT_EQ(centre, (TPoint{281, 318}));
  EXPECT_EQ(PointMarkerRect(centre), (TRect{278, 315, 285, 322}));
  ASSERT_TRUE(MarkedPoint(graph, u"w", 2, centre));
  EXPECT_EQ(centre, (TPoint{719, 519}));
  EXPECT_FALSE(MarkedPoint(graph, u"w", 3, centre)) << "a gap";
  EXPECT_FALSE(MarkedPoint(graph, u"w", 4, centre));
  EXPECT_FALSE(MarkedPoint(graph, u"w", -1, centre));
  EXPECT_FALSE(MarkedPoint(graph, u"x", 0, centre));
}

}  // namespace
}  // namespace graph
