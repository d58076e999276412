// hdasim.exe started by COM (-Embedding): registers the class objects, serves calls on one
// single-threaded apartment, and ends a grace period after the last object is gone, or when a
// client writes the shutdown control.
#pragma once

namespace hdasim {

// Returns the process exit code.
int RunLocalServer();

}  // namespace hdasim
