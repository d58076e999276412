// Time ticks over whole years: every month keeps its five-day ticks through the changes of
// daylight saving, whatever the local offset.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "graph/axis.h"
#include "graph/recording_canvas.h"
#include "graph_test_support.h"
#include "text/time_base.h"
#include "text/time_fields.h"

namespace graph {
namespace {

using testing::AxisFixture;

constexpr double kFiveDaysMs = 432000000.0;
constexpr double kSevenDaysMs = 604800000.0;
constexpr double kThirtyTwoDaysMs = 2764800000.0;

class LocalOffset {
 public:
  explicit LocalOffset(int minutes) : previous_(SetLocalOffsetForTesting(minutes * 60000.0)) {}
  ~LocalOffset() { SetLocalOffsetForTesting(previous_); }
  LocalOffset(const LocalOffset&) = delete;
  LocalOffset& operator=(const LocalOffset&) = delete;

 private:
  double previous_;
};

double LocalMidnight(int year, int month, int day) {
  TTimeFields fields;
  SetFields(year, day, month, 0, 0, 0, 0, fields);
  return FieldsToTime(fields);
}

void ExpectStrictlyIncreasing(const std::vector<double>& ticks, const char* list) {
  for (std::size_t i = 1; i < ticks.size(); ++i) {
    ASSERT_GT(ticks[i], ticks[i - 1]) << list << " tick " << i;
  }
}

// Each month from `firstYear` on for `months` months has ticks on the 1st, 5th, 10th, 15th, 20th
// and 25th, each at local midnight and none twice. The five-day list starts one gap after the
// first major tick, so the major ticks count too (the grid draws both).
void ExpectFiveDayTicksInEveryMonth(const std::vector<double>& fiveDayTicks,
                                    const std::vector<double>& majorTicks, int firstYear,
                                    int months) {
  std::vector<std::set<int>> days(static_cast<std::size_t>(months));
  std::string repeated, offMidnight;
  auto add = [&](double t, bool checkRepeat) {
    TTimeFields fields;
    TimeToFields(t, fields);
    std::string date = std::to_string(fields.day) + "/" + std::to_string(fields.month) + " ";
    if (fields.hour != 0 || fields.minute != 0) offMidnight += date;
    int index = (fields.year - firstYear) * 12 + fields.month - 1;
    if (index < 0 || index >= months) return;  // the tick that closes the range
    if (!days[static_cast<std::size_t>(index)].insert(fields.day).second && checkRepeat) {
      repeated += date;
    }
  };
  for (double t : fiveDayTicks) add(t, true);
  for (double t : majorTicks) add(t, false);
  EXPECT_EQ(repeated, "");
  EXPECT_EQ(offMidnight, "");
  const std::set<int> want = {1, 5, 10, 15, 20, 25};
  for (int m = 0; m < months; ++m) {
    EXPECT_EQ(days[static_cast<std::size_t>(m)], want)
        << "month " << m % 12 + 1 << "/" << firstYear + m / 12;
  }
}

struct YearAxisCase {
  int years;
  std::int32_t length;
  double wantMajor;
  // The list whose gap snaps to the five-day slots.
  enum { kMinor, kMicro } fiveDayList;
  double wantFiveDayGap;
};

// A period over whole years on a graph of the given width: offsets west and east of UTC, with
// the built-in summer time moving the local midnights by an hour twice a year.
TEST(GraphAxisCalendarTicks, EveryMonthKeepsItsFiveDayTicks) {
  const YearAxisCase cases[] = {
      {1, 1600, 1036800000, YearAxisCase::kMinor, kFiveDaysMs},
      {2, 4000, kThirtyTwoDaysMs, YearAxisCase::kMicro, kSevenDaysMs},
  };
  for (int offsetMinutes : {-300, 0, 60, 330}) {
    LocalOffset offset(offsetMinutes);
    for (const YearAxisCase& c : cases) {
      SCOPED_TRACE("offset " + std::to_string(offsetMinutes) + " min, " + std::to_string(c.years) +
                   " year(s)");
      AxisFixture<TBottomAxis> f(kBottom);
      f.settings().GridType = 2;
      f.Place(LocalMidnight(2024, 1, 1), LocalMidnight(2024 + c.years, 1, 1), {0, 0, c.length, 60});
      TRecordingCanvas dc;
      dc.SetFont(f.axis->LabelFont(false));
      f.axis->ComputeTimeTicks(dc);
      ASSERT_EQ(f.settings().MajorTickGap, c.wantMajor);
      ExpectStrictlyIncreasing(f.axis->MajorTicks(), "major");
      ExpectStrictlyIncreasing(f.axis->MinorTicks(), "minor");
      ExpectStrictlyIncreasing(f.axis->MicroTicks(), "micro");
      const bool minor = c.fiveDayList == YearAxisCase::kMinor;
      EXPECT_EQ(minor ? f.settings().MinorTickGap : f.settings().MicroTickGap, c.wantFiveDayGap);
      ExpectFiveDayTicksInEveryMonth(minor ? f.axis->MinorTicks() : f.axis->MicroTicks(),
                                     f.axis->MajorTicks(), 2024, 12 * c.years);
      EXPECT_EQ(f.axis->LabelCount(), f.axis->MajorTicks().size());
    }
  }
}

// Manual ticks snap the same way: a five-day minor gap from the first of the year.
TEST(GraphAxisCalendarTicks, ManualFiveDayTicksReachDecember) {
  for (int offsetMinutes : {-300, 0, 60, 330}) {
    LocalOffset offset(offsetMinutes);
    SCOPED_TRACE("offset " + std::to_string(offsetMinutes) + " min");
    AxisFixture<TBottomAxis> f(kBottom);
    TAxisSettings& s = f.settings();
    s.ManualTicks = true;
    s.FirstMajorTick = s.FirstMinorTick = LocalMidnight(2024, 1, 1);
    s.MajorTickGap = kThirtyTwoDaysMs;
    s.MinorTickGap = kFiveDaysMs;
    f.Place(LocalMidnight(2024, 1, 1), LocalMidnight(2025, 1, 1), {0, 0, 1600, 60});
    TRecordingCanvas dc;
    f.axis->ComputeTimeTicks(dc);
    ExpectStrictlyIncreasing(f.axis->MajorTicks(), "major");
    ExpectStrictlyIncreasing(f.axis->MinorTicks(), "minor");
    EXPECT_EQ(f.axis->MajorTicks().size(), 13u);  // every first of the month and 1 January 2025
    ExpectFiveDayTicksInEveryMonth(f.axis->MinorTicks(), f.axis->MajorTicks(), 2024, 12);
  }
}

}  // namespace
}  // namespace graph
