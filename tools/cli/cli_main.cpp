// varnel-cli: lists servers and items, reads history, makes, shows and steps documents, draws
// their graphs into PNG files and exports their waves to CSV files, through Ambrel and the same
// connection, document and graph code as the desktop program.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/wide.h"
#include "tools/cli/cli_commands.h"
#include "tools/cli/cli_environment.h"
#include "tools/cli/cli_export.h"
#include "tools/cli/cli_render.h"
#include "tools/cli/core/cli_args.h"
#include "tools/cli/core/utf8.h"

namespace {

using cli::kExitFailure;
using cli::kExitUsage;

int Run(const cli::TOptions& options) {
  cli::TEnvironment environment(options);
  try {
    switch (options.command) {
      case cli::TCommand::Servers:
        cli::ListServers(options);
        break;
      case cli::TCommand::Items:
        cli::ListItems(options, environment);
        break;
      case cli::TCommand::Read:
        cli::ReadWaves(options, environment);
        break;
      case cli::TCommand::DocNew:
        cli::NewDocument(options, environment);
        break;
      case cli::TCommand::DocShow:
        cli::ShowDocument(options);
        break;
      case cli::TCommand::DocStep:
        cli::StepDocument(options, environment);
        break;
      case cli::TCommand::Render:
        cli::RenderDocument(options, environment);
        break;
      case cli::TCommand::Export:
        cli::ExportDocument(options, environment);
        break;
    }
  } catch (const cli::TFailure& failure) {
    std::fprintf(stderr, "varnel-cli: %s\n", failure.message.c_str());
    return failure.exitCode;
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    // Output is UTF-8 and its line ends are exactly what the commands write.
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(cli::ToUtf8(platform::U16(argv[i])));
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "help") {
      std::fputs(cli::UsageText().c_str(), arguments.empty() ? stderr : stdout);
      return arguments.empty() ? kExitUsage : 0;
    }
    const cli::TParseResult parsed = cli::ParseArguments(arguments);
    if (!parsed.ok) {
      std::fprintf(stderr, "varnel-cli: %s\n", parsed.error.c_str());
      return kExitUsage;
    }
    const int code = Run(parsed.options);
    std::fflush(stdout);
    return code;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "varnel-cli: internal error: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "varnel-cli: internal error\n");
  }
  return kExitFailure;
}
