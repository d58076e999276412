// Number text against the C library doing the same work on the same inputs. The grid formats
// one number per cell and the XML reader parses one per stored value.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/numbers.h"

namespace {

constexpr std::size_t kInputs = 4096;  // a power of two, for the index mask

// Pseudo-random values from 1e-6 to 1e12 in magnitude, both signs.
std::vector<double> Values() {
  std::vector<double> values(kInputs);
  std::uint64_t state = 0x2545F4914F6CDD1Dull;
  for (double& v : values) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    const double mantissa = static_cast<double>(state >> 11) / static_cast<double>(1ull << 53);
    const int exponent = static_cast<int>((state >> 3) % 19) - 6;
    v = (state & 1 ? -1 : 1) * mantissa * 10 * std::pow(10.0, exponent);
  }
  return values;
}

// The same numbers as text, as files hold them ("%.13lG").
struct Texts {
  std::vector<std::string> narrow;
  std::vector<std::u16string> wide;
};
Texts NumberTexts() {
  Texts texts;
  for (double v : Values()) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13lG", v);
    texts.narrow.emplace_back(buffer);
    texts.wide.emplace_back(texts.narrow.back().begin(), texts.narrow.back().end());
  }
  return texts;
}

void BM_Number_FormatNumber3(benchmark::State& state) {
  const std::vector<double> values = Values();
  NumberText text;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatNumber(values[i++ & (kInputs - 1)], 3, text));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_Number_FormatNumber3);

void BM_Number_SnprintfFixed3(benchmark::State& state) {
  const std::vector<double> values = Values();
  char text[kNumberTextUnits];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        std::snprintf(text, sizeof text, "%.3lf", values[i++ & (kInputs - 1)]));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_Number_SnprintfFixed3);

void BM_Number_FormatGeneral6(benchmark::State& state) {
  const std::vector<double> values = Values();
  NumberText text;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatGeneral(values[i++ & (kInputs - 1)], 6, text));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_Number_FormatGeneral6);

void BM_Number_SnprintfGeneral(benchmark::State& state) {
  const std::vector<double> values = Values();
  char text[kNumberTextUnits];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "%lG", values[i++ & (kInputs - 1)]));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_Number_SnprintfGeneral);

void BM_Number_ParseNumber(benchmark::State& state) {
  const Texts texts = NumberTexts();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseNumber(texts.wide[i++ & (kInputs - 1)].c_str()));
  }
}
BENCHMARK(BM_Number_ParseNumber);

void BM_Number_Strtod(benchmark::State& state) {
  const Texts texts = NumberTexts();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtod(texts.narrow[i++ & (kInputs - 1)].c_str(), nullptr));
  }
}
BENCHMARK(BM_Number_Strtod);

}  // namespace
