// varnel-cli render: a document's graph drawn off screen and written as a PNG file.
#pragma once

#include "tools/cli/cli_environment.h"
#include "tools/cli/core/cli_args.h"

namespace cli {

// Waves cut at 32000 values are drawn from their servers over the whole period, as the window
// draws them. Needs COM on the calling thread; throws TFailure with one line when it cannot finish.
void RenderDocument(const TOptions& options, TEnvironment& environment);

}  // namespace cli
