#include "tools/cli/cli_render.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/varnel_doc.h"
#include "document/wave_name.h"
#include "graph/graph.h"
#include "graph/time_columns.h"
#include "hda/connection_list.h"
#include "tools/cli/cli_environment.h"
#include "tools/cli/wave_table.h"
#include "tools/cli/utf8.h"
#include "ui/gdi_canvas.h"
#include "ui/memory_bitmap.h"
#include "ui/png_file.h"

namespace cli {

namespace {

// The graph as the document window shows it after opening the document: its settings, one plot
// per numeric wave under the wave's full name, and the period as the time axes' range.
void BuildGraph(const TVarnelDoc& doc, graph::TGraph& g) {
  g.LoadSettings(doc.GraphSettings);
  for (const TWave& wave : doc.Waves) {
    if (!wave.S.empty()) continue;
    const TString name = WaveFullName(wave);
    const auto found = doc.GraphSettings.Plots.find(name);
    if (found != doc.GraphSettings.Plots.end()) {
      g.AddOrUpdateWave(found->second, wave.T, wave.Y);
    } else {
      graph::TPlotSettings look;
      look.Name = name;
      g.AddOrUpdateWave(look, wave.T, wave.Y);
    }
  }
  g.SetTimeLimits(doc.StartTime, doc.StopTime);
  g.SetTimeAxesAutomatic();
}

// Waves cut at the document's 32000 values are drawn, as the window draws them, from what their
// servers give over the time axis's pixel columns; the drawing is repeated while a reading changed
// the columns (new value bounds can widen the value axis's labels). A wave whose server cannot be
// reached or give its columns exactly stays cut, with a warning.
void DrawLongWaves(const TVarnelDoc& doc, graph::TGraph& g, const std::function<void()>& draw,
                   TEnvironment& environment) {
  struct TLong {
    const TWave* wave;
    graph::TPlot* plot;
    std::optional<graph::TColumnGrid> grid;
    bool drawn = false;
  };
  std::vector<TLong> waves;
  for (const TWave& wave : doc.Waves) {
    if (!wave.Cut || !wave.S.empty() || wave.T.empty()) continue;
    graph::TPlot* plot = g.FindPlot(WaveFullName(wave));
    if (!plot || plot->Hide) continue;
    plot->SetCutAfter(wave.T.back());
    waves.push_back({&wave, plot, std::nullopt});
  }
  draw();
  if (waves.empty()) return;

  THdaConnectionList list(environment.Messages());
  constexpr int kMostDrawings = 4;
  for (int drawing = 1; drawing < kMostDrawings; ++drawing) {
    bool changed = false;
    for (TLong& entry : waves) {
      const auto grid = entry.plot->XAxis() ? graph::AxisColumns(*entry.plot->XAxis())
                                            : std::nullopt;
      if (!grid || grid == entry.grid) continue;
      entry.grid = grid;
      HdaServerDef server;
      server.MachineName = entry.wave->MachineName;
      server.ServerName = entry.wave->ServerName;
      std::optional<ConnectionId> open = list.FindOpen(server);
      if (!open && !list.Add(server)) open = list.FindOpen(server);
      graph::TEnvelope envelope;
      entry.drawn = open && list.ReadEnvelope(*open, *entry.wave, *grid, doc.StartTime,
                                              doc.StopTime, envelope, nullptr);
      if (!entry.drawn) continue;
      const double cutAfter = envelope.cutAfter;
      entry.plot->SetEnvelope(std::move(envelope), entry.wave->T.size() + 1);
      entry.plot->SetCutAfter(cutAfter);
      changed = true;
    }
    if (!changed) break;
    draw();
  }
  for (const TLong& entry : waves) {
    if (entry.drawn && std::isnan(entry.plot->CutAfter())) continue;
    const std::string line = "warning: " + ToUtf8(entry.wave->ItemName) +
                             ": drawn up to " + TimeCell(entry.plot->CutAfter()) +
                             ", the server holds more of the period\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
}

}  // namespace

void RenderDocument(const TOptions& options, TEnvironment& environment) {
  TVarnelDoc doc;
  if (doc.Load(FromUtf8(options.file).Str())) throw TFailure{"cannot read document " + options.file};
  graph::TGraph g;
  BuildGraph(doc, g);

  ui::MemoryBitmap bitmap(options.width, options.height);
  if (!bitmap.Valid()) {
    throw TFailure{"cannot make a bitmap of " + std::to_string(options.width) + " x " +
                   std::to_string(options.height) + " pixels"};
  }
  DrawLongWaves(doc, g, [&] {
    ui::GdiCanvas canvas(bitmap.Dc(), options.print);
    g.Draw(canvas, {0, 0, options.width, options.height});
  }, environment);
  GdiFlush();
  const TString out = FromUtf8(options.out);
  const std::string error =
      ui::WritePng(bitmap, reinterpret_cast<const wchar_t*>(out.Str()));
  if (!error.empty()) throw TFailure{"cannot write " + options.out + ": " + error};
  const std::string line = "Rendered " + options.file + " into " + options.out + " (" +
                           std::to_string(options.width) + " x " + std::to_string(options.height) +
                           ")\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace cli
