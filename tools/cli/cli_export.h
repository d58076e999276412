// varnel-cli export: every value of a document's waves over its period, read from their servers
// by continuation, written into one CSV file by the same writer as the window's File > Export.
#pragma once

#include "tools/cli/cli_environment.h"
#include "tools/cli/core/cli_args.h"

namespace cli {

// Needs COM on the calling thread; throws TFailure with one line when it cannot finish, having
// left no file behind.
void ExportDocument(const TOptions& options, TEnvironment& environment);

}  // namespace cli
