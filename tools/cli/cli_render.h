// varnel-cli render: a document's graph drawn off screen and written as a PNG file.
#pragma once

#include "tools/cli/cli_args.h"

namespace cli {

// Needs COM on the calling thread; throws TFailure with one line when it cannot finish.
void RenderDocument(const TOptions& options);

}  // namespace cli
