// The graph draws and reads out its texts in the language it is handed, with no main frame in the
// process: the hatched band's label and the day unit of a duration axis.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph/graph.h"
#include "graph_test_support.h"
#include "strings/resource_text.h"
#include "strings/string_ids.h"

namespace graph {
namespace {

using testing::kDayMs;
using testing::TextOp;

constexpr int kFrench = 0;
constexpr int kGerman = 2;

// One wave over thirty days on a duration axis, read up to day fifteen only.
void BuildCutDurationGraph(TGraph& g) {
  TGraphSettings settings;
  settings.Axes.at(2).Format = kDurationFormat;
  g.LoadSettings(settings);
  TPlotSettings record;
  record.Name = u"w";
  TPlot* plot = g.AddOrUpdateWave(record, {0, 10 * kDayMs, 20 * kDayMs, 30 * kDayMs}, {1, 2, 3, 4});
  plot->SetCutAfter(15 * kDayMs);
}

// The texts of the drawing that end with the suffix.
std::vector<std::u16string> TextsEndingWith(const TRecordingCanvas& dc,
                                            const std::u16string& suffix) {
  std::vector<std::u16string> found;
  for (const TCanvasOp& op : dc.Ops()) {
    if (op.kind == TOpKind::Text && op.text.size() > suffix.size() &&
        op.text.compare(op.text.size() - suffix.size(), suffix.size(), suffix) == 0) {
      found.push_back(op.text);
    }
  }
  return found;
}

TEST(GraphLanguage, DrawsTheCutBandAndTheDaysInTheLanguageItIsHanded) {
  const std::u16string frenchBand = RString(IDS_CUT_BAND_LABEL, kFrench);
  const std::u16string germanBand = RString(IDS_CUT_BAND_LABEL, kGerman);
  ASSERT_FALSE(frenchBand.empty());
  ASSERT_NE(frenchBand, germanBand);

  TGraph g;
  BuildCutDurationGraph(g);
  EXPECT_EQ(g.Language(), 1);  // English until a window hands it another

  g.SetLanguage(kFrench);
  TRecordingCanvas french;
  g.Draw(french, {0, 0, 800, 600});
  EXPECT_NE(TextOp(french, frenchBand), nullptr);
  EXPECT_EQ(TextOp(french, germanBand), nullptr);
  EXPECT_FALSE(TextsEndingWith(french, u" j.").empty());
  EXPECT_TRUE(TextsEndingWith(french, u" T.").empty());

  // The same graph, axes kept, switched to German.
  g.SetLanguage(kGerman);
  TRecordingCanvas german;
  g.Draw(german, {0, 0, 800, 600});
  EXPECT_NE(TextOp(german, germanBand), nullptr);
  EXPECT_EQ(TextOp(german, frenchBand), nullptr);
  EXPECT_FALSE(TextsEndingWith(german, u" T.").empty());
  EXPECT_TRUE(TextsEndingWith(german, u" j.").empty());
}

TEST(GraphLanguage, AxesBuiltAfterTheSwitchTakeItForTheirTexts) {
  TGraph g;
  g.SetLanguage(kGerman);
  BuildCutDurationGraph(g);  // new settings: the axes are built anew
  ASSERT_FALSE(g.BottomAxes().empty());
  for (const auto& [id, axis] : g.BottomAxes()) EXPECT_EQ(axis->Language(), kGerman);
  // The readouts and the trace cursor's labels go through the same formatting.
  TString text;
  g.BottomAxes().begin()->second->FormatValue(text, 3 * kDayMs, 3 * kDayMs);
  EXPECT_EQ(std::u16string(text.Str()), u"3 T.");
  g.SetLanguage(kFrench);
  g.BottomAxes().begin()->second->FormatValue(text, 3 * kDayMs, 3 * kDayMs);
  EXPECT_EQ(std::u16string(text.Str()), u"3 j.");
}

}  // namespace
}  // namespace graph
