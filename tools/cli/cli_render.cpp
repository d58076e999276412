#include "tools/cli/cli_render.h"

#include <cstdio>
#include <string>
#include <vector>

#include "document/long_wave_drawing.h"
#include "document/varnel_doc.h"
#include "graph/graph.h"
#include "hda/connection_list.h"
#include "platform/wide.h"
#include "tools/cli/cli_environment.h"
#include "tools/cli/core/document_file.h"
#include "tools/cli/core/utf8.h"
#include "tools/cli/core/wave_table.h"
#include "ui/gdi_canvas.h"
#include "ui/memory_bitmap.h"
#include "ui/png_file.h"

namespace cli {

void RenderDocument(const TOptions& options, TEnvironment& environment) {
  TVarnelDoc doc;
  if (std::string failed = LoadDocument(options.file, doc); !failed.empty()) throw TFailure{failed};
  graph::TGraph g;
  g.SetLanguage(options.language);
  BuildDocumentGraph(doc, g);

  ui::MemoryBitmap bitmap(options.width, options.height);
  if (!bitmap.Valid()) {
    throw TFailure{"cannot make a bitmap of " + std::to_string(options.width) + " x " +
                   std::to_string(options.height) + " pixels"};
  }
  // Cut waves are drawn whole from their servers, as the window draws them.
  THdaConnectionList list(environment.Messages());
  for (const TWave& wave : doc.Waves) {
    HdaServerDef server;
    server.MachineName = wave.MachineName;
    server.ServerName = wave.ServerName;
    if (wave.Cut && !list.FindOpen(server)) static_cast<void>(list.Add(server));
  }
  const std::vector<TCutWave> cut = DrawLongWaves(
      doc, g,
      [&] {
        ui::GdiCanvas canvas(bitmap.Dc(), options.print);
        g.Draw(canvas, {0, 0, options.width, options.height});
      },
      list);
  for (const TCutWave& wave : cut) {
    const std::string line = "varnel-cli: warning: " + ToUtf8(wave.wave->ItemName) +
                             ": drawn up to " + TimeCell(wave.cutAfter) +
                             ", the server holds more of the period\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
  GdiFlush();
  const TString out = FromUtf8(options.out);
  const std::string error = ui::WritePng(bitmap, platform::W(out.Str()));
  if (!error.empty()) throw TFailure{"cannot write " + options.out + ": " + error};
  const std::string line = "Rendered " + options.file + " into " + options.out + " (" +
                           std::to_string(options.width) + " x " + std::to_string(options.height) +
                           ")\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace cli
