// ReadProcessed's shortcuts (cycle tables, the random walk's running sum and its blocks, first and
// last samples) against the walk over every sample: the same values, time stamps, qualities and
// statuses, bit for bit, for every item with history and intervals of every length.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "opc/opc_codes.h"
#include "tools/hdasim/core/aggregates.h"
#include "tools/hdasim/core/editing.h"

namespace hdasim {
namespace {

constexpr std::uint32_t kShortcutAggregates[] = {kAggCount,   kAggMinimumActualTime,
                                                 kAggMinimum, kAggMaximumActualTime,
                                                 kAggMaximum, kAggStart,
                                                 kAggEnd,     kAggRange};

constexpr Ticks kMs = kTicksPerMillisecond, kS = kTicksPerSecond, kMin = kTicksPerMinute,
                kH = kTicksPerHour, kDay = kTicksPerDay;
// Not on a whole second, so that intervals reaching it end between samples.
const Ticks kNow = MakeTicks(2024, 3, 10, 12, 34, 56, 789);

const ItemDefinition& ItemNamed(const std::wstring& id) {
  return TheCatalog().Item(TheCatalog().FindItem(id).value());
}

std::string Describe(const Sample& s) {
  std::ostringstream out;
  out << "t=" << s.time << " q=0x" << std::hex << s.quality << std::dec
      << " kind=" << static_cast<int>(s.value.kind) << " x=" << s.value.number
      << " i=" << s.value.integer;
  return out.str();
}

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

::testing::AssertionResult Same(const ProcessedResult& got, const ProcessedResult& want) {
  if (got.status != want.status)
    return ::testing::AssertionFailure() << "status " << static_cast<int>(got.status)
                                         << ", the walk gives " << static_cast<int>(want.status);
  if (got.values.size() != want.values.size())
    return ::testing::AssertionFailure()
           << got.values.size() << " values, the walk gives " << want.values.size();
  for (std::size_t i = 0; i < got.values.size(); ++i) {
    const Sample &a = got.values[i], &b = want.values[i];
    if (a.time != b.time || a.quality != b.quality || a.value.kind != b.value.kind ||
        !SameBits(a.value.number, b.value.number) || a.value.integer != b.value.integer ||
        a.value.text != b.value.text)
      return ::testing::AssertionFailure()
             << "interval " << i << ": " << Describe(a) << ", the walk gives " << Describe(b);
  }
  return ::testing::AssertionSuccess();
}

// The aggregates (those with a shortcut unless given) that the item has, over the intervals; each
// twice, so that what the first call keeps between calls is used too.
void ExpectSameAsWalk(const ItemHistory& history, Ticks start, Ticks end, Ticks step,
                      std::span<const std::uint32_t> aggregates = kShortcutAggregates) {
  std::vector<AggregateInterval> intervals;
  ASSERT_EQ(MakeIntervals(start, end, step, 100000, &intervals), IntervalError::kNone);
  for (std::uint32_t aggregate : aggregates) {
    if (!IsAggregateAvailable(history.Item(), aggregate)) continue;
    SCOPED_TRACE(::testing::Message()
                 << "aggregate " << aggregate << ", " << start << " to " << end << " by " << step);
    const ProcessedResult walk = ReadProcessedByWalk(history, aggregate, intervals);
    EXPECT_TRUE(Same(ReadProcessed(history, aggregate, intervals), walk)) << "first call";
    EXPECT_TRUE(Same(ReadProcessed(history, aggregate, intervals), walk)) << "second call";
  }
}

Ticks LogUniform(std::mt19937_64& rng, Ticks low, Ticks high) {
  std::uniform_real_distribution<double> exponent(std::log(static_cast<double>(low)),
                                                  std::log(static_cast<double>(high)));
  return static_cast<Ticks>(std::exp(exponent(rng)));
}

Ticks Uniform(std::mt19937_64& rng, Ticks low, Ticks high) {
  return std::uniform_int_distribution<Ticks>(low, high)(rng);
}

struct Span {
  Ticks start, end, step;
};

// Interval lengths from 1 ms to days, one to sixty of them, forward and reverse, around the start
// of history, around now or anywhere between; at most 5000 samples, so the walk stays quick.
Span RandomSpan(std::mt19937_64& rng, const ItemDefinition& item, Ticks period) {
  const Ticks budget = LogUniform(rng, 1, 5000) * period;
  Ticks step = LogUniform(rng, kMs, 3 * kDay);
  Ticks count = Uniform(rng, 1, 60);
  if (step > budget) step = std::max<Ticks>(budget, 1);
  count = std::min(count, std::max<Ticks>(budget / step, 1));
  Ticks span = count * step + (Uniform(rng, 0, 2) == 0 ? Uniform(rng, 0, step - 1) : 0);
  span = std::max<Ticks>(span, 1);
  Ticks anchor = 0;
  switch (Uniform(rng, 0, 2)) {
    case 0:
      anchor = item.history_start;
      break;
    case 1:
      anchor = kNow;
      break;
    default:
      anchor = Uniform(rng, item.history_start, kNow);
      break;
  }
  const Ticks start = anchor + Uniform(rng, -span, span);
  const bool reverse = Uniform(rng, 0, 2) == 0;
  return {start, reverse ? start - span : start + span, Uniform(rng, 0, 9) == 0 ? 0 : step};
}

// The items with generated history: all but most of the 5000 large ones.
std::vector<std::wstring> ItemsWithHistory() {
  std::vector<std::wstring> ids;
  for (const ItemDefinition& item : TheCatalog().Items()) {
    if (item.generator == Generator::kNone) continue;
    if (item.id.starts_with(L"Large/") && item.id != L"Large/Item 0000" &&
        item.id != L"Large/Item 2500" && item.id != L"Large/Item 4999")
      continue;
    ids.push_back(item.id);
  }
  return ids;
}

std::string TestName(const ::testing::TestParamInfo<std::wstring>& info) {
  std::string name;
  for (wchar_t c : info.param)
    if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'))
      name += static_cast<char>(c);
  return name + "_" + std::to_string(info.index);
}

class EveryItem : public ::testing::TestWithParam<std::wstring> {};

TEST_P(EveryItem, RandomIntervalsGiveWhatTheWalkGives) {
  const ItemDefinition& item = ItemNamed(GetParam());
  std::mt19937_64 rng(std::hash<std::wstring>()(item.id));
  const ItemHistory history(item, nullptr, kNow);
  ClearProcessedCaches();
  for (int i = 0; i < 24; ++i) {
    const Span span = RandomSpan(rng, item, item.period);
    ASSERT_NO_FATAL_FAILURE(ExpectSameAsWalk(history, span.start, span.end, span.step)) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Catalog, EveryItem, ::testing::ValuesIn(ItemsWithHistory()), TestName);

// The walk over hundreds of thousands of samples is slow under the sanitizers: long intervals
// compare only the extremes the shortcuts are made for.
constexpr std::uint32_t kExtremesWithTime[] = {kAggMinimumActualTime, kAggMaximumActualTime};

// Intervals holding several whole cycles of an item (several chunks of a random walk), with the
// status MINIMUMACTUALTIME is known to give, so the comparison covers both answers.
TEST(ProcessedShortcut, LongIntervalsAndTheirRepetitions) {
  struct Case {
    const wchar_t* item;
    Ticks start, step;
    int intervals;
    AggregateStatus minimum_status;
  };
  const Ticks june = MakeTicks(2021, 6, 1);
  const Case cases[] = {
      {L"Waves/Sine 1s", june + 250 * kMs, kH + 17 * kMs, 5, AggregateStatus::kExtraData},
      {L"Waves/Sine 1s", june, 30 * kS, 4, AggregateStatus::kOk},
      {L"Waves/Ramp 1s", june, kDay, 2, AggregateStatus::kOk},  // one midnight each
      {L"Waves/Ramp 1s", june + 7 * kH, 3 * kDay + kMs, 1, AggregateStatus::kExtraData},
      {L"Waves/Square 1s", june, kMin, 3, AggregateStatus::kExtraData},
      {L"Waves/Saw 1s", june + 500 * kMs, 45 * kS, 20, AggregateStatus::kExtraData},
      {L"Waves/Triangle 500ms", june, 10 * kS, 6, AggregateStatus::kOk},
      {L"Dense/Ramp 5ms", june, 3 * kMin + 1 * kMs, 2, AggregateStatus::kExtraData},
      {L"Gaps/Last 20s of each minute 1s", june + 40 * kS, 7 * kMin + 500 * kMs, 6,
       AggregateStatus::kExtraData},
      {L"Gaps/10min of each hour 10s", june, 5 * kH, 4, AggregateStatus::kExtraData},
      {L"Qualities/Cycling 1s", june, 2 * kH, 3, AggregateStatus::kExtraData},
      {L"Qualities/Every 10th bad 1s", june, 20 * kMin, 3, AggregateStatus::kExtraData},
      {L"Types/R4", june, 3 * kMin, 4, AggregateStatus::kExtraData},
      {L"Types/UI8", june, kMin, 4, AggregateStatus::kOk},
      {L"Types/BOOL", june, 25 * kS, 4, AggregateStatus::kExtraData},
      {L"Plant/Area 2/Speed", june, 12 * kH, 2, AggregateStatus::kExtraData},
      {L"Large/Item 4999", june, 3 * kH, 2, AggregateStatus::kExtraData},
      // A chunk of a random walk is 65536 samples: these reach over several.
      {L"Waves/Random walk 1s", june - 3 * kS, 2 * 65536 * kS + 5 * kS, 2,
       AggregateStatus::kExtraData},
      {L"Waves/Random walk 100ms", june, kH, 2, AggregateStatus::kExtraData},
      {L"Waves/Random walk 1min", june, 10 * kDay, 4, AggregateStatus::kExtraData},
  };
  ClearProcessedCaches();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << std::string(c.item, c.item + std::wcslen(c.item)) << " by " << c.step);
    const ItemHistory history(ItemNamed(c.item), nullptr, kNow);
    ASSERT_NO_FATAL_FAILURE(ExpectSameAsWalk(history, c.start, c.start + c.intervals * c.step,
                                             c.step, kExtremesWithTime));
    std::vector<AggregateInterval> intervals;
    MakeIntervals(c.start, c.start + c.intervals * c.step, c.step, 100000, &intervals);
    EXPECT_EQ(ReadProcessed(history, kAggMinimumActualTime, intervals).status, c.minimum_status);
  }
}

// Interval edges on and beside the edges of cycles, blocks and chunks, where a run is split into
// a part walked or looked up and the rest.
TEST(ProcessedShortcut, EdgesOfCyclesBlocksAndChunks) {
  struct Case {
    const wchar_t* item;
    Ticks edge;                  // a cycle or chunk edge
    Ticks unit;                  // the item's period
    std::vector<Ticks> lengths;  // in samples
  };
  const Ticks midnight = MakeTicks(2021, 6, 1);
  // The sample numbers of a 1 s walk are seconds since 1601: a chunk starts every 65536 of them.
  const Ticks chunk_edge = (midnight / kS / 65536 + 1) * 65536 * kS;
  const Case cases[] = {
      {L"Waves/Sine 1s", midnight, kS, {1, 2, 59, 60, 61, 119, 120, 121, 181}},
      {L"Waves/Ramp 1s", midnight, kS, {1, 2, 3}},
      {L"Gaps/Last 20s of each minute 1s", midnight + 40 * kS, kS, {1, 20, 21, 59, 60, 61, 121}},
      {L"Waves/Random walk 1s", chunk_edge, kS, {1, 63, 64, 127, 128, 129, 200, 1000}},
  };
  ClearProcessedCaches();
  for (const Case& c : cases) {
    const ItemHistory history(ItemNamed(c.item), nullptr, kNow);
    for (Ticks offset : {-65, -64, -63, -1, 0, 1, 63, 64}) {
      for (Ticks length : c.lengths) {
        const Ticks start = c.edge + offset * c.unit;
        ASSERT_NO_FATAL_FAILURE(
            ExpectSameAsWalk(history, start, start + length * c.unit, length * c.unit / 3 + 1));
        ASSERT_NO_FATAL_FAILURE(ExpectSameAsWalk(history, start, start + length * c.unit, 0));
      }
    }
  }
}

// Written values: the extremes and the count come from the walk, START and END from the first
// and last sample of the history with what was written in it.
TEST(ProcessedShortcut, WrittenItemsGiveWhatTheWalkGives) {
  const Ticks base = MakeTicks(2022, 2, 2, 12);
  for (const wchar_t* id : {L"Writable/Sine 10s", L"Writable/Empty R8"}) {
    SCOPED_TRACE(std::string(id, id + std::wcslen(id)));
    const ItemDefinition& item = ItemNamed(id);
    Overlay overlay;
    for (int i = 0; i < 40; ++i) {
      const Ticks t = base + i * 37 * kS + (i % 3) * kMs;
      const Sample sample{t, Value::Number(ValueKind::kR8, 150 - 7 * i),
                          i % 4 == 3 ? kDaUncertain : kDaGood};
      InsertOrReplaceValue(item, overlay, kNow, sample, L"test");
    }
    ASSERT_EQ(ReplaceValue(item, overlay, kNow,
                           Sample{base + 10 * kS, Value::Number(ValueKind::kR8, -500), kDaGood},
                           L"test") != WriteOutcome::kNothingToReplace,
              item.generator != Generator::kNone);
    DeleteRange(item, overlay, kNow, base + 5 * kMin, base + 9 * kMin, L"test");
    DeleteAt(item, overlay, kNow, base + 20 * kS, L"test");
    const ItemHistory history(item, &overlay, kNow);
    std::mt19937_64 rng(7);
    for (int i = 0; i < 30; ++i) {
      const Ticks start = base + Uniform(rng, -5 * kMin, 30 * kMin);
      const Ticks span = LogUniform(rng, kMs, kH);
      const Ticks step = std::max<Ticks>(span / Uniform(rng, 1, 40), 1);
      ASSERT_NO_FATAL_FAILURE(
          ExpectSameAsWalk(history, start, Uniform(rng, 0, 1) ? start + span : start - span, step));
    }
  }
}

}  // namespace
}  // namespace hdasim
