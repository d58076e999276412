// Showing and hiding waves from the grid: which waves a column selection names, the lookup of
// their plot settings by full name, and the document's modified flag.
#include <gtest/gtest.h>

#include "document/wave_name.h"
#include "tests/views_core/grid_test_support.h"
#include "views/core/grid_wave_visibility.h"

namespace grid_test {
namespace {

using views::AnySelectedWave;
using views::SelectedWaves;
using views::SetSelectedWavesHidden;
using views::TableRange;

TEST(SelectedWaves, ColumnsFromOneOnNameTheirWaveOnce) {
  struct Case {
    int firstColumn, lastColumn;
    std::vector<std::size_t> waves;
  };
  const Case cases[] = {
      {0, 0, {}},                                          // the row numbers are no wave
      {0, 1, {0}},    {1, 2, {0}},                         // time and value of one wave
      {2, 3, {0, 1}}, {4, 6, {1, 2}}, {0, 99, {0, 1, 2}},  // columns past the last wave
      {7, 9, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SelectedWaves({2, c.firstColumn, 5, c.lastColumn}, 3), c.waves)
        << c.firstColumn << ".." << c.lastColumn;
  }
  EXPECT_TRUE(SelectedWaves(TableRange{}, 3).empty());
}

class GridVisibility : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    AddWave({.machine = u"Box", .server = u"Sim", .item = u"A"});
    AddWave({.machine = u"", .server = u"Sim", .item = u"B"});
    AddWave({.item = u"NoSettings"});
    for (std::size_t i = 0; i < 2; ++i) {
      graph::TPlotSettings settings;
      settings.Name = WaveFullName(doc_.Waves[i]);
      doc_.GraphSettings.Plots.emplace(settings.Name, settings);
    }
    doc_.SetModified(false);
  }
  bool Hidden(const char16_t* fullName) {
    return doc_.GraphSettings.Plots.at(TString(fullName)).Hide;
  }
};

TEST_F(GridVisibility, HideAndShowFindThePlotSettingsByFullNameAndMarkTheDocument) {
  ASSERT_EQ(doc_.GraphSettings.Plots.count(TString(u"Box::Sim::A")), 1u);
  ASSERT_EQ(doc_.GraphSettings.Plots.count(TString(u"Sim::B")), 1u);
  const TableRange bothWaves{2, 2, 9, 3};
  EXPECT_TRUE(AnySelectedWave(doc_, bothWaves, false));
  EXPECT_FALSE(AnySelectedWave(doc_, bothWaves, true));

  EXPECT_TRUE(SetSelectedWavesHidden(doc_, bothWaves, true));
  EXPECT_TRUE(Hidden(u"Box::Sim::A"));
  EXPECT_TRUE(Hidden(u"Sim::B"));
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_TRUE(AnySelectedWave(doc_, bothWaves, true));
  EXPECT_FALSE(AnySelectedWave(doc_, bothWaves, false));

  // Nothing changes a second time: the document stays as it is.
  doc_.SetModified(false);
  EXPECT_FALSE(SetSelectedWavesHidden(doc_, bothWaves, true));
  EXPECT_FALSE(doc_.IsModified());

  EXPECT_TRUE(SetSelectedWavesHidden(doc_, {2, 3, 2, 3}, false));
  EXPECT_TRUE(Hidden(u"Box::Sim::A"));
  EXPECT_FALSE(Hidden(u"Sim::B"));
  EXPECT_TRUE(doc_.IsModified());
}

TEST_F(GridVisibility, WavesWithoutPlotSettingsAndTheNumberColumnAreSkipped) {
  const TableRange numbersAndThirdWave{2, 0, 4, 0};
  EXPECT_FALSE(AnySelectedWave(doc_, numbersAndThirdWave, false));
  EXPECT_FALSE(SetSelectedWavesHidden(doc_, numbersAndThirdWave, true));
  const TableRange thirdWave{2, 5, 4, 6};
  EXPECT_FALSE(AnySelectedWave(doc_, thirdWave, false));
  EXPECT_FALSE(AnySelectedWave(doc_, thirdWave, true));
  EXPECT_FALSE(SetSelectedWavesHidden(doc_, thirdWave, true));
  EXPECT_FALSE(doc_.IsModified());
  EXPECT_EQ(doc_.GraphSettings.Plots.size(), 2u);  // no settings made up for it
}

}  // namespace
}  // namespace grid_test
