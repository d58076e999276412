// Time stamp text and calendar conversion against the C library doing the same work.
// The grid and the log format one date-time per row, tens of thousands of rows at a time.
#include "text/time_fields.h"
#include "text/time_format.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// Pseudo-random stamps spread over the whole calendar, so that caches see varied input.
std::vector<double> TimeStamps() {
  std::vector<double> stamps(4096);
  std::uint64_t state = 0x9E3779B97F4A7C15ull;
  for (double& t : stamps) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    t = static_cast<double>((state >> 11) % 4102444800000ull);
  }
  return stamps;
}

void BM_Time_FormatDateTime(benchmark::State& state) {
  std::vector<double> stamps = TimeStamps();
  std::vector<TTimeFields> records(stamps.size());
  for (std::size_t i = 0; i < stamps.size(); ++i) TimeToFields(stamps[i], records[i]);
  std::size_t i = 0;
  for (auto _ : state) {
    TTimeFields& record = records[i++ & (records.size() - 1)];
    benchmark::DoNotOptimize(FormatDateTime(record, true));
  }
}
BENCHMARK(BM_Time_FormatDateTime);

void BM_Time_SnprintfDateTime(benchmark::State& state) {
  std::vector<double> stamps = TimeStamps();
  std::vector<TTimeFields> records(stamps.size());
  for (std::size_t i = 0; i < stamps.size(); ++i) TimeToFields(stamps[i], records[i]);
  char buffer[96];  // room for any long in every field, as the compiler checks
  std::size_t i = 0;
  for (auto _ : state) {
    const TTimeFields& r = records[i++ & (records.size() - 1)];
    std::snprintf(buffer, sizeof buffer, "%02li/%02li/%04li %02li:%02li:%02li.%03li",
                  static_cast<long>(r.day), static_cast<long>(r.month), static_cast<long>(r.year),
                  static_cast<long>(r.hour), static_cast<long>(r.minute),
                  static_cast<long>(r.second), static_cast<long>(r.millisecond));
    benchmark::DoNotOptimize(buffer);
  }
}
BENCHMARK(BM_Time_SnprintfDateTime);

void BM_Time_TimeToFields(benchmark::State& state) {
  std::vector<double> stamps = TimeStamps();
  TTimeFields record;
  std::size_t i = 0;
  for (auto _ : state) {
    TimeToFields(stamps[i++ & (stamps.size() - 1)], record);
    benchmark::DoNotOptimize(record);
  }
}
BENCHMARK(BM_Time_TimeToFields);

void BM_Time_GmtimeR(benchmark::State& state) {
  std::vector<double> stamps = TimeStamps();
  std::tm broken{};
  std::size_t i = 0;
  for (auto _ : state) {
    std::time_t seconds = static_cast<std::time_t>(stamps[i++ & (stamps.size() - 1)] / 1000);
    benchmark::DoNotOptimize(gmtime_r(&seconds, &broken));
  }
}
BENCHMARK(BM_Time_GmtimeR);

}  // namespace
