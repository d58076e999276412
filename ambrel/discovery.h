// Fills the server list with the OPC HDA servers of a machine: through the OPC server browser on
// that machine, or, when it cannot be reached, through this machine's component categories.
#pragma once

#include <windows.h>

namespace ambrel {

DWORD EnumerateServers(const char* machine);

}  // namespace ambrel
