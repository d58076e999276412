#include "graph/graph.h"

#include <gtest/gtest.h>

#include "graph/legend_item.h"
#include "graph/settings_xml.h"
#include "graph_test_support.h"
#include "xml/xml_doc.h"

namespace graph {
namespace {

using testing::OpsOf;

void SetAxes(TGraphSettings& s, std::vector<std::pair<std::int32_t, std::int32_t>> idLocations) {
  s.Axes.clear();
  for (auto [id, location] : idLocations) s.Axes.emplace(id, TAxisSettings(id, location));
}

TEST(GraphLayout, PlotAreaAndItsSmallWindowFallback) {
  EXPECT_EQ(PlotArea(800, 600), (TRect{81, 61, 719, 519}));
  EXPECT_EQ(PlotArea(150, 600), (TRect{65, 61, 75, 519}));
  EXPECT_EQ(PlotArea(800, 150), (TRect{81, 65, 719, 85}));
}

TEST(GraphLayout, NewGraphHasTwoAxesWithArrows) {
  TGraph g;
  TRecordingCanvas dc;
  g.Draw(dc, {0, 0, 800, 600});
  ASSERT_EQ(g.Slots().size(), 2u);
  EXPECT_EQ(g.Slots()[0].axis->GetLocation(), kLeft);
  EXPECT_EQ(g.Slots()[0].band, (TRect{1, 61, 81, 519}));
  EXPECT_TRUE(g.Slots()[0].arrow);
  EXPECT_EQ(g.Slots()[1].axis->GetLocation(), kBottom);
  EXPECT_EQ(g.Slots()[1].band, (TRect{81, 519, 719, 579}));
  EXPECT_TRUE(g.Slots()[1].arrow);
  EXPECT_EQ(g.Settings().Margin, TGraphSettings::kDrawnMargin);
  EXPECT_NE(testing::TextOp(dc, u"Axis_1"), nullptr);
  // Both arrow heads: filled triangles at the ends of the lines.
  auto heads = OpsOf(dc, TOpKind::Polygon);
  ASSERT_EQ(heads.size(), 2u);
  EXPECT_EQ(heads[0]->points, (std::vector<TPoint>{{76, 41}, {79, 49}, {73, 49}}));
  EXPECT_EQ(heads[1]->points, (std::vector<TPoint>{{739, 524}, {731, 521}, {731, 527}}));
}

TEST(GraphLayout, ThreeLeftAxesAndOneRightShareTheHeightInIdOrder) {
  TGraph g;
  TGraphSettings s;
  SetAxes(s, {{1, kLeft}, {2, kLeft}, {5, kLeft}, {3, kRight}, {4, kBottom}});
  g.LoadSettings(s);
  TRecordingCanvas dc;
  g.Draw(dc, {0, 0, 800, 600});
  // H = 458, N = 4: slices of 114 from top 61.
  const std::int32_t wantIds[] = {1, 2, 3, 5};
  const std::int32_t wantTops[] = {70, 184, 299, 413};
  const bool wantArrows[] = {true, false, true, false};
  for (int i = 0; i < 4; ++i) {
    const TAxisSlot& slot = g.Slots()[i];
    EXPECT_EQ(slot.axis->Id(), wantIds[i]);
    EXPECT_EQ(slot.band.top, wantTops[i]);
    EXPECT_EQ(slot.band.bottom, wantTops[i] + 114 - 9);
    EXPECT_EQ(slot.arrow, wantArrows[i]) << i;
  }
  EXPECT_EQ(g.Slots()[2].band.left, 719);
  EXPECT_FALSE(g.Slots()[4].arrow);  // a right axis is visible
}

TEST(GraphSettingsRecord, OperationsOnTheMaps) {
  TGraphSettings s;
  SetAxes(s, {{1, kTop}, {4, 9}});
  TAxisCounts counts = s.CountAxes();
  EXPECT_EQ(counts.top, 1);
  EXPECT_EQ(counts.bottom, 1);
  EXPECT_EQ(s.Axes.at(4).Location, kBottom);
  s.EnsureAxes();
  ASSERT_EQ(s.Axes.count(2), 1u);  // the smallest free id
  EXPECT_EQ(s.Axes.at(2).Location, kLeft);
  EXPECT_EQ(s.Axes.at(2).Name, TString(u"Axis_2"));
  s.Axes.at(2).Format = kDurationFormat;
  s.Axes.at(1).GridType = 2;
  s.ResetAxisFormats();
  EXPECT_EQ(s.Axes.at(2).Format, kNumericFormat);
  EXPECT_EQ(s.Axes.at(1).GridType, 0);
  s.Margin = {1, 2, 3, 4};
  s.Background = Rgb(1, 2, 3);
  TGraphSettings copy = s;
  EXPECT_TRUE(copy == s);
  copy.Axes.at(1).MinValue = 5;
  EXPECT_FALSE(copy == s);
  s.Reset();
  EXPECT_EQ(s.Margin, TGraphSettings::kDefaultMargin);
  EXPECT_EQ(s.Background, Rgb(0, 0, 0));
  s.Plots.emplace(u"a", TPlotSettings{});
  s.Plots.emplace(u"b", TPlotSettings{});
  s.RenumberPlots();
  EXPECT_EQ(s.Plots.at(u"a").LineColor, PaletteEntry(0).line);
  EXPECT_EQ(s.Plots.at(u"b").LineColor, PaletteEntry(1).line);
}

TEST(GraphWaves, AxisChoiceBindingAndLegendPrefix) {
  struct Case {
    std::vector<std::pair<std::int32_t, std::int32_t>> axes;
    std::int32_t yId, xId;
    std::int32_t wantY, wantX, wantYLocation, wantXLocation;
    std::u16string prefix;
  };
  const Case cases[] = {
      {{{1, kLeft}, {2, kBottom}}, -1, -1, 1, 2, kLeft, kBottom, u"\u25C4\u25BC"},
      {{{3, kRight}, {7, kTop}, {5, kRight}}, -1, -1, 3, 7, kRight, kTop, u"\u25B2\u25BA"},
      {{{1, kLeft}, {2, kBottom}}, 9, 2, 9, 2, -1, kBottom, u"\u25C4?\u25BA\u25BC"},
      {{{1, kLeft}, {2, kBottom}}, 9, 8, 9, 8, -1, -1, u"\u25C4?\u25BA\u25B2?\u25BC"},
  };
  for (const auto& c : cases) {
    TGraph g;
    TGraphSettings s;
    SetAxes(s, c.axes);
    g.LoadSettings(s);
    TPlotSettings record;
    record.Name = u"w";
    record.YAxisId = c.yId;
    record.XAxisId = c.xId;
    TPlot* plot = g.AddOrUpdateWave(record, {1, 2}, {3, 4});
    const TPlotSettings& stored = g.Settings().Plots.at(u"w");
    EXPECT_EQ(stored.YAxisId, c.wantY);
    EXPECT_EQ(stored.XAxisId, c.wantX);
    EXPECT_EQ(plot->YLocation, c.wantYLocation);
    EXPECT_EQ(stored.XLocation, c.wantXLocation);
    TString prefix;
    LegendPrefix(stored, prefix);
    EXPECT_EQ(std::u16string(prefix.Str()), c.prefix);
    // A second call replaces the lists and keeps the plot.
    EXPECT_EQ(g.AddOrUpdateWave(record, {5}, {6}), plot);
    EXPECT_EQ(plot->X().size(), 1u);
  }
}

TEST(GraphWaves, TimeLimitsAndScalingQueries) {
  TGraph g;
  TPlotSettings record;
  record.Name = u"w";
  g.AddOrUpdateWave(record, {1000, 5000}, {0, 10});
  g.SetTimeLimits(2000, 1000);
  TAxis& time = *g.BottomAxes().begin()->second;
  EXPECT_EQ(time.LowerLimit(), 1000);
  EXPECT_EQ(time.UpperLimit(), 2000);
  time.UpdateScale();
  EXPECT_EQ(time.Min(), 1000);
  EXPECT_EQ(time.Max(), 2000);
  EXPECT_FALSE(g.IsTimeAxisManual());
  time.Pan(10);
  EXPECT_TRUE(g.IsTimeAxisManual());
  EXPECT_FALSE(g.AreAllAxesAutomatic());
  g.SetAllAxesAutomatic();
  EXPECT_TRUE(g.AreAllAxesAutomatic());
}

TEST(GraphDrawing, PrintingUsesPrintColoursAndABorder) {
  TGraph g;
  TPlotSettings record;
  record.Name = u"w";
  g.AddOrUpdateWave(record, {0, 10}, {0, 10});
  TRecordingCanvas dc(true);
  g.Draw(dc, {0, 0, 400, 300});
  const auto fills = OpsOf(dc, TOpKind::FillRect);
  ASSERT_GE(fills.size(), 5u);
  EXPECT_EQ(fills[0]->rect, (TRect{0, 0, 400, 300}));
  EXPECT_EQ(fills[0]->color, Rgb(255, 255, 255));
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(fills[i]->color, Rgb(0, 0, 0));
  for (const TCanvasOp& op : dc.Ops()) {
    if (op.kind == TOpKind::Line && op.pen.style == TPenStyle::Solid &&
        op.pen.color != record.LineColor) {
      EXPECT_EQ(op.pen.color, Rgb(0, 0, 0));
    }
    if (op.kind == TOpKind::Text) {
      EXPECT_EQ(op.font.color, Rgb(0, 0, 0));
    }
  }
}

TEST(GraphDrawing, PlotsAreClippedToTheirAxesAndReadoutIsCentred) {
  TGraph g;
  g.Readout = u"(x)";
  TPlotSettings record;
  record.Name = u"w";
  record.LineType = kLinesToZero;
  record.MarkerShape = cNoMarker;
  g.AddOrUpdateWave(record, {0, 10}, {5, 10});  // zero lies below the axis range
  TRecordingCanvas dc;
  g.Draw(dc, {0, 0, 800, 600});
  auto lines = OpsOf(dc, TOpKind::Line);
  const TCanvasOp* zeroLine = nullptr;
  for (const auto* op : lines) {
    if (op->pen.color == record.LineColor) zeroLine = op;
  }
  ASSERT_NE(zeroLine, nullptr);
  EXPECT_GT(zeroLine->points[0].y, 519);  // reaches past the plot area...
  ASSERT_TRUE(zeroLine->clip.has_value());
  EXPECT_EQ(*zeroLine->clip, (TRect{77, 57, 723, 522}));  // ...and is cut by the clip
  const TCanvasOp* readout = testing::TextOp(dc, u"(x)");
  ASSERT_NE(readout, nullptr);
  EXPECT_EQ(readout->points[0], (TPoint{400, 595}));
  EXPECT_EQ(readout->hAlign, THAlign::Center);
  EXPECT_EQ(dc.SavedDepth(), 0u);
}

TEST(GraphAxisDraw, VerticalExponentBlockAndTickCoordinates) {
  testing::AxisFixture<TLeftAxis> f(kLeft);
  TPlot plot(TPlotSettings{}, {0, 1}, {0, 50000});
  f.axis->AddPlot(&plot);
  TRecordingCanvas dc;
  f.axis->Draw(dc, {0, 0, 80, 401}, {80, 0, 500, 400}, false);
  f.axis->RemovePlot(&plot);
  // x0 = 75, y0 = 400, y1 = 0; 8-point labels are 11 high, so they drop by 3.
  EXPECT_TRUE(testing::HasLine(dc, {75, 400}, {70, 400}));
  const TCanvasOp* zero = testing::TextOp(dc, u"0");
  ASSERT_NE(zero, nullptr);
  EXPECT_EQ(zero->points[0], (TPoint{66, 403}));
  const TCanvasOp* top = testing::TextOp(dc, u"50");
  const TCanvasOp* times = testing::TextOp(dc, u"*10");
  const TCanvasOp* power = testing::TextOp(dc, u"3");
  ASSERT_TRUE(top && times && power);
  // Moved left by the widths 12 + 18 + 6 (power font 7 points: 9 high, 5 wide) and 3 more.
  EXPECT_EQ(top->points[0], (TPoint{66 - 12 - 18 - 5 - 3, 3}));
  EXPECT_EQ(top->hAlign, THAlign::Left);
  EXPECT_EQ(times->points[0], (TPoint{top->points[0].x + 12, 3}));
  EXPECT_EQ(power->points[0], (TPoint{top->points[0].x + 30, 3 - 8}));
  EXPECT_EQ(power->font.tenths, 70);
}

TEST(GraphAxisDraw, ZoomShrinkPanAndReadout) {
  testing::AxisFixture<TBottomAxis> f(kBottom);
  f.settings().Format = kNumericFormat;
  f.Place(0, 100, {100, 0, 200, 60});  // x0 100, x1 200
  f.settings().AutoScale = true;
  f.axis->ZoomToRect({120, 0, 150, 0});
  EXPECT_FALSE(f.settings().AutoScale);
  EXPECT_DOUBLE_EQ(f.settings().MinValue, 20);
  EXPECT_DOUBLE_EQ(f.settings().MaxValue, 50);
  f.Place(0, 100, {100, 0, 200, 60});
  f.axis->ShrinkToRect({140, 0, 160, 0});  // e = 150, f = 50
  EXPECT_DOUBLE_EQ(f.settings().MinValue, 50 - 50 * 50.0 / 10);
  EXPECT_DOUBLE_EQ(f.settings().MaxValue, 50 + 50 * 50.0 / 10);
  f.Place(0, 100, {100, 0, 200, 60});
  f.axis->ShrinkToRect({140, 0, 140, 0});  // no width: the range stays
  EXPECT_DOUBLE_EQ(f.settings().MinValue, 0);
  f.axis->Pan(10);
  EXPECT_DOUBLE_EQ(f.settings().MinValue, -10);
  EXPECT_DOUBLE_EQ(f.settings().MaxValue, 90);
  TRecordingCanvas dc;
  f.axis->Draw(dc, {100, 0, 200, 60}, {100, 0, 200, 0}, false);
  TString text;
  f.axis->CursorTextAt(text, 150);
  f.axis->CursorTextAt(text, 250);  // outside the band: nothing
  EXPECT_EQ(std::u16string(text.Str()), u"(\u25BC 40)  ");
}

TEST(GraphSettingsXml, RoundTripAndTheWorkingRecordRule) {
  TGraphSettings s;
  s.Axes.at(1).Name = u"Flow <m3/h>";
  s.Axes.at(1).MaxValue = 12.5;
  s.Axes.emplace(3, TAxisSettings(3, kRight));
  TPlotSettings p;
  p.Name = u"Tag & Co";
  p.LineType = kBars;
  s.Plots.emplace(p.Name, p);
  s.Margin = {1, 2, 3, 4};
  TXmlDoc doc;
  doc.SetRoot(GraphSettingsElement(s).release());
  TString text;
  doc.FillString(text, true);
  TGraphSettings back;
  back.Axes.clear();
  ASSERT_FALSE(ReadGraphSettings(back, text.Str()));
  EXPECT_TRUE(back == s);

  // The second axis has no Name and no Location: it keeps those read from the first.
  const char16_t* partial =
      u"<GraphSettings><AxisSettings><AxisSetting><Id>4</Id><Name>T</Name><Location>2</Location>"
      u"</AxisSetting><AxisSetting><Id>6</Id></AxisSetting></AxisSettings></GraphSettings>";
  TGraphSettings read;
  ASSERT_FALSE(ReadGraphSettings(read, partial));
  EXPECT_EQ(read.Axes.at(6).Name, TString(u"T"));
  EXPECT_EQ(read.Axes.at(6).Location, kTop);
  // No vertical axis was read: a left axis with the smallest free id is added.
  ASSERT_EQ(read.Axes.count(1), 1u);
  EXPECT_EQ(read.Axes.at(1).Location, kLeft);
  EXPECT_TRUE(ReadGraphSettings(read, u"<Other/>"));
}

TEST(GraphLegend, ItemDrawsFrameTextAndZigzag) {
  TPlotSettings record;
  record.Name = u"Wave";
  record.XLocation = kBottom;
  record.YLocation = kLeft;
  record.MarkerShape = cNoMarker;
  TRecordingCanvas dc;
  DrawLegendItem(dc, {0, 0, 200, 18}, false, record);
  const TCanvasOp* text = testing::TextOp(dc, u"\u25C4\u25BC Wave");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->points[0], (TPoint{44, 1}));
  EXPECT_EQ(text->font.tenths, 91);
  auto zigzag = OpsOf(dc, TOpKind::Polyline);
  ASSERT_EQ(zigzag.size(), 1u);
  EXPECT_EQ(zigzag[0]->points, (std::vector<TPoint>{{6, 13}, {16, 5}, {26, 11}, {36, 7}}));
  auto fills = OpsOf(dc, TOpKind::FillRect);
  EXPECT_EQ(fills[0]->color, Rgb(255, 255, 255));
  EXPECT_EQ(fills[1]->rect, (TRect{1, 1, 41, 17}));
}

}  // namespace
}  // namespace graph
