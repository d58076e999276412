#include "tools/cli/cli_render.h"

#include <cstdio>
#include <string>

#include "document/varnel_doc.h"
#include "document/wave_name.h"
#include "graph/graph.h"
#include "tools/cli/cli_environment.h"
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

}  // namespace

void RenderDocument(const TOptions& options) {
  TVarnelDoc doc;
  if (doc.Load(FromUtf8(options.file).Str())) throw TFailure{"cannot read document " + options.file};
  graph::TGraph g;
  BuildGraph(doc, g);

  ui::MemoryBitmap bitmap(options.width, options.height);
  if (!bitmap.Valid()) {
    throw TFailure{"cannot make a bitmap of " + std::to_string(options.width) + " x " +
                   std::to_string(options.height) + " pixels"};
  }
  {
    ui::GdiCanvas canvas(bitmap.Dc(), options.print);
    g.Draw(canvas, {0, 0, options.width, options.height});
  }
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
