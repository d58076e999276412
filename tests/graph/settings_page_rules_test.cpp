#include "graph/settings_page_rules.h"

#include <gtest/gtest.h>

#include <limits>

#include "graph_test_support.h"
#include "text/time_fields.h"

namespace graph {
namespace {

std::u16string Text(const TString& s) { return s.Str(); }

TAxisValueTexts Texts(const char16_t* min, const char16_t* max, const char16_t* first,
                      const char16_t* major, const char16_t* minor, const char16_t* micro) {
  return {min, max, first, major, minor, micro};
}

// Texts no user types: every field counts as changed.
const TAxisValueTexts kNothingShown = Texts(u"\x1", u"\x1", u"\x1", u"\x1", u"\x1", u"\x1");

TEST(AxisPageTexts, ValuesAndGapsAreShownInTheFormOfTheAxisFormat) {
  testing::UtcTime utc;
  const double t = testing::kMarch2024 + ((13 * 60 + 45) * 60 + 10) * 1000.0 + 250;
  EXPECT_EQ(Text(AxisValueText(kTimeFormat, t)), u"01/03/2024 13:45:10.250");
  EXPECT_EQ(Text(AxisValueText(kDurationFormat, 3723004)), u"01:02:03.004");
  EXPECT_EQ(Text(AxisValueText(kNumericFormat, 1.5)), u"1.500");
  EXPECT_EQ(Text(AxisValueText(kNumericFormat, -2e13)), u"-2E+13");
  EXPECT_EQ(Text(AxisValueText(kNumericFormat, std::numeric_limits<double>::infinity())), u"INF");
  // Gaps of time axes are durations; numeric gaps stay numbers.
  EXPECT_EQ(Text(AxisGapText(kTimeFormat, 3600000)), u"01:00:00.000");
  EXPECT_EQ(Text(AxisGapText(kDurationFormat, 500)), u"00:00:00.500");
  EXPECT_EQ(Text(AxisGapText(kNumericFormat, 0.25)), u"0.250");

  TAxisSettings axis(1, kBottom);
  axis.MinValue = t;
  axis.MaxValue = t + 1000;
  axis.FirstMajorTick = t;
  axis.MajorTickGap = 60000;
  const TAxisValueTexts texts = AxisValueTexts(axis);
  EXPECT_EQ(Text(texts.max), u"01/03/2024 13:45:11.250");
  EXPECT_EQ(Text(texts.firstTick), u"01/03/2024 13:45:10.250");
  EXPECT_EQ(Text(texts.majorGap), u"00:01:00.000");
  EXPECT_EQ(Text(texts.microGap), u"00:00:00.000");
}

TEST(AxisPageTexts, ShownValuesReadBackToTheSameValues) {
  testing::UtcTime utc;
  const double t = testing::kMarch2024 + 7 * 3600000.0 + 123;
  const std::pair<std::int32_t, double> values[] = {
      {kTimeFormat, t},      {kTimeFormat, t + 1},   {kDurationFormat, 3723004},
      {kDurationFormat, 12}, {kNumericFormat, 12.5}, {kNumericFormat, -0.125}};
  for (auto [format, value] : values) {
    EXPECT_DOUBLE_EQ(ReadAxisValue(format, AxisValueText(format, value)), value) << format;
  }
  EXPECT_DOUBLE_EQ(ReadAxisGap(kTimeFormat, u"00:01:00.000"), 60000);
  EXPECT_DOUBLE_EQ(ReadAxisGap(kNumericFormat, u"0.250"), 0.25);
  EXPECT_DOUBLE_EQ(ReadAxisValue(kNumericFormat, u"abc"), 0) << "a text without a number is 0";
  // A date without a year is in the current year.
  TTimeFields now;
  NowFields(now);
  TTimeFields read;
  TimeToFields(ReadAxisValue(kTimeFormat, u"01/03 10:00"), read);
  EXPECT_EQ(read.year, now.year);
  EXPECT_EQ(read.hour, 10);
}

TEST(AxisPageStore, GapsAreSortedAndRepairedAndTheRangeNormalised) {
  struct Case {
    TAxisValueTexts texts;
    double min, max, major, minor, micro;
  };
  const Case cases[] = {
      // Gaps 1, 10 and 5 are stored as major 10, minor 5, micro 1.
      {Texts(u"0", u"100", u"0", u"1", u"10", u"5"), 0, 100, 10, 5, 1},
      // Equal ends on a numeric axis are widened to half and one and a half.
      {Texts(u"5", u"5", u"0", u"1", u"0", u"0"), 2.5, 7.5, 1, 0, 0},
      {Texts(u"0", u"0", u"0", u"1", u"0", u"0"), -1, 1, 1, 0, 0},
      // Ends in the wrong order are swapped; no major gap becomes a tenth of the range; gaps
      // that are not positive become none.
      {Texts(u"50", u"-30", u"0", u"0", u"-2", u"0"), -30, 50, 8, 0, 0},
      {Texts(u"0", u"10", u"0", u"x", u"y", u"z"), 0, 10, 1, 0, 0},
  };
  for (const Case& c : cases) {
    TAxisSettings axis(1, kLeft);
    StoreAxisValueTexts(axis, kNothingShown, c.texts);
    EXPECT_DOUBLE_EQ(axis.MinValue, c.min) << testing::Narrow(Text(c.texts.min));
    EXPECT_DOUBLE_EQ(axis.MaxValue, c.max) << testing::Narrow(Text(c.texts.min));
    EXPECT_DOUBLE_EQ(axis.MajorTickGap, c.major) << testing::Narrow(Text(c.texts.min));
    EXPECT_DOUBLE_EQ(axis.MinorTickGap, c.minor) << testing::Narrow(Text(c.texts.min));
    EXPECT_DOUBLE_EQ(axis.MicroTickGap, c.micro) << testing::Narrow(Text(c.texts.min));
  }
}

TEST(AxisPageStore, FirstTickTimeTextsAndTextsThatAreNoValue) {
  testing::UtcTime utc;
  TAxisSettings axis(2, kBottom);
  axis.MinValue = 11;
  axis.MaxValue = 22;
  StoreAxisValueTexts(
      axis, kNothingShown,
      Texts(u"INF", u"01/03/2024 01:00", u"01/03/2024 00:30", u"00:10", u"1:00", u"INF"));
  EXPECT_DOUBLE_EQ(axis.MinValue, 11) << "a time that is no time keeps the field";
  EXPECT_DOUBLE_EQ(axis.MaxValue, testing::kMarch2024 + 3600000);
  EXPECT_DOUBLE_EQ(axis.FirstMajorTick, testing::kMarch2024 + 1800000);
  EXPECT_DOUBLE_EQ(axis.FirstMinorTick, axis.FirstMajorTick);
  EXPECT_DOUBLE_EQ(axis.FirstMicroTick, axis.FirstMajorTick);
  EXPECT_DOUBLE_EQ(axis.MajorTickGap, 3600000);
  EXPECT_DOUBLE_EQ(axis.MinorTickGap, 600000);
  EXPECT_DOUBLE_EQ(axis.MicroTickGap, 0) << "an infinite gap counts as none";
  // Equal times are widened by a second either side.
  StoreAxisValueTexts(axis, kNothingShown, Texts(u"01/03/2024", u"01/03/2024", u"", u"", u"", u""));
  EXPECT_DOUBLE_EQ(axis.MinValue, testing::kMarch2024 - 1000);
  EXPECT_DOUBLE_EQ(axis.MaxValue, testing::kMarch2024 + 1000);
}

TEST(AxisPageStore, TextsAreReadInTheFormatChosenOnThePage) {
  // The page showed a numeric axis; the user chose durations and typed durations.
  TAxisSettings axis(1, kLeft);
  axis.Format = kDurationFormat;
  StoreAxisValueTexts(axis, kNothingShown,
                      Texts(u"00:00:01.500", u"00:01:00.000", u"0", u"00:00:10.000", u"", u""));
  EXPECT_DOUBLE_EQ(axis.MinValue, 1500);
  EXPECT_DOUBLE_EQ(axis.MaxValue, 60000);
  EXPECT_DOUBLE_EQ(axis.MajorTickGap, 10000);
  // Texts left as shown keep their values whatever the format chosen.
  const TAxisValueTexts shown = AxisValueTexts(axis);
  const TAxisSettings before = axis;
  axis.Format = kNumericFormat;
  StoreAxisValueTexts(axis, shown, shown);
  axis.Format = kDurationFormat;
  EXPECT_TRUE(axis == before);
}

TEST(AxisPageStore, TextsLeftAsShownKeepTheirValuesExactly) {
  TAxisSettings axis(1, kLeft);
  axis.MinValue = 0.12345;  // shown as 0.123
  axis.MaxValue = 9.87654;
  axis.FirstMajorTick = 0.0004;
  axis.MajorTickGap = 0.33333;
  axis.MinorTickGap = 0.11111;
  const TAxisSettings before = axis;
  const TAxisValueTexts shown = AxisValueTexts(axis);
  StoreAxisValueTexts(axis, shown, shown);
  EXPECT_TRUE(axis == before) << "opening and leaving the page changed the axis";
  // One end typed: the other keeps its exact value.
  TAxisValueTexts typed = shown;
  typed.max = u"20";
  StoreAxisValueTexts(axis, shown, typed);
  EXPECT_DOUBLE_EQ(axis.MinValue, 0.12345);
  EXPECT_DOUBLE_EQ(axis.MaxValue, 20);
  EXPECT_DOUBLE_EQ(axis.MajorTickGap, 0.33333) << "the gaps were not touched";
  // One gap typed: all three are sorted from their values.
  typed = shown;
  typed.microGap = u"1";
  StoreAxisValueTexts(axis, shown, typed);
  EXPECT_DOUBLE_EQ(axis.MajorTickGap, 1);
  EXPECT_DOUBLE_EQ(axis.MinorTickGap, 0.33333);
  EXPECT_DOUBLE_EQ(axis.MicroTickGap, 0.11111);
}

TEST(AxisPageAxes, AddCopiesTheCurrentAxisUnderTheNextNameAndFreeId) {
  TGraphSettings s;  // left Axis_1, bottom Axis_2
  s.Axes.emplace(4, TAxisSettings(4, kRight));
  s.Axes.at(2).PenColor = Rgb(1, 2, 3);
  const std::int32_t id = AddAxis(s, 2);
  EXPECT_EQ(id, 3);
  const TAxisSettings& added = s.Axes.at(3);
  EXPECT_EQ(added.Id, 3);
  EXPECT_EQ(Text(added.Name), u"Axis_3");
  EXPECT_EQ(added.Location, kBottom);
  EXPECT_EQ(added.PenColor, Rgb(1, 2, 3));
  // Without a current axis: a new left axis with the defaults.
  const std::int32_t fresh = AddAxis(s, -1);
  EXPECT_EQ(fresh, 5);
  EXPECT_EQ(s.Axes.at(5).Location, kLeft);
  EXPECT_EQ(Text(s.Axes.at(5).Name), u"Axis_5");
  EXPECT_TRUE(s.Axes.at(5) == TAxisSettings(5, kLeft));
}

TEST(AxisPageAxes, DeleteNeedsAnotherAxisOfTheSameOrientationAndNoWave) {
  TGraphSettings s;  // left 1, bottom 2
  EXPECT_FALSE(CanDeleteAxis(s, 1));
  EXPECT_FALSE(CanDeleteAxis(s, 2));
  EXPECT_FALSE(CanDeleteAxis(s, 9));
  s.Axes.emplace(3, TAxisSettings(3, kRight));
  s.Axes.emplace(4, TAxisSettings(4, kTop));
  EXPECT_TRUE(CanDeleteAxis(s, 1)) << "left and right axes together";
  EXPECT_TRUE(CanDeleteAxis(s, 4)) << "top and bottom axes together";

  TPlotSettings wave;
  wave.Name = u"Plant/Temperature";
  wave.YAxisId = 3;
  wave.XAxisId = 2;
  s.Plots.emplace(wave.Name, wave);
  ASSERT_NE(WaveUsingAxis(s, 3), nullptr);
  EXPECT_EQ(Text(WaveUsingAxis(s, 3)->Name), u"Plant/Temperature");
  EXPECT_NE(WaveUsingAxis(s, 2), nullptr);
  EXPECT_EQ(WaveUsingAxis(s, 1), nullptr);

  EXPECT_EQ(DeleteAxis(s, 1), 2) << "the next axis becomes current";
  EXPECT_EQ(DeleteAxis(s, 4), 3) << "the last axis gives the previous one";
  EXPECT_EQ(DeleteAxis(s, 8), -1);
  EXPECT_EQ(s.Axes.size(), 2u);
}

TEST(AxisPageAxes, TheAxisCombosOfAWaveOfferOnlyAxesOfTheirDirection) {
  EXPECT_TRUE(IsVerticalLocation(kLeft));
  EXPECT_TRUE(IsVerticalLocation(kRight));
  EXPECT_FALSE(IsVerticalLocation(kTop));
  EXPECT_FALSE(IsVerticalLocation(kBottom));
  EXPECT_FALSE(IsVerticalLocation(7));
}

}  // namespace
}  // namespace graph
