#include "tools/cli/cli_export.h"

#include <cstdio>
#include <string>

#include "document/csv_export.h"
#include "document/varnel_doc.h"
#include "hda/connection_list.h"
#include "hda/wave_export.h"
#include "tools/cli/core/document_file.h"
#include "tools/cli/core/utf8.h"

namespace cli {
namespace {

constexpr std::uint64_t kCountEvery = 100000;

}  // namespace

void ExportDocument(const TOptions& options, TEnvironment& environment) {
  TVarnelDoc doc;
  if (std::string failed = LoadDocument(options.file, doc); !failed.empty()) throw TFailure{failed};
  THdaConnectionList list(environment.Messages());
  for (const TWave& wave : doc.Waves) {
    HdaServerDef server;
    server.MachineName = wave.MachineName;
    server.ServerName = wave.ServerName;
    if (!list.FindOpen(server)) static_cast<void>(list.Add(server));
  }
  TCsvExport run(FromUtf8(options.out), hda::ExportColumns(list, doc, environment.Messages()),
                 doc.StartTime, doc.StopTime);
  std::uint64_t nextCount = kCountEvery;
  while (run.Step() == TCsvExportState::Running) {
    if (run.Values() >= nextCount) {
      std::fprintf(stderr, "varnel-cli: %llu values, %llu rows\n",
                   static_cast<unsigned long long>(run.Values()),
                   static_cast<unsigned long long>(run.Rows()));
      nextCount = (run.Values() / kCountEvery + 1) * kCountEvery;
    }
  }
  switch (run.State()) {
    case TCsvExportState::Written:
      break;
    case TCsvExportState::ReadFailed:
      throw TFailure{
          "a server stopped answering during the export; " + options.out + " not written",
          kExitServerGone};
    default:
      throw TFailure{"cannot write " + options.out};
  }
  const std::string line = "Exported " + std::to_string(doc.Waves.size()) + " waves of " +
                           options.file + " into " + options.out + " (" +
                           std::to_string(run.Rows()) + " rows, " + std::to_string(run.Values()) +
                           " values)\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace cli
