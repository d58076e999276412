// Building a long text by small appends, as the XML writer does: geometric growth keeps the cost
// per appended unit flat however long the text gets (compare the per-unit times across sizes).
#include <benchmark/benchmark.h>

#include "text/tstring.h"

namespace {

void BM_TString_AppendPieces(benchmark::State& state) {
  const auto pieces = static_cast<std::uint32_t>(state.range(0));
  for (auto _ : state) {
    TString text;
    for (std::uint32_t i = 0; i < pieces; ++i) text.Append(u"<Value>1.5</Value>");
    benchmark::DoNotOptimize(text.Str());
  }
  state.SetItemsProcessed(state.iterations() * pieces);
  state.SetComplexityN(pieces);
}
BENCHMARK(BM_TString_AppendPieces)
    ->RangeMultiplier(16)
    ->Range(16, 1 << 20)
    ->Complexity(benchmark::oN);

void BM_TString_AddXml(benchmark::State& state) {
  for (auto _ : state) {
    TString text(4096u);
    for (int i = 0; i < 64; ++i) text.AddXml(u"Tank \"A\" & <B>", false);
    benchmark::DoNotOptimize(text.Str());
  }
  state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_TString_AddXml);

}  // namespace
