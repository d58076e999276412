// The commands of varnel-cli. Each writes its result to standard output and throws TFailure with
// a one-line message when it cannot finish.
#pragma once

#include "tools/cli/cli_environment.h"
#include "tools/cli/core/cli_args.h"

namespace cli {

void ListServers(const TOptions& options);
void ListItems(const TOptions& options, TEnvironment& environment);
void ReadWaves(const TOptions& options, TEnvironment& environment);
void NewDocument(const TOptions& options, TEnvironment& environment);
void ShowDocument(const TOptions& options);
void StepDocument(const TOptions& options, TEnvironment& environment);

}  // namespace cli
