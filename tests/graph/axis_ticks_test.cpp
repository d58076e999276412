#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "graph/axis.h"
#include "graph/recording_canvas.h"
#include "graph_test_support.h"
#include "text/numbers.h"
#include "text/time_fields.h"
#include "text/tstring.h"

namespace graph {
namespace {

using testing::AxisFixture;
using testing::kDayMs;
using testing::kMarch2024;
using testing::UtcTime;

struct NormaliseCase {
  std::int32_t format;
  double min, max;
  double wantMin, wantMax;
};

TEST(GraphAxisRange, NormalisesEqualAndReversedPairs) {
  const double t = kMarch2024;
  const NormaliseCase cases[] = {
      {kNumericFormat, 7, 7, 3.5, 10.5},
      {kNumericFormat, 0, 0, -1, 1},
      {kNumericFormat, -4, -4, -6, -2},
      {kNumericFormat, 5, 2, 2, 5},
      {kTimeFormat, t, t, t - 1000, t + 1000},
      {kDurationFormat, 0, 0, -1000, 1000},
      {kTimeFormat, 3, 1, 1, 3},
  };
  for (const auto& c : cases) {
    double min = c.min, max = c.max;
    NormaliseRange(c.format, min, max);
    EXPECT_EQ(min, c.wantMin) << c.format << " " << c.min;
    EXPECT_EQ(max, c.wantMax) << c.format << " " << c.min;
  }
}

// Vertical numeric axes of a given length: the row search and the label-fit test.
struct NumCase {
  double min, max;
  std::int32_t length;
  double wantMajor;
  double wantExponent;
  std::u16string firstLabel, lastLabel;
  std::size_t labelCount;
};

TEST(GraphAxisTicks, NumericRowsAndExponent) {
  const NumCase cases[] = {
      // 0..1 starts one row finer than the row covering 1: 21 labels when they fit.
      {0, 1, 400, 0.05, 0, u"0", u"1", 21},
      {0, 1, 300, 0.1, 0, u"0", u"1", 11},
      // 0..50000 is labelled in thousands.
      {0, 50000, 400, 5000, 3, u"0", u"50", 11},
      {0, 0.002, 400, 0.0001, -3, u"0", u"2", 21},
      // Labels that never fit keep the coarsest row.
      {0, 1, 5, 1000, 0, u"0", u"0", 1},
  };
  for (const auto& c : cases) {
    AxisFixture<TLeftAxis> f(kLeft);
    f.Place(c.min, c.max, {0, 0, 80, c.length + 1});
    ASSERT_EQ(f.axis->Length(), c.length);
    TRecordingCanvas dc;
    dc.SetFont(f.axis->LabelFont(false));
    f.axis->ComputeNumTicks(dc);
    SCOPED_TRACE(testing::Narrow(c.lastLabel) + " over " + std::to_string(c.length));
    EXPECT_DOUBLE_EQ(f.settings().MajorTickGap, c.wantMajor);
    EXPECT_EQ(f.axis->Exponent(), c.wantExponent);
    auto labels = f.Labels();
    ASSERT_EQ(labels.size(), c.labelCount);
    EXPECT_EQ(labels.front(), c.firstLabel);
    EXPECT_EQ(labels.back(), c.lastLabel);
    EXPECT_EQ(f.settings().FirstMajorTick, f.axis->MajorTicks().front());
  }
}

// Horizontal axes have no place for a power of ten: the row comes from the range in units of
// the power, as on vertical axes, and the labels show the full values.
template <typename Axis>
void ExpectFullValueLabels(std::int32_t location, double min, double max) {
  AxisFixture<Axis> f(location);
  f.settings().Format = kNumericFormat;
  f.Place(min, max, {0, 0, 1000, 60});
  TRecordingCanvas dc;
  dc.SetFont(f.axis->LabelFont(false));
  f.axis->ComputeNumTicks(dc);
  SCOPED_TRACE(std::to_string(min) + " .. " + std::to_string(max) + " on " +
               std::to_string(location));
  EXPECT_EQ(f.axis->Exponent(), 0);
  EXPECT_TRUE(f.axis->LabelsFit(f.axis->LabelExtent(dc)));
  const auto& ticks = f.axis->MajorTicks();
  ASSERT_GE(ticks.size(), 3u);
  const double gap = f.settings().MajorTickGap;
  EXPECT_GE(ticks.front(), min - gap * 1e-9);
  EXPECT_LE(ticks.back(), max + gap * 1e-9);
  EXPECT_GT(ticks.back() + gap, max * (1 + 1e-12)) << "the range end is not reached";
  auto labels = f.Labels();
  ASSERT_EQ(labels.size(), ticks.size());
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    TString label(labels[i].c_str());
    EXPECT_NEAR(ParseNumber(label.Str()), ticks[i], gap * 1e-6) << testing::Narrow(labels[i]);
  }
}

TEST(GraphAxisTicks, HorizontalNumericAxesLabelFullValues) {
  const std::pair<double, double> ranges[] = {
      {0, 0.001}, {0, 1}, {0, 50000}, {0, 5e6}, {-3e9, 3e9},
  };
  for (const auto& [min, max] : ranges) {
    ExpectFullValueLabels<TBottomAxis>(kBottom, min, max);
    ExpectFullValueLabels<TTopAxis>(kTop, min, max);
  }
}

TEST(GraphAxisTicks, HorizontalNumericAxisOfMillionsStepsInHalfMillions) {
  AxisFixture<TBottomAxis> f(kBottom);
  f.settings().Format = kNumericFormat;
  f.Place(0, 5e6, {0, 0, 1000, 60});
  TRecordingCanvas dc;
  dc.SetFont(f.axis->LabelFont(false));
  f.axis->ComputeNumTicks(dc);
  EXPECT_EQ(f.settings().MajorTickGap, 500000);
  auto labels = f.Labels();
  ASSERT_EQ(labels.size(), 11u);
  EXPECT_EQ(labels[1], u"500000");
  EXPECT_EQ(labels.back(), u"5000000");
}

TEST(GraphAxisTicks, ManualNumericTicksUseTheSettingsPower) {
  AxisFixture<TLeftAxis> f(kLeft);
  TAxisSettings& s = f.settings();
  s.ManualTicks = true;
  s.Exponent = 3;
  s.FirstMajorTick = 0;
  s.MajorTickGap = 10000;
  s.FirstMinorTick = 0;
  s.MinorTickGap = 5000;
  f.Place(0, 50000, {0, 0, 80, 401});
  TRecordingCanvas dc;
  f.axis->ComputeNumTicks(dc);
  EXPECT_EQ(f.Labels(), (std::vector<std::u16string>{u"0", u"10", u"20", u"30", u"40", u"50"}));
  EXPECT_EQ(f.axis->Exponent(), 3);
  EXPECT_EQ(f.axis->MinorTicks().size(), 11u);
  EXPECT_TRUE(f.axis->MicroTicks().empty());
}

TEST(GraphAxisTicks, EveryTickListStopsAfterAThousandSteps) {
  AxisFixture<TLeftAxis> f(kLeft);
  TAxisSettings& s = f.settings();
  s.ManualTicks = true;
  s.MajorTickGap = 1e-6;
  s.MinorTickGap = 1e-7;
  f.Place(0, 1, {0, 0, 80, 401});
  TRecordingCanvas dc;
  f.axis->ComputeNumTicks(dc);
  EXPECT_EQ(f.axis->MajorTicks().size(), 1000u);
  EXPECT_EQ(f.axis->MinorTicks().size(), 1000u);
  f.axis->PlaceNumTicks(dc, 1, 1e-6, 1e-7, 1e-8, 1);
  EXPECT_EQ(f.axis->MicroTicks().size(), 1000u);
}

TEST(GraphAxisTicks, ManualTicksWithoutGapPlaceNothing) {
  AxisFixture<TLeftAxis> f(kLeft);
  f.settings().ManualTicks = true;
  f.settings().MajorTickGap = -5;
  f.Place(0, 0, {0, 0, 80, 401});  // also normalised: the gap becomes (1 - -1) / 10
  TRecordingCanvas dc;
  f.axis->ComputeNumTicks(dc);
  EXPECT_DOUBLE_EQ(f.settings().MajorTickGap, 0.2);
  EXPECT_FALSE(f.axis->MajorTicks().empty());
}

struct TimeCase {
  double min, max;
  std::int32_t length;
  double wantMajor;
  std::u16string firstLabel;
};

TEST(GraphAxisTicks, TimeAxisRowsAndCalendarSnapping) {
  UtcTime utc;
  const double jan2024 = 1704067200000.0, jan2026 = 1767225600000.0;
  const TimeCase cases[] = {
      // Three days: six-hour ticks from midnight of the first day when they fit.
      {kMarch2024, kMarch2024 + 3 * kDayMs, 1100, 21600000, u"01/03 00:00"},
      {kMarch2024, kMarch2024 + 3 * kDayMs, 600, 43200000, u"01/03 00:00"},
      {kMarch2024 + 5 * 3600000.0, kMarch2024 + 3 * kDayMs, 1100, 21600000, u"01/03 06:00"},
      // Two years: months, every other month, then years.
      {jan2024, jan2026, 2000, 2764800000, u"01/01/2024"},
      {jan2024, jan2026, 1000, 5529600000, u"01/01/2024"},
      {jan2024, jan2026, 250, 31795200000, u"01/01/2024"},
      // Ten seconds: seconds; under a second: milliseconds.
      {kMarch2024, kMarch2024 + 10000, 1000, 1000, u"00:00:00"},
      {kMarch2024, kMarch2024 + 400, 1000, 50, u"00:00:00.000"},
  };
  for (const auto& c : cases) {
    AxisFixture<TBottomAxis> f(kBottom);
    f.Place(c.min, c.max, {0, 0, c.length, 60});
    TRecordingCanvas dc;
    dc.SetFont(f.axis->LabelFont(false));
    f.axis->ComputeTimeTicks(dc);
    SCOPED_TRACE(std::to_string(c.max - c.min) + " over " + std::to_string(c.length));
    EXPECT_DOUBLE_EQ(f.settings().MajorTickGap, c.wantMajor);
    ASSERT_FALSE(f.Labels().empty());
    EXPECT_EQ(f.Labels().front(), c.firstLabel);
    const auto& ticks = f.axis->MajorTicks();
    for (std::size_t i = 1; i < ticks.size(); ++i) EXPECT_GT(ticks[i], ticks[i - 1]);
    if (c.wantMajor >= 2764800000) {
      int previousMonth = 0;
      for (double t : ticks) {
        TTimeFields fields;
        TimeToFields(t, fields);
        EXPECT_EQ(fields.day, 1);
        EXPECT_EQ(fields.hour, 0);
        int month = fields.year * 12 + fields.month;
        if (previousMonth) {
          EXPECT_EQ(month - previousMonth, c.wantMajor >= 31622400000 ? 12
                                           : c.wantMajor > 2764800000 ? 2
                                                                      : 1);
        }
        previousMonth = month;
      }
    }
  }
}

TEST(GraphAxisTicks, FiveDayTicksPassTheEndOfLongMonths) {
  UtcTime utc;
  AxisFixture<TBottomAxis> f(kBottom);
  f.Place(kMarch2024, kMarch2024 + 150 * kDayMs, {0, 0, 1000, 60});
  TRecordingCanvas dc;
  f.axis->PlaceTimeTicks(dc, 150 * kDayMs, 1036800000, 432000000, 86400000);
  for (const auto* ticks : {&f.axis->MajorTicks(), &f.axis->MinorTicks()}) {
    ASSERT_GT(ticks->size(), 10u);
    for (std::size_t i = 1; i < ticks->size(); ++i) EXPECT_GT((*ticks)[i], (*ticks)[i - 1]);
    EXPECT_GT(ticks->back(), kMarch2024 + 140 * kDayMs);
  }
  // The five-day ticks fall on the 1st, 5th, 10th, 15th, 20th and 25th.
  for (double t : f.axis->MinorTicks()) {
    TTimeFields fields;
    TimeToFields(t, fields);
    EXPECT_TRUE(fields.day == 1 || fields.day % 5 == 0) << fields.day;
  }
}

TEST(GraphAxisTicks, DurationTicksStartAtAMultipleOfTheGap) {
  AxisFixture<TBottomAxis> f(kBottom);
  f.settings().Format = kDurationFormat;
  f.Place(2500, 9000, {0, 0, 1500, 60});
  TRecordingCanvas dc;
  dc.SetFont(f.axis->LabelFont(false));
  f.axis->ComputeDurationTicks(dc);
  EXPECT_EQ(f.settings().MajorTickGap, 500);
  EXPECT_EQ(f.axis->MajorTicks().front(), 2500);
  EXPECT_EQ(f.Labels().front(), u"00:00:02.500");
  EXPECT_EQ(f.axis->MinorTicks().front(), 2750);  // first + minor
}

struct FormatCase {
  std::int32_t format;
  double gap, value;
  std::u16string want;
};

TEST(GraphAxisLabels, FormatValueByFormat) {
  UtcTime utc;
  const FormatCase cases[] = {
      {kNumericFormat, 0.1, 0.30000000000000004, u"0.3"},
      {kNumericFormat, 1, -0.0, u"0"},
      {kNumericFormat, 1, -1e-17, u"0"},
      {kNumericFormat, 1, 2.5, u"2.5"},
      {kNumericFormat, 1, 12345.6789, u"12345.679"},
      {kNumericFormat, 1, 1e14, u"1E+14"},
      {kDurationFormat, 500, 1500, u"00:00:01.500"},
      {kDurationFormat, 1000, 3000, u"00:00:03"},
      {kDurationFormat, 1000, 2999.6, u"00:00:03"},
      {kDurationFormat, 60000, 90000000, u"25:00"},
      {kDurationFormat, 259200000, 259200000, u"3 d."},
      {kTimeFormat, 500, kMarch2024 + 45296789, u"12:34:56.789"},
      {kTimeFormat, 1000, kMarch2024 + 45296789, u"12:34:56"},
      {kTimeFormat, 3600000, kMarch2024 + 45296789, u"01/03 12:34"},
      {kTimeFormat, 86400000, kMarch2024, u"01/03"},
      {kTimeFormat, 2764800000, kMarch2024, u"01/03/2024"},
      {kTimeFormat, 1000, INFINITY, u"INF"},
  };
  for (const auto& c : cases) {
    AxisFixture<TBottomAxis> f(kBottom);
    f.settings().Format = c.format;
    TString text;
    f.axis->FormatValue(text, c.gap, c.value);
    EXPECT_EQ(std::u16string(text.Str()), c.want) << c.format << " " << c.value;
  }
}

TEST(GraphAxisTicks, TablesHaveTheirRows) {
  EXPECT_EQ(TAxis::NumTable().size(), 14u);
  EXPECT_EQ(TAxis::DurationTable().size(), 30u);
  ASSERT_EQ(TAxis::TimeTable().size(), 33u);
  for (std::size_t i = 0; i < 26; ++i) {
    EXPECT_EQ(TAxis::TimeTable()[i].major, TAxis::DurationTable()[i].major);
  }
  EXPECT_EQ(TAxis::TimeTable()[32].major, 63590400000.0);
  for (const auto* table : {&TAxis::NumTable(), &TAxis::DurationTable(), &TAxis::TimeTable()}) {
    for (std::size_t i = 1; i < table->size(); ++i) {
      EXPECT_GT((*table)[i].threshold, (*table)[i - 1].threshold);
    }
  }
}

}  // namespace
}  // namespace graph
