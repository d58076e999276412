#include "document/long_wave_drawing.h"

#include <cmath>
#include <optional>
#include <utility>

#include "document/wave_name.h"
#include "graph/time_columns.h"

void BuildDocumentGraph(const TVarnelDoc& doc, graph::TGraph& graph) {
  graph.LoadSettings(doc.GraphSettings);
  for (const TWave& wave : doc.Waves) {
    if (!wave.S.empty()) continue;
    const TString name = WaveFullName(wave);
    const auto found = doc.GraphSettings.Plots.find(name);
    if (found != doc.GraphSettings.Plots.end()) {
      graph.AddOrUpdateWave(found->second, wave.T, wave.Y);
    } else {
      graph::TPlotSettings look;
      look.Name = name;
      graph.AddOrUpdateWave(look, wave.T, wave.Y);
    }
  }
  graph.SetTimeLimits(doc.StartTime, doc.StopTime);
  graph.SetTimeAxesAutomatic();
}

std::optional<ConnectionId> OpenConnectionOf(const TWave& wave, const IOpenConnections& source) {
  HdaServerDef server;
  server.MachineName = wave.MachineName;
  server.ServerName = wave.ServerName;
  return source.FindOpen(server);
}

void WidenToPeriodBounds(const TVarnelDoc& doc, const TWave& wave, graph::TPlot& plot,
                         IOpenConnections& source) {
  const std::optional<ConnectionId> open = OpenConnectionOf(wave, source);
  if (!open) return;
  if (const auto bounds = source.ReadBounds(*open, wave, doc.StartTime, doc.StopTime)) {
    plot.WidenValueBounds(*bounds);
  }
}

std::vector<TCutWave> DrawLongWaves(const TVarnelDoc& doc, graph::TGraph& graph,
                                    const std::function<void()>& draw, IOpenConnections& source) {
  struct TLong {
    const TWave* wave;
    graph::TPlot* plot;
    std::optional<graph::TColumnGrid> grid;
    bool read = false;
  };
  std::vector<TLong> waves;
  for (const TWave& wave : doc.Waves) {
    if (!wave.Cut || !wave.S.empty() || wave.T.empty()) continue;
    graph::TPlot* plot = graph.FindPlot(WaveFullName(wave));
    if (!plot || plot->Hide) continue;
    plot->SetCutAfter(wave.T.back());
    WidenToPeriodBounds(doc, wave, *plot, source);
    waves.push_back({&wave, plot, std::nullopt});
  }
  draw();

  // Each reading can move the columns once more (the labels of new bounds); a few suffice.
  constexpr int kMostDrawings = 4;
  for (int drawing = 1; drawing < kMostDrawings && !waves.empty(); ++drawing) {
    bool changed = false;
    for (TLong& entry : waves) {
      if (!entry.plot->XAxis()) continue;
      const auto grid = graph::AxisColumns(*entry.plot->XAxis());
      if (!grid || grid == entry.grid) continue;
      entry.grid = grid;
      const std::optional<ConnectionId> open = OpenConnectionOf(*entry.wave, source);
      graph::TEnvelope envelope;
      entry.read = open && source.ReadEnvelope(*open, *entry.wave, *grid, doc.StartTime,
                                               doc.StopTime, envelope, nullptr);
      if (!entry.read) continue;
      const double cutAfter = envelope.cutAfter;
      entry.plot->SetEnvelope(std::move(envelope), entry.wave->T.size() + 1);
      entry.plot->SetCutAfter(cutAfter);
      changed = true;
    }
    if (!changed) break;
    draw();
  }

  std::vector<TCutWave> cut;
  for (const TLong& entry : waves) {
    if (!std::isnan(entry.plot->CutAfter())) cut.push_back({entry.wave, entry.plot->CutAfter()});
  }
  return cut;
}
