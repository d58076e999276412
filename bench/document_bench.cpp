// Saving and loading the largest document the program makes: 10 waves of 32000 points (the most
// one read returns), with the file size.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

#include "document/varnel_doc.h"
#include "platform/file.h"

namespace {

constexpr int kWaves = 10;
constexpr int kPoints = 32000;
constexpr char16_t kPath[] = u"varnel_bench_varnel_doc.xml";

TVarnelDoc LargeDocument() {
  TVarnelDoc doc;
  doc.StartTime = 1.7e12;
  doc.StopTime = doc.StartTime + kPoints * 1000.0;
  ConnectionInfo info;
  info.ServerName = u"Sim.Hda.1";
  for (int w = 0; w < kWaves; ++w) {
    TWave wave;
    wave.ServerName = info.ServerName;
    wave.ItemName = u"Simulation.Sine";
    wave.ItemName.Append(static_cast<char16_t>(u'0' + w));
    info.ItemNames.push_back(wave.ItemName);
    wave.T.reserve(kPoints);
    wave.Y.reserve(kPoints);
    for (int i = 0; i < kPoints; ++i) {
      wave.T.push_back(doc.StartTime + i * 1000.0);
      wave.Y.push_back(100 * std::sin(i * 0.01 + w));
    }
    doc.Waves.push_back(std::move(wave));
  }
  doc.Connections.push_back(info);
  return doc;
}

std::int64_t FileSize() {
  platform::File file;
  return file.Open(kPath, platform::File::Mode::Read) ? file.Size() : -1;
}

void BM_Document_Save(benchmark::State& state) {
  TVarnelDoc doc = LargeDocument();
  for (auto _ : state) {
    if (doc.Save(kPath)) state.SkipWithError("save failed");
  }
  state.counters["MB"] = static_cast<double>(FileSize()) / 1e6;
  platform::File::Remove(kPath);
}
BENCHMARK(BM_Document_Save)->Unit(benchmark::kMillisecond);

void BM_Document_Load(benchmark::State& state) {
  if (LargeDocument().Save(kPath)) state.SkipWithError("save failed");
  for (auto _ : state) {
    TVarnelDoc doc;
    if (doc.Load(kPath) || doc.Waves.size() != kWaves || doc.Waves.back().Y.size() != kPoints) {
      state.SkipWithError("load failed");
    }
  }
  state.counters["MB"] = static_cast<double>(FileSize()) / 1e6;
  platform::File::Remove(kPath);
}
BENCHMARK(BM_Document_Load)->Unit(benchmark::kMillisecond);

}  // namespace
