// ReadProcessed of the simulator's value model as a client asks for an overview: START, END,
// MINIMUMACTUALTIME and MAXIMUMACTUALTIME, one call each, over 1600 intervals of a week or a
// month of 1 s items; the walk over every sample against the shortcuts, in the same run
// (bench/README.md). Portable: built natively (Release for figures) and in the Windows trees.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/hdasim/core/aggregates.h"
#include "tools/hdasim/core/editing.h"

namespace {

using hdasim::Ticks;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kOverview[] = {hdasim::kAggStart, hdasim::kAggEnd,
                                       hdasim::kAggMinimumActualTime,
                                       hdasim::kAggMaximumActualTime};
constexpr int kIntervals = 1600;
constexpr int kRepetitions = 5;

const Ticks kNow = hdasim::MakeTicks(2024, 3, 10, 12);

struct Read {
  const hdasim::ItemDefinition* item;
  const hdasim::Overlay* overlay;
  Ticks span;
};

using Reader = hdasim::ProcessedResult (*)(const hdasim::ItemHistory&, std::uint32_t,
                                           const std::vector<hdasim::AggregateInterval>&);

// Milliseconds for the four calls on each of the reads; the checksum keeps the work from being
// left out.
double Time(const std::vector<Read>& reads, Reader reader, double* checksum) {
  const Clock::time_point start = Clock::now();
  for (const Read& read : reads) {
    std::vector<hdasim::AggregateInterval> intervals;
    hdasim::MakeIntervals(kNow - read.span, kNow, read.span / kIntervals, 100000, &intervals);
    const hdasim::ItemHistory history(*read.item, read.overlay, kNow);
    for (std::uint32_t aggregate : kOverview)
      for (const hdasim::Sample& s : reader(history, aggregate, intervals).values)
        *checksum += s.value.number + static_cast<double>(s.time % 1000);
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

const hdasim::ItemDefinition* Item(const wchar_t* id) {
  return &hdasim::TheCatalog().Item(*hdasim::TheCatalog().FindItem(id));
}

void Report(const char* what, const std::vector<Read>& reads, bool walk) {
  double walked = 0, cold = 0, checksum_walk = 0, checksum_fast = 0;
  if (walk) walked = Time(reads, hdasim::ReadProcessedByWalk, &checksum_walk);
  hdasim::ClearProcessedCaches();
  cold = Time(reads, hdasim::ReadProcessed, &checksum_fast);
  std::vector<double> warm;
  for (int i = 0; i < kRepetitions; ++i) {
    double ignored = 0;
    warm.push_back(Time(reads, hdasim::ReadProcessed, &ignored));
  }
  std::printf("| %s | ", what);
  if (walk) {
    std::printf("%.1f ms | ", walked);
  } else {
    std::printf("| ");
  }
  std::printf("%.2f ms | %.2f ms |", cold, Median(warm));
  if (walk)
    std::printf(" %.0fx | %s", walked / cold,
                checksum_walk == checksum_fast ? "same" : "DIFFERENT");
  std::printf("\n");
}

}  // namespace

int main() {
  constexpr Ticks kWeek = hdasim::kTicksPerWeek, kMonth = 30 * hdasim::kTicksPerDay;
  std::printf(
      "| Four calls over %d intervals | Walk | Shortcuts, cold | Shortcuts, warm (median of %d) "
      "| Ratio (cold) | Results |\n|---|---|---|---|---|---|\n",
      kIntervals, kRepetitions);
  Report("`Waves/Sine 1s`, month", {{Item(L"Waves/Sine 1s"), nullptr, kMonth}}, true);
  Report("`Waves/Random walk 1s`, month", {{Item(L"Waves/Random walk 1s"), nullptr, kMonth}}, true);
  Report(
      "both, month",
      {{Item(L"Waves/Sine 1s"), nullptr, kMonth}, {Item(L"Waves/Random walk 1s"), nullptr, kMonth}},
      true);
  Report("`Gaps/Last 20s of each minute 1s`, week",
         {{Item(L"Gaps/Last 20s of each minute 1s"), nullptr, kWeek}}, true);
  Report("`Qualities/Cycling 1s`, week", {{Item(L"Qualities/Cycling 1s"), nullptr, kWeek}}, true);

  std::vector<Read> ten;
  for (const wchar_t* id :
       {L"Waves/Sine 1s", L"Waves/Ramp 1s", L"Waves/Saw 1s", L"Waves/Square 1s",
        L"Waves/Triangle 1s", L"Waves/Random walk 1s", L"Qualities/Cycling 1s",
        L"Qualities/Every 10th bad 1s", L"Gaps/Last 20s of each minute 1s", L"Types/R4"})
    ten.push_back({Item(id), nullptr, kMonth});
  Report("ten 1 s items, month", ten, false);

  // Written values keep the walk: a month of a 10 s item with one value written per hour.
  hdasim::Overlay overlay;
  const hdasim::ItemDefinition* writable = Item(L"Writable/Sine 10s");
  for (Ticks t = kNow - kMonth; t < kNow; t += hdasim::kTicksPerHour)
    hdasim::InsertOrReplaceValue(
        *writable, overlay, kNow,
        {t + 3 * hdasim::kTicksPerSecond, hdasim::Value::Number(hdasim::ValueKind::kR8, 1), 0xC0},
        L"bench");
  Report("`Writable/Sine 10s` with written values, month", {{writable, &overlay, kMonth}}, false);
  return 0;
}
